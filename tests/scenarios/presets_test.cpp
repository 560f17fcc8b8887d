#include "scenario_rig.h"

#include "scenarios/preset_list.h"

#include <gtest/gtest.h>

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

TEST(Presets, AssignFlashesUntilAClickBindsTheSlot) {
    ScenarioRig s;
    PresetButtons& presets = s.rig.main().presets();
    s.dialogs().files.push_back(std::nullopt);
    s.presets->assign();
    EXPECT_FALSE(presets.isFlashing());

    s.dialogs().files.push_back((s.folder() / "Night by the lake.vlm").string());
    s.presets->assign();
    std::vector<std::uint32_t> colours;
    auto flash = presets.flashed.connect([&] { colours.push_back(presets.flashColour()); });
    s.rig.run(1250);
    EXPECT_EQ(colours, (std::vector<std::uint32_t>{kPresetFlashOn, kPresetFlashOff}));

    int repaints = 0;
    auto repaint = presets.changed.connect([&] { ++repaints; });
    presets.click(13);
    EXPECT_FALSE(presets.isFlashing());
    EXPECT_GE(repaints, 1);
    EXPECT_EQ(presets.captions()[13], "Night by the lake");
    EXPECT_TRUE(presets.isAssigned(13));
    s.rig.run(1300);
    EXPECT_EQ(colours.size(), 2u);
}

TEST(Presets, ClickLoadsAndADeletedScenarioGivesLoadError) {
    ScenarioRig s;
    PresetButtons& presets = s.rig.main().presets();
    s.saveAs("Rain");
    s.rig.main().scenarios().select("");
    presets.setCaption(2, "Rain");
    presets.click(2);
    EXPECT_EQ(s.scenarioTexts.back(), "Rain");
    EXPECT_EQ(s.rig.main().scenarios().selected(), "Rain");

    const auto shown = s.scenarioTexts.size();
    presets.click(5); // unassigned: nothing happens
    EXPECT_EQ(s.scenarioTexts.size(), shown);

    s.dialogs().questionAnswers.push_back(true);
    s.files->deleteSelected();
    presets.click(2);
    EXPECT_EQ(s.scenarioTexts.back(), "Load error");
    EXPECT_EQ(presets.captions()[2], "Rain");

    presets.hover(2);
    EXPECT_EQ(s.rig.main().displays().text(Display::Preset), "Rain");
    presets.hover(5);
    EXPECT_EQ(s.rig.main().displays().text(Display::Preset), "Unassigned");
    presets.hover(-1);
    EXPECT_EQ(s.rig.main().displays().text(Display::Preset), "No preset selected");
}

TEST(Presets, ClearAndListsChangeCaptionsOnlyWhenTheyShould) {
    ScenarioRig s;
    PresetButtons& presets = s.rig.main().presets();
    presets.setCaption(0, "Rain");
    s.dialogs().questionAnswers.push_back(false);
    s.presets->clear();
    EXPECT_EQ(presets.captions()[0], "Rain");

    const auto list = s.rig.file("mine.pst");
    s.dialogs().files.push_back(s.rig.file("mine").string());
    s.presets->saveList();
    std::string expected = "\"Rain\"";
    for (int i = 1; i < 14; ++i)
        expected += ",\"Currently Unassigned\"";
    EXPECT_EQ(ScenarioRig::bytes(list), expected + "\r\n");

    s.dialogs().questionAnswers.push_back(true);
    s.presets->clear();
    EXPECT_FALSE(presets.isAssigned(0));

    for (const std::string bad : {"", "\"a\",\"b\",\"c\""}) {
        ScenarioRig::write(s.rig.file("bad.pst"), bad);
        s.dialogs().files.push_back(s.rig.file("bad.pst").string());
        s.presets->loadList();
        EXPECT_EQ(s.dialogs().lastMessage(), "The preset file could not be opened.");
        EXPECT_FALSE(presets.isAssigned(0));
    }
    s.dialogs().files.push_back(list.string());
    s.presets->loadList();
    EXPECT_EQ(presets.captions()[0], "Rain");
}

TEST(PresetList, ReadsFourteenCaptionsWhateverElseTheFileHolds) {
    std::string text = "\"Rain, heavy\",\"\"";
    for (int i = 2; i < 14; ++i)
        text += ",\"S" + std::to_string(i) + "\"";
    const auto read = scenarios::parsePresetList(text + ",\"extra\"\n");
    ASSERT_TRUE(read);
    EXPECT_EQ((*read)[0], "Rain, heavy");
    EXPECT_EQ((*read)[1], state::kUnassignedPreset);
    EXPECT_EQ((*read)[13], "S13");
    EXPECT_EQ(scenarios::parsePresetList(scenarios::presetListBytes(*read)), read);
    EXPECT_FALSE(scenarios::parsePresetList(std::string(12, ',')));
}

} // namespace
} // namespace velmora::test
