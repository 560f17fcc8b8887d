// The main window as a user meets it (offscreen): control object names, bank panels
// switched by their buttons, buttons that appear with their windows, the tray menu, and
// closing the window as an orderly quit.
#include "hub_rig.h"
#include "ui/banks/background/background_bank_view.h"
#include "ui/main_window/bank_area.h"
#include "ui/main_window/main_window_view.h"
#include "ui/main_window/tray_icon.h"
#include "ui/widgets/lcd_display.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QSystemTrayIcon>
#include <gtest/gtest.h>

namespace velmora::test {
namespace {

class View : public ::testing::Test {
  protected:
    void SetUp() override {
        rig.start();
        view = std::make_unique<MainWindowView>(rig.main(), rig.levels());
        // A real bank panel (its level copies are what the user moves) and a stand-in.
        view->bankArea().addPanel("frmback", [this] {
            return new BackgroundBankView(rig.world().backgroundOne, rig.levels());
        });
        view->bankArea().addPanel("frmrandommain", [] {
            auto* panel = new QWidget;
            panel->setObjectName("frmrandommain");
            return panel;
        });
        view->show();
    }
    template <typename T = QWidget> T* find(const char* name) {
        return view->findChild<T*>(QString::fromUtf8(name));
    }
    HubRig rig;
    std::unique_ptr<MainWindowView> view;
};

TEST_F(View, EveryNamedControlIsThere) {
    EXPECT_EQ(view->objectName(), "frmmain");
    EXPECT_EQ(view->windowTitle(), "Velmora");
    for (const char* name : {"LCD1", "LCD2", "LCD3", "LCD4", "LCD5", "LCD6", "LCD7", "LCD8"})
        EXPECT_NE(find<LcdDisplay>(name), nullptr) << name;
    for (const char* name :
         {"ucSlider1", "ucSlider2", "ucSlider3", "ucSlider4", "ucSlider5", "hscroll2"})
        EXPECT_NE(find<QSlider>(name), nullptr) << name;
    for (const char* name :
         {"combobox1", "chameleonButton20", "picturebutton3", "xpbs25", "xpbs6",
          "chameleonButton19", "xpbs22", "xpbs37", "chameleonButton11", "xpbs200"})
        EXPECT_NE(find(name), nullptr) << name;
    EXPECT_EQ(find<QPushButton>("chameleonButton20")->toolTip(), "Stop all sounds ");
    EXPECT_EQ(find<LcdDisplay>("LCD1")->text(), "Not Specified");
}

TEST_F(View, BankButtonsShowOnePanelAndHideTheOthers) {
    ASSERT_EQ(view->bankArea().shownPanel()->objectName(), "frmback");
    find<QPushButton>("xpbs37")->click();
    EXPECT_EQ(rig.main().panels().shownBank(), "frmrandommain");
    EXPECT_EQ(view->bankArea().shownPanel()->objectName(), "frmrandommain");
    EXPECT_TRUE(find("frmrandommain")->isVisible());
    EXPECT_FALSE(find("frmback")->isVisible());
    EXPECT_TRUE(find<QPushButton>("xpbs37")->isChecked());
}

// A window opened narrower than a bank panel needs grows until the panel fits, so no control
// hides behind a sideways scroll bar; it never grows past the screen, where the scroll bar
// has to do.
TEST(ViewWidth, GrowsToTheWidestPanelButNotPastTheScreen) {
    HubRig rig;
    rig.start();
    const int screenWidth = QApplication::primaryScreen()->availableGeometry().width();
    for (const int panelWidth : {screenWidth / 2, 2 * screenWidth}) {
        MainWindowView view(rig.main(), rig.levels());
        view.bankArea().addPanel("frmback", [panelWidth] {
            auto* panel = new QWidget;
            panel->setObjectName("frmback");
            panel->setMinimumWidth(panelWidth);
            return panel;
        });
        const int startWidth = view.minimumSizeHint().width();
        view.resize(startWidth, 600);
        view.show();
        QApplication::processEvents();
        auto* area = view.findChild<QScrollArea*>("frmbackArea");
        ASSERT_NE(area, nullptr);
        if (panelWidth < screenWidth) {
            EXPECT_GE(area->viewport()->width(), panelWidth) << "window " << view.width();
            EXPECT_FALSE(area->horizontalScrollBar()->isVisible());
        } else {
            EXPECT_EQ(view.width(), std::max(startWidth, screenWidth));
            EXPECT_TRUE(area->horizontalScrollBar()->isVisible());
        }
    }
}

// Only the panel shown at start is made before the window appears; the others follow once
// it is on screen, and a wider one made then still fits without a sideways scroll bar.
TEST(ViewPanels, HiddenPanelsAreMadeAfterTheWindowAppearsAndStillFit) {
    HubRig rig;
    rig.start();
    const int screenWidth = QApplication::primaryScreen()->availableGeometry().width();
    MainWindowView view(rig.main(), rig.levels());
    std::vector<std::string> made;
    const auto panel = [&made](const char* name, int width) {
        return [&made, name, width] {
            made.push_back(name);
            auto* p = new QWidget;
            p->setObjectName(name);
            p->setMinimumWidth(width);
            return p;
        };
    };
    view.bankArea().addPanel("frmback", panel("frmback", 200));
    view.bankArea().addPanel("frmrandommain", panel("frmrandommain", screenWidth / 2));
    view.bankArea().addPanel("frmrandommain3", panel("frmrandommain3", 200));
    EXPECT_EQ(made, (std::vector<std::string>{"frmback"}));

    view.resize(view.minimumSizeHint().width(), 600);
    view.show();
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    EXPECT_EQ(made.size(), 3u);
    EXPECT_EQ(view.bankArea().shownPanel()->objectName(), "frmback");
    EXPECT_FALSE(view.findChild<QWidget*>("frmrandommain")->isVisible());

    rig.main().panels().showBank("frmrandommain");
    QApplication::processEvents();
    auto* area = view.findChild<QScrollArea*>("frmrandommainArea");
    ASSERT_NE(area, nullptr);
    EXPECT_GE(area->viewport()->width(), screenWidth / 2) << "window " << view.width();
    EXPECT_FALSE(area->horizontalScrollBar()->isVisible());

    rig.main().panels().randombank(3);
    EXPECT_EQ(view.bankArea().shownPanel()->objectName(), "frmrandommain3");
    EXPECT_EQ(made.size(), 3u) << "each panel is made once";
}

TEST_F(View, SlidersAndDisplaysFollowTheSharedModel) {
    find<QSlider>("ucSlider3")->setValue(321);
    EXPECT_EQ(rig.levels().master(), 321);
    rig.levels().set(Level::Mp3, 5000);
    EXPECT_EQ(find<QSlider>("hscroll2")->value(), 5000);
    rig.main().displays().setAutoChangeText("Auto Changing....");
    EXPECT_EQ(find<LcdDisplay>("LCD6")->text(), "Auto Changing....");
}

TEST_F(View, MasterMovedOnABankCopyMovesTheMainSliderAndThePlayingSound) {
    auto& bank = rig.world().backgroundOne;
    bank.setRate(1, 0);
    bank.setOn(1, true);
    rig.run(30);
    const auto channel = bank.voice(1).channel();
    const int before = rig.engine().volume(channel);
    auto* copy = find("frmback")->findChild<QSlider*>("ucSlider20");
    ASSERT_NE(copy, nullptr);
    copy->setValue(120);
    EXPECT_EQ(find<QSlider>("ucSlider3")->value(), 120);
    EXPECT_EQ(rig.engine().volume(channel), bank.effectiveVolume(1));
    EXPECT_LT(rig.engine().volume(channel), before);
}

TEST_F(View, WindowButtonsAppearOnlyWithTheirWindows) {
    EXPECT_EQ(find("xpbs13"), nullptr);
    EXPECT_EQ(find("chameleonbutton1"), nullptr);
    EXPECT_FALSE(find("xpbs28")->isVisibleTo(view.get())) << "no alarm window yet";
    int opened = 0;
    rig.main().windows().add("frmeffects", [&] { ++opened; });
    rig.main().windows().add("Alarm", [] {});
    auto* effects = find<QPushButton>("xpbs13");
    ASSERT_NE(effects, nullptr);
    EXPECT_EQ(effects->toolTip(), "Open the effects panel");
    effects->click();
    EXPECT_EQ(opened, 1);
    EXPECT_TRUE(find("xpbs28")->isVisibleTo(view.get()));
    find<QPushButton>("xpbs28")->click();
    EXPECT_FALSE(find("xpbs28")->isVisibleTo(view.get()));
    EXPECT_TRUE(find("xpbs27")->isVisibleTo(view.get()));
}

TEST_F(View, TrayMenuListsWhatExistsAndMutes) {
    TrayIcon tray(rig.main());
    EXPECT_EQ(tray.menu()->objectName(), "mnutray");
    EXPECT_EQ(tray.icon()->toolTip(), "Velmora");
    auto action = [&](const char* text) -> QAction* {
        for (QAction* a : tray.menu()->actions())
            if (a->text() == text) return a;
        return nullptr;
    };
    EXPECT_EQ(action("Show Remote"), nullptr);
    EXPECT_EQ(action("Load Random Scenario"), nullptr);
    ASSERT_NE(action("Mute"), nullptr);
    ASSERT_NE(action("Quit App"), nullptr);
    action("Mute")->trigger();
    EXPECT_TRUE(rig.main().mute().isMuted());
    EXPECT_TRUE(action("Mute")->isChecked());
    rig.main().windows().add(kRemoteWindow, [] {});
    EXPECT_NE(action("Show Remote"), nullptr);

    // With scenarios: the bound presets, and only those, load from the tray.
    struct Loads final : ScenarioLoader {
        void loadScenario(const std::string& name) override { names.push_back(name); }
        bool loadScenarioFile(const std::filesystem::path&, ScenarioLoadMode) override {
            return false;
        }
        void rebuildScenarioMenu() override {}
        std::vector<std::string> names;
    } loads;
    rig.main().scenarios().setLoader(&loads);
    rig.main().presets().setCaption(4, "Rain");
    tray.rebuild();
    ASSERT_NE(action("Presets"), nullptr);
    const auto presets = action("Presets")->menu()->actions();
    ASSERT_EQ(presets.size(), 1);
    EXPECT_EQ(presets[0]->text(), "Rain");
    presets[0]->trigger();
    EXPECT_EQ(loads.names, std::vector<std::string>{"Rain"});
    rig.main().scenarios().setLoader(nullptr);
}

TEST_F(View, ClosingTheWindowQuitsInOrder) {
    view->close();
    EXPECT_TRUE(rig.main().hasQuit());
    EXPECT_TRUE(std::filesystem::exists(rig.file("main.tmp")));
    EXPECT_TRUE(std::filesystem::exists(rig.file("back.ini")));
}

} // namespace
} // namespace velmora::test
