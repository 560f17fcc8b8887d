// The members a scenario keeps for other windows: the effects record and the whole colour
// scheme, written with the banks and brought back with them.
#include "appearance/scenario_scheme.h"
#include "effects/effects_controller.h"
#include "scenario_rig.h"

#include <gtest/gtest.h>

namespace velmora::test {
namespace {

using effects::EffectsPage;

struct MemberRig {
    MemberRig() {
        editor.setApplyAll([this](const ColorScheme& scheme) { s.rig.main().docolors(scheme); });
        editor.load(s.rig.main().colorScheme());
        fx.load();
        s.files->setColors(&colours);
        s.files->setEffects(&fx);
    }
    /// Every element of the scheme editor in one colour, and one LCD backlight.
    void chooseScheme(std::uint32_t colour, int backlight) {
        for (int element = 1; element <= 15; ++element)
            editor.setElement(element, colour);
        editor.setBacklight(backlight);
        editor.apply();
    }
    void chooseDusk() { chooseScheme(0x203040, 0); }
    void load(const std::string& name) { s.files->loadScenario(name); }

    ScenarioRig s;
    appearance::SchemeEditor editor{s.rig.world().services};
    appearance::ScenarioScheme colours{editor, s.rig.main()};
    effects::EffectsController fx{s.rig.world().services};
};

TEST(ScenarioMembers, ReverbAndTheWholeSchemeComeBackWithTheScenario) {
    MemberRig m;
    m.fx.toggle(EffectsPage::Reverb);
    ASSERT_TRUE(m.fx.isOn(EffectsPage::Reverb));
    m.fx.setReverbSlider(6, 450);
    m.chooseDusk();
    const ColorScheme dusk = m.s.rig.main().colorScheme();
    m.s.saveAs("Dusk");
    EXPECT_TRUE(std::filesystem::exists(m.s.member("Dusk", scenarios::kEffectsMember)));

    m.fx.toggle(EffectsPage::Reverb);
    m.fx.setReverbSlider(6, 30);
    m.chooseScheme(0xE0E0E0, 1);
    ASSERT_NE(m.s.rig.main().colorScheme(), dusk);

    m.load("Dusk");
    EXPECT_EQ(m.s.scenarioTexts.back(), "Dusk");
    EXPECT_TRUE(m.fx.isOn(EffectsPage::Reverb));
    EXPECT_EQ(m.fx.reverb()[6], 450);
    EXPECT_EQ(m.s.rig.main().colorScheme(), dusk);

    // Deleting takes the effects member with the rest.
    m.s.rig.main().scenarios().select("Dusk");
    m.s.dialogs().questionAnswers.push_back(true);
    m.s.files->deleteSelected();
    EXPECT_FALSE(std::filesystem::exists(m.s.member("Dusk", scenarios::kEffectsMember)));
}

TEST(ScenarioMembers, AScenarioWithoutColourOrEffectsMembersKeepsTheUsersOwn) {
    MemberRig m;
    m.s.saveAs("Meadow");
    // As the factory scenarios are shipped: banks and the main member only.
    for (int member :
         {scenarios::kSchemeMember, scenarios::kSchemeLoadMember, scenarios::kEffectsMember})
        std::filesystem::remove(m.s.member("Meadow", member));
    m.chooseDusk();
    const ColorScheme mine = m.s.rig.main().colorScheme();
    m.fx.toggle(EffectsPage::Reverb);
    const bool reverbOn = m.fx.isOn(EffectsPage::Reverb);

    m.load("Meadow");
    EXPECT_EQ(m.s.scenarioTexts.back(), "Meadow");
    EXPECT_EQ(m.s.rig.main().colorScheme(), mine);
    EXPECT_EQ(m.fx.isOn(EffectsPage::Reverb), reverbOn);
}

TEST(ScenarioMembers, AColourMemberOfTheOlderTenColourLayoutStillLoads) {
    MemberRig m;
    m.s.saveAs("Old");
    ScenarioRig::write(m.s.member("Old", scenarios::kSchemeLoadMember), "1,2,3,4,5,6,7,8,9,10\r\n");
    m.load("Old");
    EXPECT_EQ(m.s.scenarioTexts.back(), "Old");
    EXPECT_EQ(m.s.rig.main().colorScheme().backColor, 1u);
}

/// Counts what the main window asks of the visual mode.
struct VisualCalls final : VisualModeCommands {
    void slideshow() override {}
    void slideshowBehindMain() override {}
    void panoramic() override {}
    void changeImage() override {}
    void writeVisualState() override {}
    void restoreVisualState() override { ++restored; }
    int restored = 0;
};

TEST(ScenarioMembers, LoadPreviousBringsBackTheViewsOfTheLastQuitButAScenarioLoadDoesNot) {
    MemberRig m;
    VisualCalls visual;
    m.s.rig.main().commands().setVisualMode(&visual);
    m.s.saveAs("Dawn");
    m.load("Dawn");
    EXPECT_EQ(visual.restored, 0);
    m.s.rig.main().saveState();
    m.s.files->loadPrevious();
    EXPECT_EQ(visual.restored, 1);
    m.s.rig.main().commands().setVisualMode(nullptr);
}

} // namespace
} // namespace velmora::test
