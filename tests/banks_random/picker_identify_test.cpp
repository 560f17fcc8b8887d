// The sound picker's limits and hand-over, and the identify window's lists.
#include "rig.h"

#include <gtest/gtest.h>

namespace velmora::test {
namespace {

std::vector<std::string> names(int n) {
    std::vector<std::string> v;
    for (int i = 0; i < n; ++i)
        v.push_back("f" + std::to_string(i) + ".wav");
    return v;
}

TEST(SoundPicker, RandomModeRefusesThe29thFileAndBackModeThe17th) {
    RandomRig rig(false);
    auto& picker = rig.banks->picker();
    picker.open(PickerMode::Random);
    EXPECT_EQ(picker.startFolder(), rig.file("soundbanks/random sounds"));
    EXPECT_TRUE(picker.addSelected("/x", names(28)));
    EXPECT_TRUE(rig.dialogs.messages.empty());
    EXPECT_FALSE(picker.addOne("/x", "one-more.wav"));
    EXPECT_EQ(picker.names().size(), 28u);
    EXPECT_EQ(rig.dialogs.lastMessage(), kPickerRandomLimit);

    picker.clear();
    rig.dialogs.messages.clear();
    picker.open(PickerMode::Back);
    EXPECT_FALSE(picker.addSelected("/y", names(20)));
    EXPECT_EQ(picker.names().size(), 16u);
    EXPECT_EQ(picker.paths()[15], "/y/f15.wav");
    EXPECT_EQ(rig.dialogs.lastMessage(), kPickerBackLimit);
    EXPECT_EQ(rig.dialogs.messages.size(), 1u);
    picker.clear();
    picker.addAll("/y", names(20)); // stops silently
    EXPECT_EQ(picker.names().size(), 16u);
    EXPECT_EQ(rig.dialogs.messages.size(), 1u);
}

TEST(SoundPicker, EditingKeepsNamesAndPathsInStep) {
    RandomRig rig(false);
    auto& picker = rig.banks->picker();
    picker.addAll("/d", names(4));
    EXPECT_EQ(picker.moveUp(2), 1);
    EXPECT_EQ(picker.moveDown(3), 3); // already last
    picker.removeAt(0);
    const std::vector<std::string> expectNames{"f2.wav", "f1.wav", "f3.wav"};
    EXPECT_EQ(picker.names(), expectNames);
    EXPECT_EQ(picker.paths()[0], "/d/f2.wav");
    EXPECT_EQ(picker.paths()[2], "/d/f3.wav");
}

TEST(SoundPicker, OkHandsTheListToTheModesBank) {
    RandomRig rig(false);
    auto& picker = rig.banks->picker();
    std::vector<std::string> toBackground;
    picker.setBackApply([&](const std::vector<std::string>& p) { toBackground = p; });
    picker.open(PickerMode::Back);
    EXPECT_FALSE(picker.ok());
    EXPECT_EQ(rig.dialogs.lastMessage(), kPickerNothingSelected);
    EXPECT_EQ(rig.dialogs.messages.back().title, "Choose sounds") << "titled by its window";
    EXPECT_TRUE(toBackground.empty());

    writeTone(rig.file("soundbanks/random sounds/wren.wav"), 0.3);
    const auto files = SoundPicker::soundFilesIn(rig.file("soundbanks/random sounds"));
    ASSERT_EQ(files, std::vector<std::string>{"wren.wav"});
    picker.addAll(rig.file("soundbanks/random sounds"), files);
    EXPECT_TRUE(picker.ok());
    ASSERT_EQ(toBackground.size(), 1u);
    EXPECT_EQ(rig.banks->custom().slot(1).caption, kNotSet); // not the random bank

    rig.banks->custom().setFrequency(1, 50);
    picker.open(PickerMode::Random);
    EXPECT_TRUE(picker.ok());
    EXPECT_EQ(rig.banks->custom().slot(1).caption, "wren");
    EXPECT_EQ(rig.banks->custom().slot(1).frequency, 0);
}

TEST(SoundIdentify, ListsStartWaitingKeepTheNewestThousandAndClear) {
    SoundIdentify id;
    ASSERT_EQ(id.sounds().size(), 1u);
    EXPECT_EQ(id.sounds().front(), "Waiting...");
    EXPECT_EQ(id.locations().front(), "Waiting...");
    for (int i = 0; i < 1500; ++i)
        id.add("s" + std::to_string(i), "Random 1 - column 1");
    EXPECT_EQ(id.sounds().size(), SoundIdentify::kMaxLines);
    EXPECT_EQ(id.locations().size(), SoundIdentify::kMaxLines);
    EXPECT_EQ(id.sounds().front(), "s500");
    EXPECT_EQ(id.sounds().back(), "s1499");
    id.clear();
    id.add("Robin", "Random 1 - column 2");
    ASSERT_EQ(id.sounds().size(), 2u);
    EXPECT_EQ(id.sounds()[0], "Waiting...");
    EXPECT_EQ(id.sounds()[1], "Robin");
    EXPECT_EQ(id.locations()[1], "Random 1 - column 2");
}

TEST(SoundIdentify, BankOneListsBothStarlingsSeparately) {
    RandomRig rig;
    auto& bank = rig.banks->bank(1);
    bank.setFrequency(18, 255);
    bank.setFrequency(24, 255);
    for (int slot : {18, 24}) {
        rig.draws({pick(slot, 56), 0.5, 0.5, 0.5});
        bank.tick();
    }
    const auto& s = rig.banks->identify().sounds();
    const auto& l = rig.banks->identify().locations();
    ASSERT_EQ(s.size(), 3u);
    EXPECT_EQ(s[1], "Starling");
    EXPECT_EQ(s[2], "Starling");
    EXPECT_EQ(l[1], "Random 1 - column 2");
    EXPECT_EQ(l[2], "Random 1 - column 2");
}

} // namespace
} // namespace velmora::test
