// The tone bank: one tone at a time, its 52-field bw.ini, silent on a bad file.
#include "rig.h"

#include "banks/background/bw_bank.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using test::BackgroundRig;
using test::joinFields;
using test::splitFields;

struct Bw : ::testing::Test {
    BackgroundRig rig;
    BwBank bank{rig.services};
    [[nodiscard]] bool playing(int slot) const {
        return rig.engine.isPlaying(bank.voice(slot).channel());
    }
    std::vector<std::string> savedFields() {
        const auto path = rig.file("bw.ini");
        EXPECT_TRUE(bank.save(path));
        return splitFields(testing::readBytes(path));
    }
};

TEST_F(Bw, SwitchingOneOnStopsTheOther) {
    bank.setOn(2, true);
    ASSERT_TRUE(playing(2));
    bank.setOn(7, true);
    EXPECT_FALSE(playing(2));
    EXPECT_FALSE(bank.slot(2).on);
    EXPECT_TRUE(playing(7));
    EXPECT_EQ(rig.engine.playingCount(), 1);
    EXPECT_EQ(bank.soundFile(7).filename(), "b7.isx");
    EXPECT_EQ(BwBank::slotName(7), "Beta3");
    EXPECT_EQ(BwBank::slotName(16), "Delta4");
}

TEST_F(Bw, LoadLeavesOnlyTheLastSwitchedOnPlaying) {
    auto f = savedFields();
    ASSERT_EQ(f.size(), 52u);
    f[0] = "1";
    f[4] = "1";
    f[16 + 5 - 1] = "60";  // slot 5 volume
    f[36 + 5 - 1] = "250"; // slot 5 balance
    for (int p = 33; p <= 36; ++p)
        f[p - 1] = "x"; // never read
    const auto path = rig.file("in.ini");
    testing::writeBytes(path, joinFields(f));
    rig.unityLevels();
    bank.doload(path);
    EXPECT_FALSE(playing(1));
    EXPECT_TRUE(playing(5));
    EXPECT_EQ(rig.engine.playingCount(), 1);
    EXPECT_EQ(rig.engine.volume(bank.voice(5).channel()), 60);
    EXPECT_EQ(rig.engine.pan(bank.voice(5).channel()), 250);
    EXPECT_EQ(rig.levels.master(), 600);
}

TEST_F(Bw, BadFileChangesNothingAndSaysNothing) {
    bank.setOn(3, true);
    auto f = savedFields();
    f[2] = "0";
    f[2 + 16] = "abc";
    const auto path = rig.file("bad.ini");
    testing::writeBytes(path, joinFields(f));
    bank.doload(path);
    f.pop_back();
    f[2 + 16] = "5";
    testing::writeBytes(path, joinFields(f));
    bank.doload(path);
    bank.doload(rig.file("none.ini"));
    EXPECT_TRUE(rig.dialogs.messages.empty());
    EXPECT_TRUE(playing(3));
}

TEST_F(Bw, FollowsTheBwavesLevelAndKeepsVolumesAboveZero) {
    rig.unityLevels();
    bank.setVolume(9, 100);
    bank.setOn(9, true);
    rig.levels.set(Level::Bwaves, 7);
    EXPECT_EQ(rig.engine.volume(bank.voice(9).channel()), 50);
    rig.levels.set(Level::Background, 1); // another bank's level
    EXPECT_EQ(rig.engine.volume(bank.voice(9).channel()), 50);
    bank.runCommand(GroupCommand::VolumeMin);
    EXPECT_EQ(bank.slot(9).volume, 1);
    bank.runCommand(GroupCommand::PanRight);
    EXPECT_EQ(bank.slot(16).pan, 250);
    bank.runCommand(GroupCommand::StopAll);
    EXPECT_EQ(rig.engine.playingCount(), 0);
}

} // namespace
} // namespace velmora
