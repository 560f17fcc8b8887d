// The custom random bank: choosing sounds, its 118-item file, stop-all, reset, renaming.
#include "rig.h"

#include "banks/random/custom_random_bank_file.h"
#include "core/files/text_record.h"

#include <gtest/gtest.h>

#include <fstream>

namespace velmora::test {
namespace {
namespace fs = std::filesystem;

class CustomBank : public ::testing::Test {
  protected:
    CustomBank() : rig(false) {
        for (int i = 1; i <= 4; ++i) {
            const auto p = rig.file("soundbanks/random sounds/s" + std::to_string(i) + ".a.wav");
            writeTone(p, 1.0, 300 + 50 * i);
            sounds.push_back(p.string());
        }
    }
    RandomRig rig;
    CustomRandomBank& bank() { return rig.banks->custom(); }
    std::vector<std::string> sounds;
};

TEST_F(CustomBank, PickedListFillsTheFirstSlotsAndSilencesTheBank) {
    ASSERT_TRUE(bank().setSound(10, sounds[3]));
    for (int n = 1; n <= kRandomSlotCount; ++n)
        bank().setFrequency(n, 100);
    bank().applyPickedList({sounds[0], sounds[1], sounds[2]});
    EXPECT_EQ(bank().slot(1).caption, "s1");
    EXPECT_EQ(bank().slot(3).caption, "s3");
    EXPECT_EQ(bank().slot(3).file, "soundbanks\\random sounds\\s3.a.wav");
    EXPECT_TRUE(bank().slot(2).sample.valid());
    EXPECT_EQ(bank().slot(10).caption, "s4"); // untouched beyond the list
    EXPECT_TRUE(bank().slot(10).sample.valid());
    EXPECT_EQ(bank().slot(4).caption, kNotSet);
    for (int n = 1; n <= kRandomSlotCount; ++n)
        EXPECT_EQ(bank().slot(n).frequency, 0);
}

TEST_F(CustomBank, StopAllStopsSoundsAndChangesNothingElse) {
    ASSERT_TRUE(bank().setSound(1, sounds[0]));
    bank().applyPickedList({sounds[1]}); // a picked list exists
    ASSERT_TRUE(bank().setSound(1, sounds[2]));
    bank().setFrequency(1, 200);
    bank().preview(1);
    const auto ch = bank().slot(1).channel;
    ASSERT_TRUE(rig.engine.isPlaying(ch));
    bank().stopAll();
    rig.run(50);
    EXPECT_FALSE(rig.engine.isPlaying(ch));
    EXPECT_EQ(bank().slot(1).frequency, 200);
    EXPECT_EQ(bank().slot(1).caption, "s3");
}

TEST_F(CustomBank, SoundsInsideAndOutsideTheProgramFolderSurviveSaveAndLoad) {
    const fs::path outside =
        fs::temp_directory_path() / ("velmora-outside-" + std::to_string(::getpid()) + ".wav");
    writeTone(outside, 0.5);
    ASSERT_TRUE(bank().setSound(1, sounds[0]));
    ASSERT_TRUE(bank().setSound(28, outside));
    bank().setVolume(23, 44);
    bank().setFrequency(15, 66);
    const auto path = rig.file("mine.crf");
    bank().dosave(path);

    const auto fields = files::RecordReader::fromFile(path).fields();
    ASSERT_EQ(fields.size(), 118u);
    EXPECT_EQ(fields[61].text, "soundbanks\\random sounds\\s1.a.wav");
    EXPECT_EQ(fields[88].text, outside.string());
    EXPECT_EQ(fields[60].text, "#FALSE#");

    rig.dialogs.questionAnswers = {true};
    bank().resetSounds();
    ASSERT_FALSE(bank().slot(28).sample.valid());
    bank().setVolume(23, 0);
    bank().doload(path);
    EXPECT_TRUE(bank().slot(1).sample.valid());
    EXPECT_TRUE(bank().slot(28).sample.valid());
    EXPECT_EQ(bank().slot(28).caption, captionFromFile(outside.string()));
    EXPECT_EQ(bank().slot(23).volume, 44);
    EXPECT_EQ(bank().slot(15).frequency, 66);
    fs::remove(outside);
}

TEST_F(CustomBank, BadFilesAreIgnoredSilentlyAndMissingSoundsLeaveOnlyTheirSlotSilent) {
    ASSERT_TRUE(bank().setSound(2, sounds[1]));
    bank().setFrequency(2, 77);
    const int master = rig.levels.master();
    // 117 items: ignored without a message.
    CustomRandomBankValues v;
    v.sliders.fill(9);
    std::string bytes = formatCustomRandomBankFile(v);
    bytes = bytes.substr(0, bytes.rfind(','));
    std::ofstream(rig.file("short.crf"), std::ios::binary) << bytes;
    bank().doload(rig.file("short.crf"));
    bank().doload(rig.file("absent.crf"));
    EXPECT_TRUE(rig.dialogs.messages.empty());
    EXPECT_EQ(bank().slot(2).frequency, 77);
    EXPECT_EQ(bank().slot(2).caption, "s2");

    // A complete file naming one missing sound and one empty entry with a caption.
    v.files[0] = "soundbanks\\random sounds\\gone.wav";
    v.files[1] = "soundbanks\\random sounds\\s2.a.wav";
    v.captions[captionLabelOf(3) - 7] = "Has a caption";
    v.sliders[19] = 1; // item 20, the master copy
    std::ofstream(rig.file("full.crf"), std::ios::binary) << formatCustomRandomBankFile(v);
    bank().doload(rig.file("full.crf"));
    EXPECT_FALSE(bank().slot(1).sample.valid());
    EXPECT_TRUE(bank().slot(2).sample.valid());
    EXPECT_FALSE(bank().slot(3).sample.valid());
    EXPECT_EQ(bank().slot(3).caption, "Has a caption");
    EXPECT_EQ(rig.levels.master(), master);
    bank().preview(3); // no sound: plays nothing
    EXPECT_EQ(rig.engine.playingCount(), 0);
}

TEST_F(CustomBank, ChoosingASoundThatDoesNotDecodeKeepsThePreviousOne) {
    ASSERT_TRUE(bank().setSound(5, sounds[0]));
    const auto junk = rig.file("soundbanks/random sounds/junk.wav");
    std::ofstream(junk, std::ios::binary) << "not audio at all";
    rig.dialogs.files = {junk.string(), rig.file("nothing-here.wav").string(), sounds[2]};
    bank().chooseSound(5);
    EXPECT_EQ(rig.dialogs.lastMessage(), kCannotOpenSound);
    EXPECT_EQ(bank().slot(5).caption, "s1");
    EXPECT_TRUE(bank().slot(5).sample.valid());
    rig.dialogs.messages.clear();
    bank().chooseSound(5); // a file that does not exist: nothing happens
    EXPECT_TRUE(rig.dialogs.messages.empty());
    EXPECT_EQ(bank().slot(5).caption, "s1");
    bank().chooseSound(5);
    EXPECT_EQ(bank().slot(5).caption, "s3");
}

TEST_F(CustomBank, ReplacedSamplesAreFreed) {
    ASSERT_TRUE(bank().setSound(1, sounds[0]));
    const auto first = bank().slot(1).sample;
    EXPECT_GT(rig.engine.sampleFrames(first), 0);
    for (int i = 0; i < 50; ++i)
        bank().applyPickedList({sounds[i % 2 ? 1 : 2]});
    rig.run(20);
    EXPECT_EQ(rig.engine.sampleFrames(first), 0);
    EXPECT_GT(rig.engine.sampleFrames(bank().slot(1).sample), 0);
}

TEST_F(CustomBank, RenameAndResetAskFirst) {
    ASSERT_TRUE(bank().setSound(4, sounds[0]));
    rig.dialogs.inputs = {std::string("Blackbird"), std::string(""), std::nullopt};
    bank().renameSlot(4);
    bank().renameSlot(4);
    bank().renameSlot(4);
    EXPECT_EQ(bank().slot(4).caption, "Blackbird");
    bank().setVolume(4, 90);
    bank().setFrequency(4, 90);
    rig.dialogs.questionAnswers = {false, true};
    bank().resetSounds();
    EXPECT_EQ(rig.dialogs.questions.back(), kResetQuestion);
    EXPECT_EQ(bank().slot(4).caption, "Blackbird");
    bank().resetSounds();
    EXPECT_EQ(bank().slot(4).caption, kNotSet);
    EXPECT_EQ(bank().slot(4).frequency, 0);
    EXPECT_EQ(bank().slot(4).volume, 90);
    EXPECT_FALSE(bank().slot(4).sample.valid());
    EXPECT_TRUE(bank().slot(4).file.empty());
}

} // namespace
} // namespace velmora::test
