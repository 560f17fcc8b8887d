// The 128-field bank file of banks one and two: what a save writes, what a load restores and
// in which order, and what a bad file does (the bank's message, nothing applied).
#include "rig.h"

#include "banks/background/background_bank.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using test::BackgroundRig;
using test::joinFields;
using test::splitFields;

struct BankFiles : ::testing::Test {
    BackgroundRig rig;
    BackgroundBank bank{rig.services, backgroundBankOne()};

    std::vector<std::string> savedFields() {
        const auto path = rig.file("saved.bcf");
        EXPECT_TRUE(bank.save(path));
        return splitFields(testing::readBytes(path));
    }
    std::filesystem::path writeFile(const std::vector<std::string>& fields) {
        const auto path = rig.file("in.bcf");
        testing::writeBytes(path, joinFields(fields));
        return path;
    }
};

TEST_F(BankFiles, InitialBankWritesOneLineOf128PlainNumbers) {
    const auto path = rig.file("back.ini");
    ASSERT_TRUE(bank.save(path));
    const auto bytes = testing::readBytes(path);
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    EXPECT_EQ(bytes.find_first_of(" \"\n"), bytes.size() - 1);
    const auto f = splitFields(bytes);
    ASSERT_EQ(f.size(), 128u);
    for (int p = 21; p <= 37; ++p)
        EXPECT_EQ(f[p - 1], "122") << p;
    for (int p = 95; p <= 128; p += 2) {
        EXPECT_EQ(f[p - 1], "250") << p;
        EXPECT_EQ(f[p], "0") << p + 1;
    }
    EXPECT_EQ(f[19], "500"); // the master level's copy
}

TEST_F(BankFiles, SaveAndLoadRestoreEverySlot) {
    bank.setVolume(3, 77);
    bank.setPan(17, 12);
    bank.setRate(9, 432);
    bank.setRangeHighPos(11, 40);
    bank.setRangeLowPos(11, 200);
    bank.setVolume(18, 5);
    bank.setReservedFlag(4, true);
    bank.setOn(2, true);
    const auto path = rig.file("round.bcf");
    ASSERT_TRUE(bank.save(path));

    BackgroundBank other(rig.services, backgroundBankOne());
    other.doload(path);
    EXPECT_TRUE(rig.dialogs.messages.empty());
    EXPECT_EQ(other.slot(3).volume, 77);
    EXPECT_EQ(other.slot(17).pan, 12);
    EXPECT_EQ(other.slot(9).rate, 432);
    EXPECT_EQ(other.slot(11).rangeLow(), 50);
    EXPECT_EQ(other.slot(11).rangeHigh(), 210);
    EXPECT_EQ(other.slot(18).volume, 5);
    EXPECT_TRUE(other.reservedFlag(4));
    EXPECT_TRUE(other.slot(2).on);
    EXPECT_TRUE(rig.engine.isPlaying(other.voice(2).channel()));
}

TEST_F(BankFiles, LoadStartsASlotBeforeApplyingItsVolumeAndBalance) {
    auto f = savedFields();
    f[58 + 5 - 1] = "1";   // slot 5 on
    f[5 - 1] = "40";       // volume
    f[20 + 5 - 1] = "200"; // balance
    rig.unityLevels();
    std::vector<std::pair<int, int>> atStart;
    auto c = bank.slotChanged.connect([&](int n) {
        if (n == 5 && bank.slot(5).on && atStart.empty()) {
            const auto ch = bank.voice(5).channel();
            atStart.emplace_back(rig.engine.volume(ch), rig.engine.pan(ch));
        }
    });
    bank.doload(writeFile(f));
    ASSERT_EQ(atStart.size(), 1u);
    EXPECT_EQ(atStart[0], std::make_pair(220, 122)); // started with the old values
    const auto ch = bank.voice(5).channel();
    EXPECT_EQ(rig.engine.volume(ch), 40);
    EXPECT_EQ(rig.engine.pan(ch), 200);
}

TEST_F(BankFiles, RangeBarsLoadInFileOrderAgainstTheOtherBarsCurrentPosition) {
    bank.setRangeHighPos(7, 150); // old upper position 150
    auto f = savedFields();
    f[93 + 2 * 7 - 1] = "100"; // lower position 100: below the old upper, raised to 150
    f[94 + 2 * 7 - 1] = "50";
    f[93 + 2 * 8 - 1] = "300"; // above 250: set back to 250
    bank.doload(writeFile(f));
    EXPECT_EQ(bank.slot(7).rangeLowPos, 150);
    EXPECT_EQ(bank.slot(7).rangeHighPos, 50);
    EXPECT_EQ(bank.slot(8).rangeLowPos, 250);
}

