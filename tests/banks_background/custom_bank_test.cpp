// The custom background bank: chosen sounds and where they are stored, its 162-field file,
// reset, reload-all from the picker, and its message on a bad file.
#include "rig.h"

#include "banks/background/custom_background_bank.h"
#include "core/startup/crash_guard.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using test::BackgroundRig;
using test::joinFields;
using test::splitFields;

struct CustomBank : ::testing::Test {
    BackgroundRig rig{false};
    testing::TempDir elsewhere; // outside the program folder
    CustomBackgroundBank bank{rig.services};

    std::filesystem::path makeSound(const std::filesystem::path& p, unsigned seed = 3) {
        test::writeWav(p, test::loopTexture(0.1, 100, 500, 0.3, seed));
        return p;
    }
    void choose(int slot, const std::filesystem::path& p) {
        rig.dialogs.files.push_back(p.string());
        bank.chooseSound(slot);
    }
    [[nodiscard]] bool playing(int slot) const {
        return rig.engine.isPlaying(bank.voice(slot).channel());
    }
};

TEST_F(CustomBank, ChosenSoundsAreStoredRelativeInsideTheFolderAndAbsoluteOutside) {
    const auto inside = makeSound(rig.file("soundbanks/background sounds/soft rain.wav"));
    const auto outside = makeSound(elsewhere / "my.night.wind.wav");
    choose(1, inside);
    choose(2, outside);
    EXPECT_EQ(bank.slotPath(1), "\\soundbanks\\background sounds\\soft rain.wav");
    EXPECT_EQ(bank.slotName(1), "soft rain");
    EXPECT_EQ(bank.slotPath(2), outside.string());
    EXPECT_EQ(bank.slotName(2), "my"); // up to the first dot
    EXPECT_FALSE(bank.slot(1).on);     // a choice leaves the slot off

    const auto path = rig.file("backc.ini");
    ASSERT_TRUE(bank.save(path));
    CustomBackgroundBank other(rig.services);
    other.doload(path);
    EXPECT_TRUE(rig.dialogs.messages.empty());
    EXPECT_EQ(other.slotName(1), "soft rain");
    EXPECT_EQ(other.slotName(2), "my"); // found where it was chosen, not "Not Found"
    other.setOn(2, true);
    EXPECT_TRUE(rig.engine.isPlaying(other.voice(2).channel()));
}

TEST_F(CustomBank, MissingSoundsAreNamedNotFoundAndEmptyPathsKeepTheirName) {
    const auto gone = makeSound(elsewhere / "gone.wav");
    choose(3, gone);
    bank.setOn(3, true);
    const auto path = rig.file("c.cbf");
    ASSERT_TRUE(bank.save(path));
    auto f = splitFields(testing::readBytes(path));
    ASSERT_EQ(f.size(), 162u);
    f[145 + 4 - 1] = "\"Kept label\""; // slot 4 has no path
    testing::writeBytes(path, joinFields(f));
    std::filesystem::remove(gone);

    CustomBackgroundBank other(rig.services);
    other.doload(path);
    EXPECT_TRUE(rig.dialogs.messages.empty()); // a missing sound is not an error
    EXPECT_EQ(other.slotName(3), "Not Found");
    EXPECT_EQ(other.slotToolTip(3), gone.string());
    EXPECT_TRUE(other.slot(3).on);
    EXPECT_FALSE(rig.engine.isPlaying(other.voice(3).channel()));
    EXPECT_EQ(other.slotName(4), "Kept label");
}

TEST_F(CustomBank, BalanceOfSlot17SurvivesAndPosition38IsOnlyACopy) {
    bank.setPan(16, 40);
    bank.setPan(17, 210);
    const auto path = rig.file("b.cbf");
    ASSERT_TRUE(bank.save(path));
    auto f = splitFields(testing::readBytes(path));
    EXPECT_EQ(f[37 - 1], "210");
    EXPECT_EQ(f[38 - 1], "40");
    f[38 - 1] = "99";
    testing::writeBytes(path, joinFields(f));
    CustomBackgroundBank other(rig.services);
    other.doload(path);
    EXPECT_EQ(other.slot(17).pan, 210);
    EXPECT_EQ(other.slot(16).pan, 40);
}

TEST_F(CustomBank, LoadRestoresTheLevelCopiesAndTheHiddenRate) {
    bank.setRate(18, 321);
    rig.levels.set(Level::Bwaves, 3);
    rig.levels.set(Level::Mp3, 4000);
    rig.levels.set(Level::Random, 5);
    const auto path = rig.file("l.cbf");
    ASSERT_TRUE(bank.save(path));
    rig.levels.set(Level::Bwaves, 10);
    rig.levels.set(Level::Mp3, 100);
    rig.levels.set(Level::Random, 10);
    CustomBackgroundBank other(rig.services);
    other.doload(path);
    EXPECT_EQ(rig.levels.value(Level::Bwaves), 3);
    EXPECT_EQ(rig.levels.value(Level::Mp3), 4000);
    EXPECT_EQ(rig.levels.value(Level::Random), 5);
    EXPECT_EQ(other.slot(18).rate, 321);
}

