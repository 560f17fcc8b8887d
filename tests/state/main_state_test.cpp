#include "core/state/main2_state.h"
#include "core/state/main_state.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::state;
using velmora::testing::TempDir;
using velmora::testing::writeBytes;

namespace {
// A main2.tmp as an older copy of the program writes it, field by field.
std::vector<std::string> sampleMain2Fields() {
    std::vector<std::string> f = {"321", "7", "9", "1200", "40"};
    for (int i = 0; i < 12; ++i)
        f.push_back("\"Preset " + std::to_string(i) + "\"");
    for (int i = 0; i < 10; ++i)
        f.push_back("\"" + std::to_string(1000 + i) + "\""); // 18..27
    f.insert(f.end(),
             {"\"t1\"", "\"t3\"", "\"t3\"", "\"info, with comma\"", "\"/pics\"", "\"a.jpg\"",
              "\"Sunset\"", "#TRUE#", "#FALSE#", "3", "\"Preset 12\"", "\"Preset 13\""});
    return f;
}

std::string join(const std::vector<std::string>& fields) {
    std::string s;
    for (std::size_t i = 0; i < fields.size(); ++i)
        s += (i ? "," : "") + fields[i];
    return s + "\r\n";
}
} // namespace

TEST(Main2State, FieldsLandInTheirPlacesIncludingTheColourSlotMapping) {
    TempDir dir;
    writeBytes(dir / "main2.tmp", join(sampleMain2Fields()));
    Main2State s;
    const auto r = readMain2State(dir / "main2.tmp", s);
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(s.master, 321);
    EXPECT_EQ(s.background, 7);
    EXPECT_EQ(s.random, 9);
    EXPECT_EQ(s.mp3, 1200);
    EXPECT_EQ(s.cd, 40);
    EXPECT_EQ(s.presetCaptions[0], "Preset 0");
    EXPECT_EQ(s.presetCaptions[11], "Preset 11");
    EXPECT_EQ(s.presetCaptions[12], "Preset 12");
    EXPECT_EQ(s.presetCaptions[13], "Preset 13");
    // Field 18 -> slot 5, 19 -> 6, 20 -> 7, 21 -> 4, 22 -> 3, 23 -> 8, 24 -> 10, 25 -> 9,
    // 26 -> 2, 27 -> 1.
    const std::array<std::uint32_t, 10> slots = {1009, 1008, 1004, 1003, 1000,
                                                 1001, 1002, 1005, 1007, 1006};
    EXPECT_EQ(s.colorSlots, slots);
    EXPECT_EQ(s.scenarioInformation, "info, with comma");
    EXPECT_TRUE(s.customAutoRandomise) << "field 35 #TRUE# switches the custom bank's auto on";
    EXPECT_FALSE(s.bankOneAutoRandomise);
    EXPECT_EQ(s.outputDevice, 3);
    EXPECT_EQ(readOutputDeviceIndex(dir / "main2.tmp"), 3);
}

TEST(Main2State, EveryFieldRoundTripsAndTheFileKeepsItsShape) {
    TempDir dir;
    Main2State s;
    s.master = 600;
    s.background = 1;
    s.random = 14;
    s.mp3 = 0;
    s.cd = 100;
    for (int i = 0; i < kPresetCount; ++i)
        s.presetCaptions[i] = "P\"" + std::to_string(i);
    for (int i = 0; i < kColorSlotCount; ++i)
        s.colorSlots[i] = 0xFFFFFF - i;
    s.text1 = "a";
    s.text3 = "b";
    s.scenarioInformation = "c,d";
    s.remoteSlideshowFolder = "/x";
    s.remoteSelectedFile = "y";
    s.pictureName = "z";
    s.customAutoRandomise = false;
    s.bankOneAutoRandomise = true;
    s.outputDevice = -1;
    ASSERT_TRUE(writeMain2State(dir / "main2.tmp", s).ok());
    const auto bytes = velmora::testing::readBytes(dir / "main2.tmp");
    EXPECT_EQ(files::RecordReader(bytes).size(), kMain2StateFields);
    EXPECT_TRUE(bytes.ends_with("\r\n"));
    EXPECT_EQ(bytes.find('\n'), bytes.size() - 1) << "one record";

    Main2State back;
    EXPECT_TRUE(readMain2State(dir / "main2.tmp", back).ok());
    EXPECT_EQ(back, s);
}

