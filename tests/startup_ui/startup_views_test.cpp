#include "core/services.h"
#include "platform/virtual_timer_service.h"
#include "support/temp_dir.h"
#include "ui/options/options_view.h"
#include "ui/startup/device_selection_view.h"
#include "ui/startup/first_run_view.h"
#include "ui/startup/launcher_view.h"
#include "ui/startup/splash_view.h"
#include "ui/startup/startup_road.h"
#include "ui/startup/window_position.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace velmora;

namespace {
void app() {
    ASSERT_NE(QCoreApplication::instance(), nullptr);
}

template <typename T> T* child(QWidget* w, const char* name) {
    T* found = w->findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
}

struct Road {
    MemorySettingsStore settings;
    RecordingShell shell;
    VirtualTimerService timers;
    int mainShown = 0;
    int quits = 0;
    StartupRoad road;
    explicit Road(BackendVersion v)
        : road(
              settings, shell, timers, v, "file:///guide#sound", [this] { ++mainShown; },
              [this] { ++quits; }) {
        app();
    }
};
} // namespace

TEST(StartupRoad, LauncherThenSplashThenMainWindowOnTheSplashsFirstTick) {
    Road r({19, 6, "PortAudio V19.6.0-devel"});
    r.road.start();
    LauncherView* launcher = r.road.launcherView();
    ASSERT_NE(launcher, nullptr);
    EXPECT_TRUE(launcher->isVisible());
    EXPECT_EQ(launcher->windowTitle(), "System Check");
    EXPECT_EQ(child<QLabel>(launcher, "lblReq")->text(), "DirectX Version Required: 7");
    EXPECT_EQ(child<QLabel>(launcher, "lblGot")->text(), "DirectX Version Installed: 19.6");
    EXPECT_EQ(child<QLabel>(launcher, "lblBackend")->text(),
              "Sound system checked: PortAudio V19.6.0-devel")
        << "the numbers are the sound system's, and the window says so";
    EXPECT_FALSE(child<QLabel>(launcher, "lblwarning")->isVisibleTo(launcher));
    EXPECT_TRUE(child<QLabel>(launcher, "Label1")->isVisibleTo(launcher));
    EXPECT_EQ(r.road.splashView(), nullptr);

    child<QPushButton>(launcher, "Command2")->click();
    QCoreApplication::processEvents();
    EXPECT_EQ(r.road.launcherView(), nullptr);
    ASSERT_NE(r.road.splashView(), nullptr);
    EXPECT_TRUE(r.road.splashView()->isVisible());
    EXPECT_EQ(r.settings.read(kProgramFileName, "Options", "Show Tips at Start2", ""), "1");

    EXPECT_EQ(r.mainShown, 0);
    r.timers.advance(10);
    EXPECT_EQ(r.mainShown, 1);
    r.timers.advance(1000);
    EXPECT_EQ(r.mainShown, 1) << "the splash hands over once";

    // First run: the welcome window; closing it hides the splash.
    r.road.showFirstRun();
    FirstRunView* tips = r.road.firstRunView();
    ASSERT_NE(tips, nullptr);
    EXPECT_EQ(tips->windowTitle(), "First Run");
    child<QPushButton>(tips, "chameleonButton2")->click();
    EXPECT_FALSE(tips->isVisible());
    EXPECT_FALSE(r.road.splashView()->isVisible());
    EXPECT_EQ(r.quits, 0);
}

TEST(StartupRoad, APassedCheckGoesStraightToTheSplash) {
    Road r({19, 6, {}});
    r.settings.write(kProgramFileName, "Options", "Show Tips at Start2", "1");
    r.road.start();
    EXPECT_EQ(r.road.launcherView(), nullptr);
    ASSERT_NE(r.road.splashView(), nullptr);
    EXPECT_TRUE(r.road.splashView()->isVisible());
    r.timers.advance(10);
    EXPECT_EQ(r.mainShown, 1);
    r.road.hideSplash();
    EXPECT_FALSE(r.road.splashView()->isVisible());
}

TEST(StartupRoad, AnOldBackEndCannotStartAndClosingEndsTheProgram) {
    Road r({6, 0, {}});
    r.road.start();
    LauncherView* launcher = r.road.launcherView();
    ASSERT_NE(launcher, nullptr);
    EXPECT_TRUE(child<QLabel>(launcher, "lblwarning")->isVisibleTo(launcher));
    EXPECT_FALSE(child<QPushButton>(launcher, "Command2")->isEnabled());
    EXPECT_TRUE(child<QPushButton>(launcher, "Command3")->isEnabled());
    child<QPushButton>(launcher, "Command3")->click();
    EXPECT_EQ(r.shell.calls.size(), 1u);
    child<QPushButton>(launcher, "chameleonbutton1")->click();
    EXPECT_EQ(r.quits, 1);
    EXPECT_EQ(r.mainShown, 0);
}

