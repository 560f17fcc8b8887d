// What the user does to a numbered bank: preview, volume sliders, level changes, stop-all,
// the bank-wide buttons and automatic randomisation.
#include "rig.h"

#include <gtest/gtest.h>

namespace velmora::test {
namespace {

TEST(RandomPreview, EverySlotIncludingTheFirstFollowsTheLevels) {
    RandomRig rig;
    auto& bank = rig.banks->bank(1);
    rig.levels.set(Level::Master, 1); // as good as muted
    for (int n : {1, 2, 28}) {
        bank.preview(n);
        const auto ch = bank.slot(n).channel;
        ASSERT_TRUE(rig.engine.isPlaying(ch)) << n;
        EXPECT_EQ(rig.engine.volume(ch), 0) << n; // 1 x 10/600 x 220/14 = 0.26
    }
    EXPECT_EQ(rig.banks->identify().totalAdded(), 0u); // previews are not listed
}

TEST(RandomPreview, MovingTheSliderOrALevelChangesThePlayingSound) {
    RandomRig rig(true, 3.0);
    auto& bank = rig.banks->bank(2);
    bank.preview(4);
    const auto ch = bank.slot(4).channel;
    // Nearest(M x R/600 x S/14) = Nearest(M x R x S / 8400):
    EXPECT_EQ(rig.engine.volume(ch), 131); // 500 x 10 x 220 / 8400 = 130.95
    bank.setVolume(4, 100);
    EXPECT_EQ(rig.engine.volume(ch), 60); // 500 x 10 x 100 / 8400 = 59.52
    rig.levels.set(Level::Random, 14);
    EXPECT_EQ(rig.engine.volume(ch), 83); // 500 x 14 x 100 / 8400 = 83.33
    rig.levels.set(Level::Master, 250);
    EXPECT_EQ(rig.engine.volume(ch), 42); // 250 x 14 x 100 / 8400 = 41.67
    // A level the random banks do not use leaves the sound alone.
    bank.setVolume(4, 200);
    rig.levels.set(Level::Background, 1);
    EXPECT_EQ(rig.engine.volume(ch), 83); // 250 x 14 x 200 / 8400 = 83.33
}

TEST(RandomStopAll, SilencesEachSlotsNewestSoundWhileAnOlderOnePlaysOn) {
    RandomRig rig(true, 2.0);
    auto& bank = rig.banks->bank(1);
    bank.preview(5);
    const auto older = bank.slot(5).channel;
    rig.run(500);
    bank.preview(5);
    const auto newer = bank.slot(5).channel;
    bank.preview(6);
    const auto other = bank.slot(6).channel;
    const auto together = rig.run(200);
    rig.banks->bank(1).stopAll();
    rig.run(50); // the stop's fade
    EXPECT_TRUE(rig.engine.isPlaying(older));
    EXPECT_FALSE(rig.engine.isPlaying(newer));
    EXPECT_FALSE(rig.engine.isPlaying(other));
    const auto alone = rig.run(500);
    EXPECT_GT(alone.rms, 0.2 * together.rms); // the older sound is still heard
    EXPECT_LT(alone.rms, 0.8 * together.rms); // and only it
    rig.run(1000);
    const auto after = rig.run(300); // the older sound has reached its end
    EXPECT_LT(after.peak, 1e-4);
}

TEST(RandomCommands, StepAndSetButtonsRespectLinkModeAndRange) {
    RandomRig rig(false);
    auto& bank = rig.banks->bank(1);
    bank.setFrequency(1, 100);
    bank.setFrequency(2, 240);
    bank.setAllFrequenciesToMaximum(); // link off: slot 3 (at 0) stays off
    EXPECT_EQ(bank.slot(1).frequency, 255);
    EXPECT_EQ(bank.slot(3).frequency, 0);
    bank.stepFrequencies(-25);
    EXPECT_EQ(bank.slot(1).frequency, 230);
    EXPECT_EQ(bank.slot(3).frequency, 0); // limited at 0
    bank.stepFrequencies(25);
    EXPECT_EQ(bank.slot(1).frequency, 255);
    EXPECT_EQ(bank.slot(3).frequency, 0);
    bank.setLinkMode(true);
    bank.stepFrequencies(25);
    EXPECT_EQ(bank.slot(3).frequency, 25);
    bank.setAllFrequenciesOff();
    bank.setAllFrequenciesToMaximum();
    EXPECT_EQ(bank.slot(3).frequency, 255);

    bank.setAllVolumes(0);
    bank.stepVolumes(25);
    EXPECT_EQ(bank.slot(28).volume, 25);
    bank.setAllVolumes(255);
    bank.stepVolumes(25);
    EXPECT_EQ(bank.slot(1).volume, 255);
}

TEST(RandomCommands, RandomizeNowKeepsOffSlotsOffAndUsesTheThreshold) {
    RandomRig rig(false);
    auto& bank = rig.banks->bank(1);
    bank.setFrequency(1, 10);
    bank.setFrequency(2, 11);
    bank.setFrequency(3, 200);
    rig.banks->form3().setThreshold(0);
    bank.randomizeFrequencies();
    EXPECT_EQ(bank.slot(1).frequency, 10);
    EXPECT_EQ(bank.slot(2).frequency, 10);
    EXPECT_EQ(bank.slot(3).frequency, 10);
    EXPECT_EQ(bank.slot(4).frequency, 0);
    bank.setFrequency(3, 200);
    rig.banks->form3().setThreshold(245);
    rig.draws({0.999999});
    bank.randomizeFrequencies();
    EXPECT_EQ(bank.slot(3).frequency, 254); // Int(r x 245) + 10 at its top
}

TEST(AutoRandomize, SwitchingOnInOneBankRandomisesAllFourEveryPeriod) {
    RandomRig rig(false);
    auto& form3 = rig.banks->form3();
    ASSERT_TRUE(form3.setPeriodMinutes(2));
    for (int b = 1; b <= 4; ++b)
        rig.banks->bank(b).setFrequency(1, 200);
    rig.banks->custom().setFrequency(1, 200);
    rig.banks->bank(3).toggleAutoRandomize();
    for (int b = 1; b <= 4; ++b) {
        EXPECT_TRUE(rig.banks->bank(b).autoRandomizeOn()) << b;
        EXPECT_EQ(rig.banks->bank(b).autoRandomizeIntervalMs(), 2000);
    }
    EXPECT_FALSE(rig.banks->custom().autoRandomizeOn());
    EXPECT_TRUE(rig.banks->autoRandomize().enabled());

    form3.setThreshold(0); // every randomised slot lands on exactly 10
    rig.advance(2 * 60'000 - 1000);
    for (int b = 1; b <= 4; ++b)
        EXPECT_EQ(rig.banks->bank(b).slot(1).frequency, 200) << b;
    rig.advance(1000);
    for (int b = 1; b <= 4; ++b)
        EXPECT_EQ(rig.banks->bank(b).slot(1).frequency, 10) << b;
    EXPECT_EQ(rig.banks->custom().slot(1).frequency, 200);

    for (int b = 1; b <= 4; ++b)
        rig.banks->bank(b).setFrequency(1, 200);
    rig.advance(2 * 60'000);
    EXPECT_EQ(rig.banks->bank(4).slot(1).frequency, 10); // again one period later

    rig.banks->bank(1).toggleAutoRandomize();
    for (int b = 1; b <= 4; ++b)
        EXPECT_FALSE(rig.banks->bank(b).autoRandomizeOn());
    rig.banks->bank(2).setFrequency(1, 200);
    rig.advance(10 * 60'000);
    EXPECT_EQ(rig.banks->bank(2).slot(1).frequency, 200);
}

TEST(AutoRandomize, ChoosingAPeriodChangesNothingUntilOk) {
    RandomRig rig(false);
    auto& form3 = rig.banks->form3();
    auto& bank = rig.banks->bank(1);
    bank.setFrequency(7, 100);
    form3.setThreshold(0);
    ASSERT_TRUE(form3.setPeriodMinutes(5));
    rig.banks->autoRandomize().setEnabled(true);
    rig.advance(3 * 60'000); // part-way through a 5-minute period

    // The list's choice is pending: the period the banks, the display and the saved value
    // use is still 5 minutes, and the bank still randomises 5 minutes after switching on.
    const auto untilOk = [&](const char* when) {
        EXPECT_EQ(form3.periodMinutes(), 5) << when;
        EXPECT_EQ(rig.banks->bank(4).autoRandomizeIntervalMs(), 5'000) << when;
        EXPECT_EQ(rig.settings.read("Velmora", "Settings4", "Period", "none"), "none") << when;
    };
    form3.choosePeriodIndex(7); // 45
    untilOk("chosen");
    rig.advance(2 * 60'000);
    EXPECT_EQ(bank.slot(7).frequency, 10);
    form3.cancel();
    EXPECT_EQ(form3.chosenPeriodIndex(), 2); // the list shows 5 again
    untilOk("cancelled");
    form3.confirm(); // OK after a cancel keeps 5 minutes
    EXPECT_EQ(form3.periodMinutes(), 5);

    form3.choosePeriodIndex(7);
    form3.confirm();
    EXPECT_EQ(form3.periodMinutes(), 45);
    EXPECT_TRUE(rig.banks->bank(4).autoRandomizeOn());
    EXPECT_EQ(rig.banks->bank(4).autoRandomizeIntervalMs(), 45'000);
    bank.setFrequency(7, 100);
    rig.advance(45 * 60'000 - 1000);
    EXPECT_EQ(bank.slot(7).frequency, 100);
    rig.advance(1000);
    EXPECT_EQ(bank.slot(7).frequency, 10);
    // The confirmed period is remembered for the next start.
    IntervalSettings again("Form3", "Settings4", rig.settings);
    EXPECT_EQ(again.periodMinutes(), 45);
}

TEST(AutoRandomize, CustomBankHasItsOwnSwitchAndDialog) {
    RandomRig rig(false);
    auto& custom = rig.banks->custom();
    custom.setFrequency(2, 150);
    rig.banks->form33().setThreshold(0);
    rig.banks->form33().setPeriodMinutes(1);
    custom.setAutoRandomize(true);
    EXPECT_FALSE(rig.banks->bank(1).autoRandomizeOn());
    rig.advance(60'000);
    EXPECT_EQ(custom.slot(2).frequency, 10);
    custom.toggleAutoRandomize();
    EXPECT_FALSE(custom.autoRandomizeOn());
    rig.banks->form33().confirm(); // OK switches it on again
    EXPECT_TRUE(custom.autoRandomizeOn());
}

} // namespace
} // namespace velmora::test
