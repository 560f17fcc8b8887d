// With the crossfade on, a load glides from the loops that play to the scenario's own.
#include "scenario_rig.h"

#include "core/state/scenario_crossfade.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace velmora::test {
namespace {

constexpr int kRate = audio::kSampleRate;

/// The left channel of seconds of output.
std::vector<float> render(ScenarioRig& s, double seconds) {
    const int frames = static_cast<int>(seconds * kRate);
    std::vector<float> stereo(static_cast<std::size_t>(frames) * 2);
    s.rig.engine().render(stereo.data(), frames);
    std::vector<float> left(static_cast<std::size_t>(frames));
    for (int i = 0; i < frames; ++i)
        left[static_cast<std::size_t>(i)] = stereo[static_cast<std::size_t>(i) * 2];
    return left;
}

double rms(const std::vector<float>& x, double fromSeconds, double toSeconds) {
    const auto from = static_cast<std::size_t>(fromSeconds * kRate);
    const auto to = std::min(x.size(), static_cast<std::size_t>(toSeconds * kRate));
    double sum = 0;
    for (std::size_t i = from; i < to; ++i)
        sum += double(x[i]) * x[i];
    return std::sqrt(sum / double(to - from));
}

float largestStep(const std::vector<float>& x) {
    float step = 0;
    for (std::size_t i = 1; i < x.size(); ++i)
        step = std::max(step, std::abs(x[i] - x[i - 1]));
    return step;
}

/// "Loud": slots 1 (full) and 3 on; "Quiet": slot 1 down, 3 off, 5 on. Loud is playing.
void twoScenarios(ScenarioRig& s) {
    for (Bank* bank : s.rig.world().soundscape.banks())
        bank->stopAll();
    auto& bank = s.rig.world().backgroundOne;
    bank.setVolume(1, 255);
    bank.setVolume(3, 255);
    bank.setOn(1, true);
    bank.setOn(3, true);
    s.saveAs("Loud");
    bank.setVolume(1, 40);
    bank.setVolume(5, 40);
    bank.setOn(3, false);
    bank.setOn(5, true);
    s.saveAs("Quiet");
    s.rig.main().scenarios().select("Loud");
    s.rig.main().scenarios().loadSelected();
    ASSERT_EQ(s.scenarioTexts.back(), "Loud");
}

TEST(ScenarioCrossfade, LoopsGlideToTheNewScenarioWithoutAJump) {
    ScenarioRig s;
    twoScenarios(s);
    state::writeScenarioCrossfade(s.rig.world().settings, {true, 2});
    const auto before = render(s, 0.5);
    s.rig.main().scenarios().select("Quiet");
    s.rig.main().scenarios().loadSelected();
    ASSERT_EQ(s.scenarioTexts.back(), "Quiet");
    const auto change = render(s, 3.0);

    const double loud = rms(before, 0.0, 0.5);
    const double quiet = rms(change, 2.5, 3.0);
    ASSERT_LT(quiet, loud * 0.5);
    // Just after the command it still sounds like the old scenario, halfway it is between
    // the two, and after the length chosen it is the new one.
    EXPECT_GT(rms(change, 0.0, 0.1), loud * 0.9);
    const double halfway = rms(change, 0.95, 1.05);
    EXPECT_LT(halfway, loud * 0.9);
    EXPECT_GT(halfway, quiet * 1.1);
    EXPECT_NEAR(rms(change, 2.1, 2.5), quiet, quiet * 0.05);
    // No step between two samples is larger than the loops make on their own.
    const float own =
        std::max(largestStep(before), largestStep({change.end() - kRate / 2, change.end()}));
    EXPECT_LE(largestStep(change), own * 1.02f);
}

TEST(ScenarioCrossfade, OffByDefaultAndKeptInRange) {
    ScenarioRig s;
    twoScenarios(s);
    EXPECT_FALSE(state::readScenarioCrossfade(s.rig.world().settings).on);
    const auto before = render(s, 0.2);
    s.rig.main().scenarios().select("Quiet");
    s.rig.main().scenarios().loadSelected();
    // Without it the change is at once: a few milliseconds of glide.
    const auto change = render(s, 0.5);
    EXPECT_NEAR(rms(change, 0.05, 0.5), rms(change, 0.3, 0.5), rms(change, 0.3, 0.5) * 0.05);
    EXPECT_LT(rms(change, 0.05, 0.5), rms(before, 0.0, 0.2) * 0.5);

    auto& settings = s.rig.world().settings;
    state::writeScenarioCrossfade(settings, {true, 90});
    EXPECT_EQ(state::readScenarioCrossfade(settings).seconds, 30);
    settings.write(kProgramFileName, "Options", "Crossfade seconds", "1");
    EXPECT_EQ(state::readScenarioCrossfade(settings).seconds, 2);
    settings.write(kProgramFileName, "Options", "Crossfade seconds", "ten");
    EXPECT_EQ(state::readScenarioCrossfade(settings).seconds, 5);
}

} // namespace
} // namespace velmora::test