TEST(OptionsView, ControlsDriveTheControllerAndRedrawFromIt) {
    app();
    velmora::testing::TempDir dir;
    ProgramFolder folder(dir.path());
    MemorySettingsStore settings;
    ScriptedDialogs dialogs;
    RecordingShell shell;
    XdgAutoStart autoStart(dir / "autostart", "Velmora", dir / "velmora");
    OutputDeviceChoice device;
    OptionsController controller({folder, settings, dialogs, shell}, autoStart, device,
                                 [] { return std::vector<std::string>{"Built-in Audio"}; });
    OptionsView view(controller);
    view.open();
    EXPECT_EQ(view.windowTitle(), "Program Options");
    EXPECT_EQ(child<QLabel>(&view, "Label5")->text(), "Built-in Audio");
    for (const char* name : {"chameleonButton4", "chameleonButton7", "chameleonButton8",
                             "chameleonButton9", "chameleonButton10", "chameleonButton11", "xpbs2"})
        child<QPushButton>(&view, name);
    // No hotkeys window yet, so no button that would open nothing.
    EXPECT_EQ(view.findChild<QPushButton*>("chameleonButton12"), nullptr);
    for (auto* b : view.findChildren<QPushButton*>())
        EXPECT_FALSE(b->text().contains("Hotkeys")) << b->objectName().toStdString();

    auto* text1 = child<QLineEdit>(&view, "Text1");
    text1->clear();
    QTest::keyClicks(text1, "75");
    EXPECT_EQ(text1->text(), "60");
    text1->clear();
    QTest::keyClicks(text1, "2");
    EXPECT_EQ(text1->text(), "2");
    emit text1->editingFinished();
    EXPECT_EQ(text1->text(), "5");

    child<QCheckBox>(&view, "Check4")->click();
    EXPECT_FALSE(controller.options().autoHideRemote);
    EXPECT_FALSE(text1->isEnabled());
    EXPECT_FALSE(child<QLabel>(&view, "Label6")->isEnabled());

    auto* display = child<QRadioButton>(&view, "optdisplay(1)");
    EXPECT_FALSE(display->isEnabled());
    child<QCheckBox>(&view, "chkstartup")->click();
    EXPECT_TRUE(autoStart.isEnabled());
    EXPECT_TRUE(display->isEnabled());

    // The crossfade's length is offered only while it is on; both are kept at once.
    auto* seconds = child<QSpinBox>(&view, "spncrossfade");
    EXPECT_FALSE(seconds->isEnabled());
    child<QCheckBox>(&view, "chkcrossfade")->click();
    EXPECT_TRUE(seconds->isEnabled());
    seconds->setValue(12);
    EXPECT_TRUE(state::readScenarioCrossfade(settings).on);
    EXPECT_EQ(state::readScenarioCrossfade(settings).seconds, 12);

    child<QPushButton>(&view, "chameleonButton10")->click();
    EXPECT_EQ(controller.page(), 2);
    view.accept();
    EXPECT_TRUE(std::filesystem::exists(dir / "opt.tmp"));
}

TEST(DeviceSelectionView, ListFillsAfterItsTimerAndOkStoresTheChosenIndex) {
    app();
    VirtualTimerService timers;
    ScriptedDialogs dialogs;
    OutputDeviceChoice device;
    DeviceSelectionController controller(timers, dialogs, device, [] {
        return std::vector<std::string>{"Primary Sound Driver", "A", "B", "C"};
    });
    DeviceSelectionView view(controller);
    view.open();
    auto* combo = child<QComboBox>(&view, "Combo4");
    EXPECT_EQ(combo->count(), 0);
    timers.advance(50);
    ASSERT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->itemText(0), "C");
    EXPECT_EQ(combo->currentIndex(), -1) << "the prompt shows until a device is chosen";
    combo->setCurrentIndex(1);
    child<QPushButton>(&view, "xpbs1")->click();
    EXPECT_EQ(device.index(), 2);
    EXPECT_FALSE(view.isVisible());
}

TEST(WindowPosition, SavedPlaceIsRestoredUnlessItIsOffEveryScreen) {
    app();
    MemorySettingsStore settings;
    QWidget timers;
    timers.setObjectName("Timers");
    timers.resize(200, 100);
    EXPECT_FALSE(restoreWindowPosition(&timers, settings));
    settings.write(kProgramTitle, "Settings26", "MainLeft", "40");
    settings.write(kProgramTitle, "Settings26", "MainTop", "30");
    EXPECT_TRUE(restoreWindowPosition(&timers, settings));
    EXPECT_EQ(timers.pos(), QPoint(40, 30));

    settings.write(kProgramTitle, "Settings26", "Mainleft", "-90000");
    EXPECT_FALSE(restoreWindowPosition(&timers, settings));
    EXPECT_EQ(timers.pos(), QPoint(40, 30)) << "a place off every screen is ignored";

    timers.move(12, 34);
    saveWindowPosition(&timers, settings);
    EXPECT_EQ(settings.read(kProgramTitle, "Settings26", "mainleft", ""), "12");
}
