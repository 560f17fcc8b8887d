// Volumes reaching the mixer, the drift walk, switching and the group commands of the
// numbered background banks, measured on the real engine's channels in virtual time.
#include "rig.h"

#include "banks/background/background_bank.h"
#include "banks/background/level_math.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using test::BackgroundRig;

struct BankOne : ::testing::Test {
    BackgroundRig rig;
    BackgroundBank bank{rig.services, backgroundBankOne()};

    [[nodiscard]] int channelVolume(int slot) const {
        return rig.engine.volume(bank.voice(slot).channel());
    }
    [[nodiscard]] bool playing(int slot) const {
        return rig.engine.isPlaying(bank.voice(slot).channel());
    }
};

TEST(LevelMath, RoundsHalvesToEvenAndDrawsBothEnds) {
    EXPECT_EQ(nearestEven(50.5), 50);
    EXPECT_EQ(nearestEven(51.5), 52);
    EXPECT_EQ(nearestEven(-0.5), 0);
    EXPECT_EQ(nearestEven(2.4999), 2);
    ScriptedRandom r;
    for (double v : {0.0, 0.9999, 0.5, 0.75, 0.25})
        r.push(v);
    EXPECT_EQ(rnd2(r, 100, 200), 100);
    EXPECT_EQ(rnd2(r, 100, 200), 200);
    EXPECT_EQ(rnd2(r, 0, 1), 0); // 0.5 ties to even
    EXPECT_EQ(rnd2(r, 0, 1), 1);
    EXPECT_EQ(rnd2(r, 0, 250), 62); // 62.5 ties to even
}

TEST_F(BankOne, EffectiveVolumeFollowsBankAndMasterLevels) {
    rig.unityLevels();
    bank.setVolume(3, 200);
    bank.setOn(3, true);
    EXPECT_TRUE(playing(3));
    EXPECT_EQ(channelVolume(3), 200); // 14 x 600 gives the slot's own volume

    bank.setVolume(3, 101);
    rig.levels.set(Level::Background, 7);
    EXPECT_EQ(channelVolume(3), 50); // 50.5 ties to even

    rig.levels.set(Level::Master, 300);
    EXPECT_EQ(channelVolume(3), 25); // 25.25
    // A level change re-applies volumes but starts nothing.
    EXPECT_FALSE(playing(4));
    EXPECT_EQ(rig.engine.playingCount(), 1);
}

TEST_F(BankOne, RangeZeroToZeroSettlesAt125) {
    rig.unityLevels();
    bank.setVolume(1, 120);
    bank.setRate(1, 999);
    bank.setRangeHighPos(1, 250); // range 0..0: the draw can only give 0
    EXPECT_EQ(bank.slot(1).rangeHigh(), 0);
    bank.setOn(1, true);
    rig.run(1000);
    EXPECT_EQ(bank.slot(1).volume, 125);
    EXPECT_EQ(channelVolume(1), 125);
    rig.run(5000);
    EXPECT_EQ(bank.slot(1).volume, 125);
}

TEST_F(BankOne, FreshSlotHeadsFor125ThenSettlesInsideANarrowRange) {
    rig.unityLevels();
    bank.setVolume(1, 120);
    bank.setRate(1, 999);
    bank.setOn(1, true);
    rig.run(10); // two steps towards the default target 125
    EXPECT_EQ(bank.slot(1).volume, 122);

    bank.setRangeHighPos(1, 150);
    bank.setRangeLowPos(1, 150); // range 100..100; each bound change draws inside it
    EXPECT_EQ(bank.slot(1).target, 100);
    rig.run(2000);
    EXPECT_EQ(bank.slot(1).volume, 100);
    rig.run(5000);
    EXPECT_EQ(bank.slot(1).volume, 100);
    EXPECT_EQ(channelVolume(1), 100);
}

TEST_F(BankOne, DriftStepsOncePerPeriodTowardsTheDrawnTarget) {
    rig.unityLevels();
    bank.setVolume(2, 140);
    rig.draws({0.5, 0.5});
    bank.setRangeHighPos(2, 50); // 0..200
    bank.setRangeLowPos(2, 150); // 100..200, target Rnd2(100, 200) at 0.5 = 150
    EXPECT_EQ(bank.slot(2).target, 150);
    bank.setOn(2, true); // rate 800: a step every second
    rig.timers.advance(999);
    EXPECT_EQ(bank.slot(2).volume, 140);
    rig.timers.advance(1);
    EXPECT_EQ(bank.slot(2).volume, 141);
    bank.setRate(2, 998); // every 10 ms, counted from the change
    rig.timers.advance(90);
    EXPECT_EQ(bank.slot(2).volume, 150);
    // Arrival drew the next target in the same step.
    EXPECT_EQ(rig.random.drawCount(), 3u);
}