TEST(Main2State, BadFieldsLeaveTheirTargetsAndTheRestStillReads) {
    TempDir dir;
    auto fields = sampleMain2Fields();
    fields[1] = "loud";    // field 2: not a number
    fields[18] = "\"-5\""; // field 19: not a colour
    fields[34] = "maybe";  // field 35: not a Boolean
    fields[36] = "70000";  // field 37: beyond a 16-bit index
    writeBytes(dir / "main2.tmp", join(fields));
    Main2State s;
    const auto r = readMain2State(dir / "main2.tmp", s);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.unconverted, (std::vector<std::size_t>{2, 19, 35, 37}));
    const Main2State defaults;
    EXPECT_EQ(s.background, defaults.background);
    EXPECT_EQ(s.colorSlots[5], kDefaultColorSlots[5]);
    EXPECT_EQ(s.customAutoRandomise, defaults.customAutoRandomise);
    EXPECT_EQ(s.outputDevice, 0);
    EXPECT_EQ(s.random, 9) << "later fields still read";
    EXPECT_EQ(s.presetCaptions[13], "Preset 13");
    EXPECT_EQ(readOutputDeviceIndex(dir / "main2.tmp"), std::nullopt);
}

TEST(Main2State, ShortEmptyMissingHugeAndBinaryFilesKeepTheDefaults) {
    TempDir dir;
    const Main2State defaults;
    auto readOf = [&](std::string_view bytes) {
        writeBytes(dir / "f", bytes);
        Main2State s;
        const auto r = readMain2State(dir / "f", s);
        return std::pair{r, s};
    };

    auto [shortResult, shortState] = readOf("5,6,7\r\n");
    EXPECT_EQ(shortResult.error, FileError::TooShort);
    EXPECT_EQ(shortResult.field, 4u);
    EXPECT_EQ(shortState.random, 7);
    EXPECT_EQ(shortState.mp3, defaults.mp3);
    EXPECT_EQ(shortState.presetCaptions, defaults.presetCaptions);

    auto [emptyResult, emptyState] = readOf("");
    EXPECT_EQ(emptyResult.fieldsFound, 0u);
    EXPECT_EQ(emptyState, defaults);

    auto fields = sampleMain2Fields();
    for (int i = 0; i < 50; ++i)
        fields.push_back("\"extra\"");
    auto [longResult, longState] = readOf(join(fields));
    EXPECT_TRUE(longResult.ok()) << "trailing fields are ignored";
    EXPECT_EQ(longState.presetCaptions[13], "Preset 13");

    auto [hugeResult, hugeState] = readOf(std::string(files::kMaxRecordFileBytes + 10, ','));
    EXPECT_EQ(hugeResult.error, FileError::TooLarge);
    EXPECT_EQ(hugeState, defaults);

    // Junk with no separator in it is one field that is no number: nothing changes, and the
    // reader says so rather than passing the file off as read.
    std::string binary;
    for (int i = 0; i < 4096; ++i)
        binary += static_cast<char>(0x80 | ((i * 37) & 0x7F));
    auto [binaryResult, binaryState] = readOf(binary);
    EXPECT_FALSE(binaryResult.ok());
    EXPECT_EQ(binaryResult.fieldsFound, 1u);
    EXPECT_EQ(binaryResult.unconverted, std::vector<std::size_t>{1});
    EXPECT_EQ(binaryState, defaults);

    Main2State missing;
    EXPECT_TRUE(readMain2State(dir / "absent", missing).missing());
    EXPECT_EQ(missing, defaults);
    EXPECT_EQ(readOutputDeviceIndex(dir / "absent"), std::nullopt);
    EXPECT_EQ(readOutputDeviceIndex(dir / "f"), std::nullopt);
}

TEST(MainState, RoundTripsAndReadsTheAlarmFlagAsWritten) {
    TempDir dir;
    MainState s;
    s.alarmFlag = "True";
    s.scenarioName = "Rainy, night";
    s.randomIntervalSlider = 45;
    s.customIntervalSlider = 10;
    s.slideshowName = "Forest";
    s.pictureName = "pine.jpg";
    s.colorSchemeName = "Dusk";
    s.outputDevice = 2;
    ASSERT_TRUE(writeMainState(dir / "main.tmp", s).ok());
    MainState back;
    EXPECT_TRUE(readMainState(dir / "main.tmp", back).ok());
    EXPECT_EQ(back, s);
    EXPECT_TRUE(back.alarmOn());

    for (const char* on : {"True", "TRUE", "#TRUE#", " true "}) {
        MainState m;
        m.alarmFlag = on;
        EXPECT_TRUE(m.alarmOn()) << on;
    }
    for (const char* off : {"False", "", "Truely", "1"}) {
        MainState m;
        m.alarmFlag = off;
        EXPECT_FALSE(m.alarmOn()) << off;
    }

    writeBytes(dir / "main.tmp", "\"False\",\"x\",abc,12\r\n");
    MainState partial;
    const auto r = readMainState(dir / "main.tmp", partial);
    EXPECT_EQ(r.unconverted, (std::vector<std::size_t>{3}));
    EXPECT_EQ(r.fieldsFound, 4u);
    EXPECT_FALSE(r.fieldRead(5));
    EXPECT_EQ(partial.randomIntervalSlider, MainState{}.randomIntervalSlider);
    EXPECT_EQ(partial.customIntervalSlider, 12);
}
