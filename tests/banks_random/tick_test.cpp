// The 500 ms tick: which slot fires, how often, at what pan and volume, and which draws it
// makes from the shared generator.
#include "rig.h"

#include <gtest/gtest.h>

#include <cmath>

namespace velmora::test {
namespace {

constexpr double kTop = 0.999999; // the largest draw a test needs

TEST(RandomTick, DrawsComeInOrderAndStopWhereTheTickStops) {
    RandomRig rig;
    auto& bank = rig.banks->bank(1);
    bank.setFrequency(3, 100);
    const auto before = rig.random.drawCount();

    rig.draws({pick(0, 56)}); // v = 0: nothing selected, one draw
    bank.tick();
    EXPECT_EQ(rig.random.drawCount() - before, 1u);

    rig.draws({pick(40, 56)}); // v above 28: one draw
    bank.tick();
    EXPECT_EQ(rig.random.drawCount() - before, 2u);

    rig.draws({pick(3, 56), pick(95, 250)}); // p = 100 is not below F = 100: two draws
    bank.tick();
    EXPECT_EQ(rig.random.drawCount() - before, 4u);
    EXPECT_EQ(bank.firingCount(), 0u);

    // A firing draws v, p, pan, k in that order: pan 5 + 200, k = 7.
    rig.draws({pick(3, 56), pick(94, 250), pick(200, 250), (7 + 0.5) / (220 / 14.0)});
    bank.tick();
    EXPECT_EQ(rig.random.drawCount() - before, 8u);
    EXPECT_EQ(rig.random.remaining(), 0u);
    ASSERT_EQ(bank.firingCount(), 1u);
    const auto ch = bank.slot(3).channel;
    ASSERT_TRUE(rig.engine.isPlaying(ch));
    EXPECT_EQ(rig.engine.pan(ch), 205);
    EXPECT_EQ(rig.engine.volume(ch), 58); // start levels: 500 x 10/600 x 7 = 58.33
    EXPECT_EQ(rig.banks->identify().sounds().back(), "Tawny owl");
    EXPECT_EQ(rig.banks->identify().locations().back(), "Random 1 - column 1");
}

TEST(RandomTick, FrequencyFiveNeverPassesAndTwoFiftyFiveAlwaysDoes) {
    RandomRig rig;
    auto& bank = rig.banks->bank(2);
    bank.setFrequency(1, 5);
    bank.setFrequency(28, 255);
    for (int i = 0; i < 20; ++i) {
        rig.draws({pick(1, 56), 0.0}); // the smallest p, 5, still fails F = 5
        bank.tick();
    }
    EXPECT_EQ(bank.firingCount(), 0u);
    for (int i = 0; i < 20; ++i) {
        rig.draws({pick(28, 56), kTop, 0.5, 0.5}); // the largest p, 254, passes F = 255
        bank.tick();
    }
    EXPECT_EQ(bank.firingCount(), 20u);
    EXPECT_EQ(rig.banks->identify().locations().back(), "Random 2 - column 2");
}

TEST(RandomTick, PanStaysInsideFiveTo254) {
    RandomRig rig;
    auto& bank = rig.banks->bank(4);
    bank.setFrequency(10, 255);
    rig.draws({pick(10, 56), 0.1, 0.0, 0.5});
    bank.tick();
    EXPECT_EQ(rig.engine.pan(bank.slot(10).channel), 5);
    rig.draws({pick(10, 56), 0.1, kTop, 0.5});
    bank.tick();
    EXPECT_EQ(rig.engine.pan(bank.slot(10).channel), 254);
}

TEST(RandomTick, VolumeIsAMultipleOfTheLevelsBoundedBySlotVolume) {
    RandomRig rig;
    auto& bank = rig.banks->bank(1);
    rig.levels.set(Level::Master, 600);
    rig.levels.set(Level::Random, 14); // one multiple = 600 x 14 / 600 = 14
    bank.setFrequency(1, 255);
    auto fireWith = [&](int volume, double kDraw) {
        bank.setVolume(1, volume);
        rig.draws({pick(1, 56), 0.5, 0.5, kDraw});
        bank.tick();
        return rig.engine.volume(bank.slot(1).channel);
    };
    EXPECT_EQ(fireWith(220, 0.0), 0);    // k = 0 is silent
    EXPECT_EQ(fireWith(220, kTop), 210); // S = 220: k up to 15
    EXPECT_EQ(fireWith(255, kTop), 252); // S = 255: k up to 18
    EXPECT_EQ(fireWith(14, kTop), 0);    // S <= 14: always k = 0
    EXPECT_EQ(fireWith(1, kTop), 0);
    // Default levels: 500 x 10 / 600 = 8.33 per multiple, rounded to nearest.
    rig.levels.set(Level::Master, 500);
    rig.levels.set(Level::Random, 10);
    EXPECT_EQ(fireWith(220, (3 + 0.5) / (220 / 14.0)), 25); // 3 x 8.333 = 25.0
    EXPECT_EQ(fireWith(220, kTop), 125);                    // 15 x 8.333 = 125.0
}

TEST(RandomTick, FiringRateMatchesFrequencyOverManyTicks) {
    RandomRig rig(false); // no sound files: only the decision is measured
    auto& bank = rig.banks->bank(1);
    auto& custom = rig.banks->custom();
    bank.setFrequency(7, 130);
    bank.setFrequency(20, 5);
    custom.setFrequency(9, 128);
    custom.setFrequency(27, 0);
    constexpr int kTicks = 200'000;
    for (int i = 0; i < kTicks; ++i) {
        bank.tick();
        custom.tick();
    }
    // Numbered: (F - 5) / 250 / 56; custom: F / 255 / 42. Bounds are five standard
    // deviations of the binomial count.
    auto within = [](std::uint64_t count, double p) {
        const double mean = kTicks * p;
        const double sd = std::sqrt(kTicks * p * (1 - p));
        EXPECT_NEAR(double(count), mean, 5 * sd) << "p = " << p;
    };
    within(bank.firingCount(), (130.0 - 5) / 250 / 56);
    within(custom.firingCount(), 128.0 / 255 / 42);
}

TEST(RandomTick, CustomBankUsesItsOwnConstants) {
    RandomRig rig;
    auto& custom = rig.banks->custom();
    ASSERT_TRUE(custom.setSound(28, rig.file("bin/101.raz")));
    custom.setFrequency(28, 1);
    rig.draws({pick(28, 42), pick(0, 255), 0.0, kTop}); // p = 0 < F = 1; pan 0
    custom.tick();
    ASSERT_EQ(custom.firingCount(), 1u);
    EXPECT_EQ(rig.engine.pan(custom.slot(28).channel), 0);
    rig.draws({pick(28, 42), pick(1, 255)}); // p = 1 fails F = 1
    custom.tick();
    EXPECT_EQ(custom.firingCount(), 1u);
    rig.draws({pick(29, 42)}); // 29..41 select nothing
    custom.tick();
    EXPECT_EQ(custom.firingCount(), 1u);
    EXPECT_EQ(rig.banks->identify().sounds().back(), "101");
    EXPECT_EQ(rig.banks->identify().locations().back(), "Custom - column 2");
}

TEST(RandomTick, TimerTicksEveryHalfSecondAndSamplesLoadOnce) {
    RandomRig rig;
    auto& bank = rig.banks->bank(3);
    // A draw of 0 selects no slot, so each tick of each of the five banks takes exactly one.
    for (int i = 0; i < 10; ++i)
        rig.draws({0.0});
    const auto start = rig.random.drawCount();
    const auto ticks = [&] { return rig.random.drawCount() - start; };
    rig.advance(499);
    EXPECT_EQ(ticks(), 0u);
    rig.advance(1);
    EXPECT_EQ(ticks(), 5u);
    rig.advance(499);
    EXPECT_EQ(ticks(), 5u);
    rig.advance(1);
    EXPECT_EQ(ticks(), 10u);
    EXPECT_EQ(rig.random.remaining(), 0u);

    bank.setFrequency(12, 255);
    rig.run(120'000);
    EXPECT_GT(bank.firingCount(), 0u);
    const auto sample = bank.slot(12).sample;
    EXPECT_TRUE(sample.valid());
    rig.run(60'000);
    EXPECT_EQ(bank.slot(12).sample, sample); // loaded once, kept
}

TEST(RandomTick, MissingSoundStaysSilentAndIsRetried) {
    RandomRig rig(false);
    auto& bank = rig.banks->bank(1);
    bank.setFrequency(2, 255);
    rig.draws({pick(2, 56), 0.5, 0.5, 0.5});
    bank.tick();
    EXPECT_EQ(bank.firingCount(), 1u);
    EXPECT_FALSE(bank.slot(2).sample.valid());
    EXPECT_EQ(rig.banks->identify().totalAdded(), 0u); // nothing played, nothing listed
    writeTone(rig.file("bin/102.raz"), 0.2);
    rig.draws({pick(2, 56), 0.5, 0.5, 0.5});
    bank.tick();
    EXPECT_TRUE(bank.slot(2).sample.valid());
    EXPECT_TRUE(rig.engine.isPlaying(bank.slot(2).channel));
}

} // namespace
} // namespace velmora::test
