// The scenario commands and preset grid under the main window's list, offscreen.
#include "scenario_rig.h"

#include "ui/scenarios/preset_grid.h"
#include "ui/scenarios/scenario_commands_view.h"

#include <QPushButton>

#include <gtest/gtest.h>

namespace velmora::test {
namespace {

QPushButton* button(QWidget& view, const char* name) {
    return view.findChild<QPushButton*>(QString::fromUtf8(name));
}

TEST(ScenarioViews, PresetButtonsShowBindingsLoadAndFlash) {
    ScenarioRig s;
    s.saveAs("Rain");
    PresetButtons& presets = s.rig.main().presets();
    presets.setCaption(0, "Rain");
    ScenarioCommandsView view(s.rig.main(), *s.files, *s.presets, nullptr);
    view.resize(300, 600);
    view.show();

    QPushButton* first = button(view, "cmdpreset0");
    QPushButton* empty = button(view, "cmdpreset13");
    ASSERT_TRUE(first && empty);
    EXPECT_EQ(first->text(), "Rain");
    EXPECT_EQ(first->toolTip(), "Rain");
    EXPECT_EQ(empty->toolTip(), state::kUnassignedPreset);
    // Bound and empty presets look different.
    EXPECT_NE(first->styleSheet(), empty->styleSheet());

    s.rig.main().scenarios().select("");
    first->click();
    EXPECT_EQ(s.scenarioTexts.back(), "Rain");

    s.dialogs().files.push_back((s.folder() / "Rain.vlm").string());
    button(view, "xpbs24")->click();
    s.rig.run(700);
    EXPECT_EQ(empty->styleSheet(), first->styleSheet()) << "every button flashes alike";
    empty->click();
    EXPECT_EQ(empty->text(), "Rain");
    EXPECT_FALSE(presets.isFlashing());

    s.rig.main().scenarios().setLoading(true);
    EXPECT_FALSE(first->isEnabled());
    EXPECT_FALSE(button(view, "chameleonButton2")->isEnabled());
    s.rig.main().scenarios().setLoading(false);
    EXPECT_TRUE(first->isEnabled());
}

} // namespace
} // namespace velmora::test
