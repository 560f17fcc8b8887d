#include "scenario_rig.h"

#include "build_scenario.h"
#include "core/offline_services.h"
#include "scenarios/preset_list.h"

#include <gtest/gtest.h>

#include <set>

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

/// Writes every design into folder as the build does.
void writeFactory(const fs::path& folder) {
    fs::create_directories(folder);
    for (const auto& design : factory::factoryScenarios()) {
        OfflineServices world(folder / "no sounds", 1);
        Soundscape soundscape(world.services);
        ASSERT_TRUE(factory::applyDesign(soundscape, world.levels, design).empty()) << design.name;
        ASSERT_TRUE(factory::writeScenario(soundscape, world.levels, design, folder));
    }
}

TEST(FactoryScenarios, EnoughDistinctDesignsThatPlaySomething) {
    const auto& designs = factory::factoryScenarios();
    EXPECT_GE(designs.size(), 12u);
    EXPECT_LE(designs.size(), std::size_t(state::kPresetCount));
    std::set<std::string> names;
    for (const auto& d : designs) {
        EXPECT_TRUE(scenarioNameProblem(d.name).empty()) << d.name;
        names.insert(d.name);
        EXPECT_GE(d.loops.size(), 2u) << d.name;
        // One-shots together fire a few times a minute at most: about (F - 5) / 250 x 2.14
        // per slot and minute.
        double perMinute = 0;
        for (const auto& s : d.shots)
            perMinute += std::max(0, s.frequency - 5) / 250.0 * 120.0 / 56.0;
        EXPECT_LT(perMinute, 8.0) << d.name;
    }
    EXPECT_EQ(names.size(), designs.size());
}

TEST(FactoryScenarios, EachLoadsAndSavesBackByteForByte) {
    ScenarioRig s;
    writeFactory(s.folder());
    s.rig.main().scenarios().refresh();
    ASSERT_EQ(s.rig.main().scenarios().names().size(), factory::factoryScenarios().size());
    for (const auto& design : factory::factoryScenarios()) {
        const std::string name = design.name;
        s.rig.main().scenarios().select(name);
        s.rig.main().scenarios().loadSelected();
        s.finishLoad();
        ASSERT_EQ(s.scenarioTexts.back(), name);
        EXPECT_EQ(s.files->texts().notes, design.notes);
        s.saveAs("Copy");
        for (int m = 1; m <= scenarios::kMemberCount; ++m) {
            if (m == scenarios::kSchemeMember || m == scenarios::kSchemeLoadMember) continue;
            EXPECT_EQ(ScenarioRig::bytes(s.member("Copy", m)),
                      ScenarioRig::bytes(s.member(name, m)))
                << name << " member " << m;
        }
    }
}

TEST(FactoryScenarios, FirstRunBindsThePresetsAndPlaysTheFirst) {
    ScenarioRig s;
    writeFactory(s.folder());
    scenarios::PresetCaptions captions;
    captions.fill(state::kUnassignedPreset);
    for (std::size_t i = 0; i < factory::factoryScenarios().size(); ++i)
        captions[i] = factory::factoryScenarios()[i].name;
    fs::create_directories(s.rig.file("config/presets"));
    ASSERT_TRUE(
        scenarios::writePresetList(s.rig.file("config/presets/Factory.pst"), captions).ok());
    s.rig.main().scenarios().refresh();

    s.rig.main().presets().setCaption(9, "Mine");
    EXPECT_FALSE(s.presets->startFactorySet());
    EXPECT_EQ(s.rig.main().presets().captions()[0], state::kUnassignedPreset);
    s.rig.main().presets().setCaption(9, "");

    ASSERT_TRUE(s.presets->startFactorySet());
    s.finishLoad();
    EXPECT_EQ(s.rig.main().presets().captions()[0], factory::factoryScenarios()[0].name);
    EXPECT_EQ(s.scenarioTexts.back(), factory::factoryScenarios()[0].name);
    // Something is on in the first background bank, and it is heard.
    EXPECT_GT(s.rig.run(3000), 0.01);
}

} // namespace
} // namespace velmora::test
