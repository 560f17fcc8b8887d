#include "application.h"

#include "banks/background/background_bank.h"
#include "banks/background/background_bank_table.h"
#include "banks/background/bw_bank.h"
#include "banks/background/custom_background_bank.h"
#include "banks/random/random_banks.h"
#include "core/audio/sound_engine.h"
#include "core/main_window/main_window_controller.h"
#include "core/services.h"
#include "core/startup/launcher.h"
#include "platform/clock.h"
#include "platform/ini_settings_store.h"
#include "platform/linux_shell.h"
#include "platform/program_folder.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_timer_service.h"
#include "platform/random.h"
#include "ui/main_window/main_window_view.h"
#include "ui/main_window/tray_icon.h"
#include "ui/startup/splash_view.h"
#include "ui/startup/startup_road.h"

#include <QApplication>
#include <QSessionManager>

#include <chrono>
#include <vector>

namespace velmora {

namespace {
std::uint64_t startSeed() {
    // One seed per run, so each run's soundscape differs; nothing reseeds it later except
    // where a command says so.
    return static_cast<std::uint64_t>(
        std::chrono::steady_clock::now().time_since_epoch().count() ^
        std::chrono::system_clock::now().time_since_epoch().count());
}
} // namespace

// Member order is construction order: everything a part refers to is built before it and
// destroyed after it (the engine outlives every bank; the banks outlive their views).
struct Application::Parts {
    SystemClock clock;
    SeededRandom random{startSeed()};
    QtTimerService timers;
    QtDialogs dialogs{kProgramTitle};
    IniSettingsStore settings{IniSettingsStore::defaultFolder()};
    LinuxShell shell;
    ProgramFolder folder{ProgramFolder::forExecutable(
        QCoreApplication::applicationFilePath().toStdString())};
    Levels levels;
    audio::SoundEngine engine{audio::Backend::Device};
    Services services{engine, timers, random, clock, dialogs, settings, shell, folder, levels};

    RandomBanks randomBanks{services};
    BackgroundBank backgroundOne{services, backgroundBankOne()};
    BackgroundBank backgroundTwo{services, backgroundBankTwo()};
    BwBank bw{services};
    CustomBackgroundBank customBackground{services};

    MainWindowController main{services};
    std::unique_ptr<MainWindowView> mainView;
    std::unique_ptr<TrayIcon> tray;
    std::unique_ptr<StartupRoad> road;
    std::vector<Connection> connections;
};

Application::Application() : m_parts(std::make_unique<Parts>()) {
    Parts& p = *m_parts;
    MainWindowController& main = p.main;

    // Banks in the order they restore at start; quit closes (saves) them in reverse.
    main.addBank(p.backgroundOne);
    main.addBank(p.backgroundTwo);
    main.addBank(p.bw);
    for (Bank* bank : p.randomBanks.all()) main.addBank(*bank);
    main.addBank(p.customBackground);

    AutoRandomizeGroup& group = p.randomBanks.autoRandomize();
    IntervalSettings& form3 = p.randomBanks.form3();
    IntervalSettings& form33 = p.randomBanks.form33();
    CustomRandomBank& custom = p.randomBanks.custom();
    main.setRandomAutoRandomise({
        [&group] { return group.enabled(); },
        [&group](bool on) { group.setEnabled(on); },
        [&form3] { return form3.periodMinutes(); },
        [&form3] { return form3.threshold(); },
        [&form3](int value) { form3.setThreshold(value); },
    });
    main.setCustomAutoRandomise({
        [&custom] { return custom.autoRandomizeOn(); },
        [&custom](bool on) { custom.setAutoRandomize(on); },
        [&form33] { return form33.periodMinutes(); },
        [&form33] { return form33.threshold(); },
        [&form33](int value) { form33.setThreshold(value); },
    });
    p.connections.push_back(group.changed.connect([&main](bool) { main.checklcd(); }));

    p.road = std::make_unique<StartupRoad>(
        p.settings, p.shell, p.timers, soundBackendVersion(),
        [this] {
            Parts& q = *m_parts;
            q.main.load();
            q.mainView->show();
            q.tray->show();
        },
        [this] { terminate(); });
    main.hooks().hideSplash = [this] { m_parts->road->hideSplash(); };
    main.windows().add(kFirstRunWindow, [this] { m_parts->road->showFirstRun(); });

    p.mainView = std::make_unique<MainWindowView>(main, p.levels);
    p.mainView->setWindowIcon(programIcon());
    QApplication::setWindowIcon(programIcon());
    p.tray = std::make_unique<TrayIcon>(main);

    p.connections.push_back(main.finished.connect([this] {
        m_parts->mainView->hide();
        m_parts->road->hideSplash();
        QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    }));
    // Logging out asks every program to save first; it may end us without a further word.
    connect(qApp, &QGuiApplication::commitDataRequest, this,
            [this](QSessionManager&) { m_parts->main.saveState(); });
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { m_parts->main.quit(false); });
}

Application::~Application() = default;

void Application::start() { m_parts->road->start(); }

void Application::terminate() {
    if (m_parts->main.hasQuit()) {
        QCoreApplication::quit();
        return;
    }
    m_parts->main.quit(false);
}

} // namespace velmora