TEST_F(CustomBank, CancellingTheChoiceOfAPlayingSlotLeavesItOnButSilent) {
    choose(5, makeSound(rig.file("soundbanks/background sounds/a.wav")));
    bank.setOn(5, true);
    ASSERT_TRUE(playing(5));
    rig.dialogs.files.push_back(std::nullopt);
    bank.chooseSound(5);
    EXPECT_TRUE(bank.slot(5).on);
    EXPECT_FALSE(playing(5));
    EXPECT_EQ(bank.slotName(5), "a");
}

TEST_F(CustomBank, ChoosingASoundSkippedAfterACloseTriesItAgain) {
    const auto sound = makeSound(elsewhere / "storm.wav");
    testing::TempDir settings;
    {
        CrashGuard lastRun(settings.path(), rig.file("bin"));
        ASSERT_TRUE(lastRun.mayDecode(sound.string(), audio::LoadOrigin::Stored));
    } // closed while decoding
    CrashGuard guard(settings.path(), rig.file("bin"));
    rig.engine.setDecodeGuard(&guard);
    EXPECT_FALSE(rig.engine.loadSample(sound.string()).valid());
    choose(4, sound);
    EXPECT_TRUE(bank.voice(4).hasSample());
    rig.engine.setDecodeGuard(nullptr);
}

TEST_F(CustomBank, AnUnreadableChoiceSaysSo) {
    const auto junk = elsewhere / "junk.wav";
    testing::writeBytes(junk, "this is not audio");
    choose(6, junk);
    EXPECT_EQ(rig.dialogs.lastMessage(), "This audio file could not be opened..");
    EXPECT_FALSE(bank.voice(6).hasSample());
}

TEST_F(CustomBank, PickerListReloadsEverySlotAndEmptiesTheRest) {
    const auto a = makeSound(elsewhere / "alpha.wav");
    const auto b = makeSound(rig.file("soundbanks/background sounds/beta.ogg.wav"));
    choose(9, makeSound(elsewhere / "old.wav"));
    bank.setOn(9, true);
    bank.reloadAll({a.string(), b.string()});
    EXPECT_EQ(bank.slotName(1), "alpha");
    EXPECT_EQ(bank.slotName(2), "beta");
    EXPECT_EQ(bank.slotPath(2), "\\soundbanks\\background sounds\\beta.ogg.wav");
    EXPECT_EQ(bank.slotName(9), "Not Set");
    EXPECT_EQ(bank.slotPath(9), "");
    EXPECT_FALSE(bank.slot(9).on);
    EXPECT_EQ(rig.engine.playingCount(), 0);
    bank.setOn(1, true);
    EXPECT_TRUE(playing(1));
}

TEST_F(CustomBank, ResetAsksFirstThenForgetsEverySound) {
    choose(1, makeSound(elsewhere / "x.wav"));
    bank.setOn(1, true);
    rig.dialogs.questionAnswers = {false, true};
    bank.reset();
    EXPECT_EQ(rig.dialogs.questions.back(), "This will reset all sounds on this panel. Continue?");
    EXPECT_TRUE(playing(1));
    bank.reset();
    EXPECT_FALSE(playing(1));
    EXPECT_EQ(bank.slotName(1), "Not Set");
    bank.setOn(1, true);
    EXPECT_FALSE(playing(1));
}

TEST_F(CustomBank, LoadingANewSoundIntoAPlayingSlotPlaysTheNewSound) {
    choose(2, makeSound(elsewhere / "first.wav", 1));
    bank.setOn(2, true);
    const auto path = rig.file("s.cbf");
    ASSERT_TRUE(bank.save(path));
    auto f = splitFields(testing::readBytes(path));
    const auto second = makeSound(elsewhere / "second.wav", 2);
    f[128 + 2 - 1] = "\"" + second.string() + "\"";
    testing::writeBytes(path, joinFields(f));
    const auto before = bank.voice(2).sample();
    bank.doload(path);
    EXPECT_NE(bank.voice(2).sample(), before);
    EXPECT_TRUE(playing(2));
    EXPECT_EQ(bank.slotName(2), "first"); // the name comes from the file
    // Loading the same file again keeps the sound playing undisturbed.
    const auto channel = bank.voice(2).channel();
    bank.doload(path);
    EXPECT_EQ(bank.voice(2).channel(), channel);
}

TEST_F(CustomBank, BadFileShowsItsMessageAndChangesNothing) {
    bank.setVolume(1, 17);
    const auto path = rig.file("bad.cbf");
    ASSERT_TRUE(bank.save(path));
    auto f = splitFields(testing::readBytes(path));
    f[0] = "99";
    f.resize(150);
    testing::writeBytes(path, joinFields(f));
    bank.doload(path);
    EXPECT_EQ(rig.dialogs.lastMessage().substr(0, 50),
              "One or more custom backgrounds could not be locate");
    EXPECT_EQ(bank.slot(1).volume, 17);
}

TEST_F(CustomBank, BalanceCommandsLeaveTheHiddenSlotAlone) {
    bank.runCommand(GroupCommand::PanLeft);
    EXPECT_EQ(bank.slot(17).pan, 0);
    EXPECT_EQ(bank.slot(18).pan, 122);
}

} // namespace
} // namespace velmora
