#include "startup_road.h"

#include "first_run_view.h"
#include "launcher_view.h"
#include "splash_view.h"

#include <QTimer>

namespace velmora {

namespace {
constexpr int kSplashTickMs = 10;
}

StartupRoad::StartupRoad(SettingsStore& settings, Shell& shell, TimerService& timers,
                         BackendVersion version, std::string installHelp,
                         std::function<void()> showMainWindow, std::function<void()> quit,
                         QObject* parent)
    : QObject(parent), m_settings(settings), m_shell(shell), m_timers(timers), m_version(version),
      m_installHelp(std::move(installHelp)), m_showMainWindow(std::move(showMainWindow)),
      m_quit(std::move(quit)) {}

StartupRoad::~StartupRoad() = default;

void StartupRoad::start() {
    m_launcher =
        std::make_unique<LauncherController>(m_settings, m_shell, m_version, m_installHelp);
    if (!m_launcher->shouldShow()) {
        showSplash();
        return;
    }
    m_launcherView = std::make_unique<LauncherView>(*m_launcher);
    m_started = m_launcher->started.connect([this] {
        // Leave the launcher's click handler before the window goes away.
        QTimer::singleShot(0, this, [this] {
            if (m_launcherView) m_launcherView->hide();
            m_launcherView.reset();
            showSplash();
        });
    });
    m_closed = m_launcher->closed.connect([this] {
        if (m_quit) m_quit();
    });
    m_launcherView->show();
}

void StartupRoad::showSplash() {
    if (!m_splash) m_splash = std::make_unique<SplashView>();
    m_splash->setMessage(tr("Loading..."));
    m_splash->show();
    m_splash->raise();
    m_splashTimer = m_timers.createTimer(kSplashTickMs, [this] {
        m_splashTimer->setEnabled(false);
        if (m_showMainWindow) m_showMainWindow();
    });
    m_splashTimer->setEnabled(true);
}

void StartupRoad::hideSplash() {
    if (m_splash) m_splash->hide();
}

void StartupRoad::showFirstRun() {
    if (!m_firstRun) {
        m_firstRun = std::make_unique<FirstRunView>();
        connect(m_firstRun.get(), &FirstRunView::closedByUser, this, &StartupRoad::hideSplash);
    }
    m_firstRun->show();
    m_firstRun->raise();
}

} // namespace velmora
