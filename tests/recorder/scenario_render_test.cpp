// Rendering a saved scenario instead of the saved state.
#include "build_scenario.h"
#include "render.h"
#include "rig.h"

#include "scenarios/scenario_group.h"

#include <gtest/gtest.h>

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

recorder::RenderOutcome renderScenario(const fs::path& folder, const std::string& scenario,
                                       const fs::path& out) {
    recorder::RenderRequest r;
    r.programFolder = folder;
    r.output = out;
    r.seconds = 20;
    r.seed = 11;
    r.scenario = scenario;
    return recorder::render(r);
}

TEST(RecorderScenario, RendersTheScenarioTheSameForOneSeed) {
    ProgramFolderRig rig;
    const auto& design = factory::factoryScenarios().front();
    {
        OfflineServices world(rig.dir(), 1);
        Soundscape soundscape(world.services);
        ASSERT_TRUE(factory::applyDesign(soundscape, world.levels, design).empty());
        const fs::path folder = rig.dir() / "config" / "scenarios";
        fs::create_directories(folder);
        ASSERT_TRUE(factory::writeScenario(soundscape, world.levels, design, folder));
    }
    testing::TempDir out;
    // The saved state of this folder is silence; the scenario is not.
    ASSERT_EQ(renderScenario(rig.dir(), "", out / "state.wav").status,
              recorder::RenderStatus::Finished);
    const auto a = renderScenario(rig.dir(), design.name, out / "a.wav");
    const auto b = renderScenario(rig.dir(), design.name, out / "b.wav");
    ASSERT_EQ(a.status, recorder::RenderStatus::Finished) << a.error;
    ASSERT_EQ(b.status, recorder::RenderStatus::Finished) << b.error;
    const auto state = readStereo(out / "state.wav");
    const auto first = readStereo(out / "a.wav");
    EXPECT_LT(rms(state.left, 0, state.left.size()), 1e-6);
    EXPECT_GT(rms(first.left, 0, first.left.size()), 0.01);
    EXPECT_EQ(first.left, readStereo(out / "b.wav").left);
    EXPECT_EQ(first.right, readStereo(out / "b.wav").right);

    EXPECT_EQ(recorder::validate({rig.dir(), out / "c.wav", 5, 1, 0, 0, "Nowhere"}),
              "There is no scenario called \"Nowhere\" in " +
                  (rig.dir() / "config" / "scenarios").string() + ".");
}

} // namespace
} // namespace velmora::test