TEST_F(BankFiles, ValuesPastAControlsRangeAreLimitedNotRefused) {
    auto f = savedFields();
    f[0] = "300";
    f[20] = "-7";
    f[40] = "5000";
    f[58] = "7"; // any non-zero switch is on
    f[1] = "1e30";
    bank.doload(writeFile(f));
    EXPECT_TRUE(rig.dialogs.messages.empty());
    EXPECT_EQ(bank.slot(1).volume, 255);
    EXPECT_EQ(bank.slot(1).pan, 0);
    EXPECT_EQ(bank.slot(1).rate, 999);
    EXPECT_TRUE(bank.slot(1).on);
    EXPECT_EQ(bank.slot(2).volume, 255);
}

TEST_F(BankFiles, FieldsKeptOnlyForTheRecordHaveNoEffect) {
    bank.setPan(18, 33);
    bank.setRate(18, 44);
    auto f = savedFields();
    for (int p : {19, 20, 38, 39, 40, 58})
        f[p - 1] = "1234";
    f[19] = "not a number"; // never read, so never a problem
    bank.doload(writeFile(f));
    EXPECT_TRUE(rig.dialogs.messages.empty());
    EXPECT_EQ(rig.levels.master(), 500);
    EXPECT_EQ(rig.levels.value(Level::Bwaves), 10);
    EXPECT_EQ(bank.slot(18).pan, 33);
    EXPECT_EQ(bank.slot(18).rate, 44);
}

TEST_F(BankFiles, BadFilesShowTheMessageAndChangeNothing) {
    bank.setOn(3, true);
    bank.setVolume(4, 99);
    const std::string message = "There was a problem loading the background bank one settings.";
    auto f = savedFields();
    f[58 + 3 - 1] = "0"; // would switch slot 3 off...
    f[4 - 1] = "11";     // ...and change slot 4

    auto shortFile = f;
    shortFile.pop_back();
    auto notANumber = f;
    notANumber[120] = "abc";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"127 values", joinFields(shortFile)},
        {"text where a number belongs", joinFields(notANumber)},
        {"binary", std::string("\x00\x01\xff\xfe,\x80\x81,\r\n\x7f", 11)},
        {"empty", ""},
    };
    for (const auto& [what, bytes] : cases) {
        rig.dialogs.messages.clear();
        const auto path = rig.file("bad.bcf");
        testing::writeBytes(path, bytes);
        bank.doload(path);
        ASSERT_EQ(rig.dialogs.messages.size(), 1u) << what;
        EXPECT_EQ(rig.dialogs.lastMessage(), message) << what;
        EXPECT_TRUE(bank.slot(3).on) << what;
        EXPECT_TRUE(rig.engine.isPlaying(bank.voice(3).channel())) << what;
        EXPECT_EQ(bank.slot(4).volume, 99) << what;
    }
    rig.dialogs.messages.clear();
    bank.doload(rig.file("no such file.bcf"));
    EXPECT_EQ(rig.dialogs.lastMessage(), message);
}

TEST(BankTwoFiles, NamesItselfInItsLoadMessageAndPlaysItsOwnSounds) {
    BackgroundRig rig;
    BackgroundBank two(rig.services, backgroundBankTwo());
    two.doload(rig.file("missing.bcf"));
    EXPECT_EQ(rig.dialogs.lastMessage(),
              "There was a problem loading the background bank two settings.");
    EXPECT_EQ(two.soundFile(1).filename(), "51.isz");
    EXPECT_EQ(two.slotName(17), "Crackling fire");
    EXPECT_EQ(two.windowName(), "frmback2");
}

TEST_F(BankFiles, DialogCommandsSaveLoadAndReportAFailedSave) {
    rig.dialogs.files = {std::nullopt, rig.file("mine.bcf").string(),
                         (rig.dir() / "no folder" / "x.bcf").string(),
                         rig.file("mine.bcf").string()};
    bank.saveConfiguration(); // cancelled
    EXPECT_FALSE(std::filesystem::exists(rig.file("mine.bcf")));
    bank.setVolume(1, 3);
    bank.saveConfiguration();
    EXPECT_TRUE(std::filesystem::exists(rig.file("mine.bcf")));
    bank.saveConfiguration();
    ASSERT_EQ(rig.dialogs.messages.size(), 1u);
    EXPECT_NE(rig.dialogs.lastMessage().find("could not be saved"), std::string::npos);
    bank.setVolume(1, 200);
    bank.loadConfiguration();
    EXPECT_EQ(bank.slot(1).volume, 3);
}

} // namespace
} // namespace velmora
