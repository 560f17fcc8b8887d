// The numbered banks' 60-field files: exact layout, the slot-23 quirk, and that a bad file
// changes nothing.
#include "rig.h"

#include "banks/random/random_bank_file.h"
#include "core/files/text_record.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace velmora::test {
namespace {

std::string readAll(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void writeAll(const std::filesystem::path& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary) << bytes;
}

std::string joined(const std::vector<int>& v, const char* sep = ",") {
    std::string s;
    for (std::size_t i = 0; i < v.size(); ++i)
        s += (i ? sep : "") + std::to_string(v[i]);
    return s;
}

TEST(RandomBankFile, InitialBankIsWrittenByteForByte) {
    RandomRig rig(false);
    auto& bank = rig.banks->bank(1);
    const auto path = rig.file("rand.ini");
    bank.dosave(path);
    std::vector<int> expected(18, 220);
    expected.push_back(rig.levels.value(Level::Bwaves));
    expected.push_back(rig.levels.master());
    expected.insert(expected.end(), 14, 0);
    expected.insert(expected.end(), 7, 220);
    expected.insert(expected.end(), 5, 220);
    expected.insert(expected.end(), 14, 0);
    ASSERT_EQ(expected.size(), 60u);
    EXPECT_EQ(readAll(path), joined(expected) + "\r\n");
    EXPECT_TRUE(rig.dialogs.messages.empty());
}

TEST(RandomBankFile, EverySlotSurvivesSaveAndLoad) {
    RandomRig rig(false);
    auto& a = rig.banks->bank(2);
    for (int n = 1; n <= kRandomSlotCount; ++n) {
        a.setVolume(n, 3 * n);
        a.setFrequency(n, 255 - 2 * n);
    }
    const auto path = rig.file("a.rcf");
    a.dosave(path);
    auto& b = rig.banks->bank(3);
    b.doload(path);
    for (int n = 1; n <= kRandomSlotCount; ++n) {
        EXPECT_EQ(b.slot(n).volume, 3 * n) << "slot " << n;
        EXPECT_EQ(b.slot(n).frequency, 255 - 2 * n) << "slot " << n;
    }
    EXPECT_TRUE(rig.dialogs.messages.empty());
}

TEST(RandomBankFile, FieldLayoutFollowsTheSliderNumbers) {
    RandomBankValues v;
    v.volume[22] = 77;    // slot 23 -> fields 39, 40, 41
    v.volume[23] = 11;    // slot 24 -> field 42
    v.frequency[14] = 99; // slot 15 -> field 47
    const auto fields = files::parseFields(formatRandomBankFile(v));
    ASSERT_EQ(fields.size(), 60u);
    EXPECT_EQ(fields[38].text, "77");
    EXPECT_EQ(fields[39].text, "77");
    EXPECT_EQ(fields[40].text, "77");
    EXPECT_EQ(fields[41].text, "11");
    EXPECT_EQ(fields[46].text, "99");
}

TEST(RandomBankFile, SlotTwentyThreeTakesFieldForty) {
    std::vector<int> f(60, 0);
    f[38] = 10; // field 39
    f[39] = 20; // field 40
    f[40] = 30; // field 41
    const auto r = parseRandomBankFile(joined(f));
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.values.volume[22], 20);
}

TEST(RandomBankFile, ValuesOnSeparateLinesAndOutOfRangeValuesAreAccepted) {
    std::vector<int> f(60, 100);
    f[0] = 999;  // slot 1 volume
    f[20] = -40; // slot 1 frequency
    const auto r = parseRandomBankFile(joined(f, "\n"));
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.values.volume[0], 255);
    EXPECT_EQ(r.values.frequency[0], 0);
    EXPECT_EQ(r.values.volume[1], 100);
}