TEST_F(BankOne, RateZeroHoldsAndRaisingItDriftsWithoutARestart) {
    rig.unityLevels();
    bank.setVolume(4, 200);
    bank.setRate(4, 0);
    bank.setOn(4, true);
    const auto channel = bank.voice(4).channel();
    rig.run(5000);
    EXPECT_EQ(bank.slot(4).volume, 200);
    bank.setRate(4, 999);
    rig.run(100);
    EXPECT_EQ(bank.slot(4).volume, 180); // 20 steps towards 125
    EXPECT_EQ(bank.voice(4).channel(), channel);
    EXPECT_TRUE(rig.engine.isPlaying(channel));
}

TEST_F(BankOne, SwitchingOffStopsAndOnStartsAFreshChannelWithCurrentValues) {
    bank.setOn(6, true);
    const auto first = bank.voice(6).channel();
    bank.setOn(6, false);
    EXPECT_FALSE(rig.engine.isPlaying(first));
    bank.setPan(6, 30);
    bank.setVolume(6, 90);
    rig.run(3000); // no drift while off
    EXPECT_EQ(bank.slot(6).volume, 90);
    bank.setOn(6, true);
    EXPECT_NE(bank.voice(6).channel(), first);
    EXPECT_EQ(rig.engine.pan(bank.voice(6).channel()), 30);
    EXPECT_EQ(channelVolume(6), 54); // 90 x 10/14 x 500/600 = 53.6 at the start levels
}

TEST(BankOneWithoutSounds, MissingSoundIsMuteAndRetriedAtTheNextSwitchOn) {
    BackgroundRig rig(false);
    BackgroundBank bank(rig.services, backgroundBankOne());
    bank.setOn(5, true);
    EXPECT_FALSE(rig.engine.isPlaying(bank.voice(5).channel()));
    EXPECT_TRUE(rig.dialogs.messages.empty());
    bank.setVolume(5, 10); // calls on the dead channel do nothing
    test::writeWav(rig.file("bin/5.isz"), test::loopTexture(0.1, 100, 400, 0.3, 1));
    bank.setOn(5, false);
    bank.setOn(5, true);
    EXPECT_TRUE(rig.engine.isPlaying(bank.voice(5).channel()));
}

TEST_F(BankOne, StartupSoundPlaysOnceNearlySilent) {
    bank.activate();
    EXPECT_EQ(rig.engine.playingCount(), 1);
    bank.activate();
    EXPECT_EQ(rig.engine.playingCount(), 1);
    bank.stopAll(); // not the bank's to stop
    EXPECT_EQ(rig.engine.playingCount(), 1);
}

TEST_F(BankOne, GroupCommandsStepEverySlotAndStopAtTheControlsEnds) {
    bank.runCommand(GroupCommand::VolumeMax);
    EXPECT_EQ(bank.slot(1).volume, 250);
    EXPECT_EQ(bank.slot(17).volume, 250);
    EXPECT_EQ(bank.slot(18).volume, 220); // the hidden slot's volume is not a group's
    bank.runCommand(GroupCommand::VolumeUp);
    EXPECT_EQ(bank.slot(9).volume, 255);
    bank.runCommand(GroupCommand::VolumeMin);
    bank.runCommand(GroupCommand::VolumeDown);
    EXPECT_EQ(bank.slot(9).volume, 0);

    bank.runCommand(GroupCommand::PanRight);
    EXPECT_EQ(bank.slot(18).pan, 250); // balance commands include the hidden slot
    bank.runCommand(GroupCommand::RateDown);
    EXPECT_EQ(bank.slot(18).rate, 750);
    bank.runCommand(GroupCommand::RateMax);
    EXPECT_EQ(bank.slot(3).rate, 999);

    bank.setRangeHighPos(2, 150);
    bank.setRangeLowPos(2, 150); // slot 2: 100..100
    bank.runCommand(GroupCommand::RangeLowUp);
    EXPECT_EQ(bank.slot(1).rangeLow(), 15);
    EXPECT_EQ(bank.slot(2).rangeLow(), 100); // cannot pass the upper bound
    bank.runCommand(GroupCommand::RangeHighDown);
    EXPECT_EQ(bank.slot(1).rangeHigh(), 245);
    EXPECT_EQ(bank.slot(2).rangeHigh(), 100);
    for (int k = 0; k < 50; ++k)
        bank.runCommand(GroupCommand::RangeHighDown);
    EXPECT_EQ(bank.slot(1).rangeHigh(), 15); // stops at the lower bound
    EXPECT_LE(bank.slot(1).rangeLow(), bank.slot(1).rangeHigh());

    bank.setOn(1, true);
    bank.setOn(17, true);
    bank.runCommand(GroupCommand::StopAll);
    EXPECT_EQ(rig.engine.playingCount(), 0);
    EXPECT_FALSE(bank.slot(17).on);
}

} // namespace
} // namespace velmora
