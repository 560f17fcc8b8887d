#pragma once
// The road from program start to the main window: the system-check window when it is still
// needed, then the splash, whose first 10 ms tick hands over to the main window. The main
// window's load sequence then hides the splash, and shows the welcome window on a first
// run; closing the welcome window hides the splash too.
//
// Usage from main():
//     StartupRoad road(services.settings, services.shell, services.timers,
//                      soundBackendVersion(), [&] { mainWindow.show(); /* loads */ },
//                      [&] { app.quit(); });
//     road.start();
//     return app.exec();
// and from the load sequence: road.hideSplash(); on a first run road.showFirstRun().
//
// Thread: UI thread.

#include "core/startup/launcher.h"
#include "platform/timer_service.h"

#include <QObject>

#include <functional>
#include <memory>

namespace velmora {

class FirstRunView;
class LauncherView;
class SplashView;

class StartupRoad : public QObject {
    Q_OBJECT
  public:
    /// showMainWindow runs once, on the splash's first tick. quit runs when the user
    /// closes the system-check window instead of starting.
    /// installHelp: what the system check's install command opens.
    StartupRoad(SettingsStore& settings, Shell& shell, TimerService& timers, BackendVersion version,
                std::string installHelp, std::function<void()> showMainWindow,
                std::function<void()> quit, QObject* parent = nullptr);
    ~StartupRoad() override;

    /// Shows the system-check window, or goes straight to the splash when it was passed.
    void start();
    /// Hides the splash (the load sequence's last visible step). Safe to call twice.
    void hideSplash();
    /// Shows the welcome window; closing it hides the splash.
    void showFirstRun();

    [[nodiscard]] LauncherView* launcherView() const { return m_launcherView.get(); }
    [[nodiscard]] SplashView* splashView() const { return m_splash.get(); }
    [[nodiscard]] FirstRunView* firstRunView() const { return m_firstRun.get(); }

  private:
    void showSplash();

    SettingsStore& m_settings;
    Shell& m_shell;
    TimerService& m_timers;
    BackendVersion m_version;
    std::string m_installHelp;
    std::function<void()> m_showMainWindow;
    std::function<void()> m_quit;
    std::unique_ptr<LauncherController> m_launcher;
    std::unique_ptr<LauncherView> m_launcherView;
    std::unique_ptr<SplashView> m_splash;
    std::unique_ptr<FirstRunView> m_firstRun;
    std::unique_ptr<Timer> m_splashTimer;
    Connection m_started, m_closed;
};

} // namespace velmora