TEST(RandomBankFile, BadFilesShowTheBanksMessageAndChangeNoSlider) {
    RandomRig rig(false);
    auto& bank = rig.banks->bank(3);
    bank.setVolume(5, 17);
    bank.setFrequency(9, 44);
    std::vector<int> ok(60, 123);
    std::vector<int> short59(59, 1);
    std::string nonNumeric = joined(ok);
    nonNumeric.replace(nonNumeric.find("123"), 3, "abc");
    std::string binary(5000, '\0');
    for (std::size_t i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<char>(i * 7);
    const std::vector<std::string> bad{joined(short59), nonNumeric, binary, ""};
    int i = 0;
    for (const auto& bytes : bad) {
        const auto p = rig.file("bad" + std::to_string(i++) + ".rcf");
        writeAll(p, bytes);
        rig.dialogs.messages.clear();
        bank.doload(p);
        ASSERT_EQ(rig.dialogs.messages.size(), 1u) << "case " << i;
        EXPECT_EQ(rig.dialogs.lastMessage(), "The file could not be opened correctly -3");
        EXPECT_EQ(rig.dialogs.messages.back().icon, MessageIcon::Information);
        for (int n = 1; n <= kRandomSlotCount; ++n) {
            EXPECT_EQ(bank.slot(n).volume, n == 5 ? 17 : 220);
            EXPECT_EQ(bank.slot(n).frequency, n == 9 ? 44 : 0);
        }
    }
    rig.dialogs.messages.clear();
    rig.banks->bank(1).doload(rig.file("missing.ini"));
    EXPECT_EQ(rig.dialogs.lastMessage(), "The file could not be opened correctly - 1.");
}

TEST(RandomBankFile, CopyFieldsDoNotMoveTheMainLevels) {
    RandomRig rig(false);
    const int master = rig.levels.master();
    const int bwaves = rig.levels.value(Level::Bwaves);
    std::vector<int> f(60, 50);
    f[18] = 1; // field 19
    f[19] = 2; // field 20
    writeAll(rig.file("x.rcf"), joined(f));
    rig.banks->bank(1).doload(rig.file("x.rcf"));
    EXPECT_EQ(rig.levels.master(), master);
    EXPECT_EQ(rig.levels.value(Level::Bwaves), bwaves);
    EXPECT_EQ(rig.banks->bank(1).slot(1).volume, 50);
}

// Quit and scenarios collect dosave's failures and tell the user once; only the bank's
// own save command tells the user itself.
TEST(RandomBankFile, UnwritableSaveIsToldOnlyByTheBanksOwnCommand) {
    RandomRig rig(false);
    auto& bank = rig.banks->bank(1);
    bank.setVolume(1, 3);
    EXPECT_FALSE(bank.dosave(rig.file("no/such/folder/x.rcf")));
    EXPECT_TRUE(rig.dialogs.messages.empty());
    rig.dialogs.files = {rig.file("no/such/folder/x.rcf").string()};
    bank.saveConfiguration();
    ASSERT_EQ(rig.dialogs.messages.size(), 1u);
    EXPECT_NE(rig.dialogs.lastMessage().find("could not be saved"), std::string::npos);
    EXPECT_EQ(bank.slot(1).volume, 3);
}

TEST(RandomBankFile, SaveAndLoadCommandsUseTheConfigurationFolder) {
    RandomRig rig(false);
    auto& bank = rig.banks->bank(1);
    bank.setFrequency(2, 200);
    rig.dialogs.files = {std::nullopt, rig.file("mine.rcf").string(),
                         rig.file("mine.rcf").string()};
    bank.saveConfiguration(); // cancelled: nothing written
    EXPECT_FALSE(std::filesystem::exists(rig.file("mine.rcf")));
    bank.saveConfiguration();
    EXPECT_TRUE(std::filesystem::exists(rig.file("mine.rcf")));
    bank.setFrequency(2, 0);
    bank.loadConfiguration();
    EXPECT_EQ(bank.slot(2).frequency, 200);
    EXPECT_EQ(bank.configFolder(), rig.file("config/main/random bank 1"));
}

} // namespace
} // namespace velmora::test
