#include "hub_rig.h"
#include "remote/remote_controller.h"
#include "ui/banks/background/background_bank_view.h"
#include "ui/remote/remote_view.h"

#include <QPushButton>
#include <QSlider>

#include <gtest/gtest.h>

namespace velmora::test {
namespace {

struct Loader final : ScenarioLoader {
    std::vector<std::string> names;
    std::vector<std::filesystem::path> files;
    void loadScenario(const std::string& name) override { names.push_back(name); }
    bool loadScenarioFile(const std::filesystem::path& f, ScenarioLoadMode mode) override {
        if (mode == ScenarioLoadMode::Manual) files.push_back(f);
        return true;
    }
    void rebuildScenarioMenu() override {}
};

struct RemoteRig {
    HubRig rig;
    visual::VisualMode visual{rig.world().services, rig.main().commands(), [] {}};
    remote::RemoteController remote{rig.world().services, rig.main(), visual};
    RemoteView view{remote, visual, rig.world().settings, {}};

    RemoteRig() {
        rig.start();
        auto& bank = rig.world().backgroundOne;
        bank.setRate(1, 0);
        bank.setVolume(1, 200);
        bank.setOn(1, true);
        rig.run(30);
    }
    int loopVolume() { return rig.engine().volume(rig.world().backgroundOne.voice(1).channel()); }
};
} // namespace

TEST(RemoteView, MasterSliderMovesTheMainMasterAndEveryCopyAsTheMainSliderDoes) {
    RemoteRig byMain;
    byMain.rig.levels().set(Level::Master, 437); // what the main slider does
    RemoteRig byRemote;
    BackgroundBankView bankView(byRemote.rig.world().backgroundOne, byRemote.rig.levels());
    auto* remoteMaster = byRemote.view.findChild<QSlider*>("ucSlider4");
    ASSERT_NE(remoteMaster, nullptr);
    remoteMaster->setValue(437);
    EXPECT_EQ(byRemote.rig.levels().master(), 437);
    EXPECT_EQ(byRemote.loopVolume(), byMain.loopVolume());
    EXPECT_GT(byRemote.loopVolume(), 0);
    auto* bankCopy = bankView.findChild<QSlider*>("ucSlider20");
    ASSERT_NE(bankCopy, nullptr);
    EXPECT_EQ(bankCopy->value(), 437);
    // And back: the main level moving moves the remote's copy.
    byRemote.rig.levels().set(Level::Master, 120);
    EXPECT_EQ(remoteMaster->value(), 120);
}

TEST(RemoteView, UnassignedPresetsKeepTheInactiveColourAndLoadNothing) {
    RemoteRig r;
    Loader loader;
    r.rig.main().scenarios().setLoader(&loader);
    r.rig.main().presets().setCaption(0, "Rain");
    r.rig.main().presets().setCaption(1, "Currently Unassigned");
    ColorScheme scheme;
    scheme.activeColor = 0x00FF00; // green whichever way the bytes are read
    r.view.applyColors(scheme);
    r.view.open();

    QPushButton* rain = r.view.presetButton(0);
    QPushButton* empty = r.view.presetButton(1);
    EXPECT_TRUE(rain->isVisible());
    EXPECT_EQ(rain->toolTip(), "Rain");
    EXPECT_EQ(empty->toolTip(), "Currently Unassigned");
    EXPECT_TRUE(rain->styleSheet().contains("#00ff00"));
    EXPECT_EQ(empty->styleSheet(), QString());

    rain->click();
    empty->click();
    EXPECT_EQ(loader.names, std::vector<std::string>{"Rain"});

    // From disk, outside the scenario folder: the whole path goes to the loader.
    r.rig.world().dialogs.files.push_back("/home/me/elsewhere/Storm.vlm");
    r.view.findChild<QPushButton*>("cmdload")->click();
    ASSERT_EQ(loader.files.size(), 1u);
    EXPECT_EQ(loader.files[0], "/home/me/elsewhere/Storm.vlm");
    r.rig.main().scenarios().setLoader(nullptr);
}

} // namespace velmora::test
