// Ten minutes of bank one's rain and wind drifting at the fastest rate, rendered offline:
// no click beyond the texture's own sample-to-sample movement, and a level that wanders
// inside the set range. Two more engines play the same loops held at the range's ends, in
// step, as the yardsticks.
#include "rig.h"

#include "banks/background/background_bank.h"

#include <gtest/gtest.h>

#include <cmath>

namespace velmora {
namespace {

constexpr int kRain = 4;  // "Heavy rain"
constexpr int kWind = 9;  // "Gusty wind"
constexpr int kLow = 100; // the range both slots drift in
constexpr int kHigh = 200;
constexpr int kBlock = 441; // 10 ms
constexpr int kWindowBlocks = 10;

// The factory loops when the build has made them, else generated textures.
void provideLoop(const test::BackgroundRig& rig, int slot, double lowHz, double highHz,
                 unsigned seed) {
    const auto factory =
        std::filesystem::path(VELMORA_PROGRAM_DIR) / "bin" / (std::to_string(slot) + ".isz");
    const auto target = rig.file("bin/" + std::to_string(slot) + ".isz");
    std::error_code ec;
    std::filesystem::create_directories(target.parent_path(), ec);
    if (std::filesystem::is_regular_file(factory, ec) &&
        std::filesystem::copy_file(factory, target, ec))
        return;
    test::writeWav(target, test::loopTexture(7.0, lowHz, highHz, 0.4, seed));
}

// A loop held at a fixed volume on its own engine.
struct Yardstick {
    audio::SoundEngine engine{audio::Backend::Offline};
    explicit Yardstick(const test::BackgroundRig& rig, int volume) {
        for (auto [slot, pan] : {std::pair{kRain, 0}, std::pair{kWind, 255}}) {
            const auto s =
                engine.loadSample(rig.file("bin/" + std::to_string(slot) + ".isz").string());
            const auto c = engine.play(s);
            engine.setPan(c, pan);
            engine.setVolume(c, volume);
            engine.setLoopMode(c, audio::kLoopNormal);
        }
    }
};

struct ChannelStats {
    double maxJump = 0;
    double windowSquares = 0;
    float last = 0;
    void add(float x) {
        maxJump = std::max(maxJump, static_cast<double>(std::fabs(x - last)));
        last = x;
        windowSquares += static_cast<double>(x) * x;
    }
    double takeWindowRms() {
        const double rms = std::sqrt(windowSquares / (kBlock * kWindowBlocks));
        windowSquares = 0;
        return rms;
    }
};

TEST(LongRender, TenMinutesOfFastDriftAreClickFreeAndStayInRange) {
    test::BackgroundRig rig(false);
    provideLoop(rig, kRain, 800, 6000, 11);
    provideLoop(rig, kWind, 40, 500, 12);
    rig.unityLevels(); // effective volume = slot volume
    BackgroundBank bank(rig.services, backgroundBankOne());
    for (int slot : {kRain, kWind}) {
        bank.setVolume(slot, 150);
        bank.setPan(slot, slot == kRain ? 0 : 255);
        bank.setRate(slot, 999);
        bank.setRangeHighPos(slot, 250 - kHigh);
        bank.setRangeLowPos(slot, 250 - kLow);
    }
    Yardstick low(rig, kLow), high(rig, kHigh);
    bank.setOn(kRain, true);
    bank.setOn(kWind, true);

    std::vector<float> a(kBlock * 2), l(kBlock * 2), h(kBlock * 2);
    ChannelStats drift[2], lowStats[2], highStats[2];
    double lowestShare[2] = {1, 1}, highestShare[2] = {0, 0};
    int outside = 0, volumeOutside = 0;
    const int blocks = 10 * 60 * 100;
    for (int b = 1; b <= blocks; ++b) {
        rig.timers.advance(10);
        rig.engine.render(a.data(), kBlock);
        low.engine.render(l.data(), kBlock);
        high.engine.render(h.data(), kBlock);
        for (int i = 0; i < kBlock; ++i)
            for (int c = 0; c < 2; ++c) {
                drift[c].add(a[2 * i + c]);
                lowStats[c].add(l[2 * i + c]);
                highStats[c].add(h[2 * i + c]);
            }
        for (int slot : {kRain, kWind}) {
            const int v = rig.engine.volume(bank.voice(slot).channel());
            if (v < kLow || v > kHigh) ++volumeOutside;
        }
        if (b % kWindowBlocks) continue;
        for (int c = 0; c < 2; ++c) {
            const double d = drift[c].takeWindowRms();
            const double lo = lowStats[c].takeWindowRms();
            const double hi = highStats[c].takeWindowRms();
            if (d < lo * 0.98 || d > hi * 1.02) ++outside;
            const double share = (d - lo) / std::max(1e-9, hi - lo);
            lowestShare[c] = std::min(lowestShare[c], share);
            highestShare[c] = std::max(highestShare[c], share);
        }
    }
    EXPECT_EQ(volumeOutside, 0);
    EXPECT_EQ(outside, 0);
    for (int c = 0; c < 2; ++c) {
        SCOPED_TRACE(c == 0 ? "rain (left)" : "wind (right)");
        // No jump beyond what the loop itself does at the top of the range.
        EXPECT_LE(drift[c].maxJump, highStats[c].maxJump * 1.01 + 1e-4);
        EXPECT_GT(drift[c].maxJump, 0.0);
        // It wanders: near both ends of the range, not parked in the middle.
        EXPECT_LT(lowestShare[c], 0.25);
        EXPECT_GT(highestShare[c], 0.75);
    }
    EXPECT_TRUE(bank.slot(kRain).on && bank.slot(kWind).on);
}

} // namespace
} // namespace velmora
