#include "application.h"

#include "audio/sound_engine.h"
#include "banks/soundscape.h"
#include "core/main_window/main_window_controller.h"
#include "core/services.h"
#include "core/startup/crash_guard.h"
#include "core/startup/device_selection.h"
#include "core/startup/launcher.h"
#include "core/startup/options_controller.h"
#include "platform/autostart.h"
#include "platform/clock.h"
#include "platform/ini_settings_store.h"
#include "platform/linux_shell.h"
#include "platform/program_folder.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_timer_service.h"
#include "platform/random.h"
#include "ui/banks/background/background_bank_view.h"
#include "ui/banks/background/bw_bank_view.h"
#include "ui/banks/random/random_bank_view.h"
#include "ui/banks/random/random_windows.h"
#include "ui/main_window/main_window_view.h"
#include "ui/main_window/tray_icon.h"
#include "ui/options/options_view.h"
#include "ui/startup/device_selection_view.h"
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
    return static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count() ^
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
    ProgramFolder folder{
        ProgramFolder::forExecutable(QCoreApplication::applicationFilePath().toStdString())};
    Levels levels;
    CrashGuard crashGuard{IniSettingsStore::defaultFolder(), folder.resolve("\\bin")};
    audio::SoundEngine engine{audio::Backend::Device};
    Services services{engine, timers, random, clock, dialogs, settings, shell, folder, levels};

    Soundscape soundscape{services};
    MainWindowController main{services};
    XdgAutoStart autoStart{XdgAutoStart::defaultFolder(), kProgramTitle,
                           QCoreApplication::applicationFilePath().toStdString()};
    OptionsController options{services, autoStart, main.outputDevice()};
    DeviceSelectionController deviceSelection{services, main.outputDevice()};

    std::unique_ptr<MainWindowView> mainView;
    std::unique_ptr<BackgroundBankView> backgroundOneView;
    std::unique_ptr<BackgroundBankView> backgroundTwoView;
    std::unique_ptr<BwBankView> bwView;
    std::unique_ptr<BackgroundBankView> customBackgroundView;
    std::unique_ptr<RandomWindows> randomWindows;
    std::unique_ptr<OptionsView> optionsView;
    std::unique_ptr<DeviceSelectionView> deviceView;
    std::unique_ptr<TrayIcon> tray;
    std::unique_ptr<StartupRoad> road;
    std::vector<Connection> connections;
};

Application::Application() : m_parts(std::make_unique<Parts>()) {
    Parts& p = *m_parts;
    MainWindowController& main = p.main;
    p.engine.setDecodeGuard(&p.crashGuard);

    // Every bank in restore order, and the automatic-randomise switches, into the hub.
    p.soundscape.attach(main);

    p.road = std::make_unique<StartupRoad>(
        p.settings, p.shell, p.timers, soundBackendVersion(),
        [this] {
            Parts& q = *m_parts;
            q.main.load();
            q.mainView->show();
            q.tray->show();
            q.crashGuard.tellSkipped(q.dialogs);
        },
        [this] { terminate(); });
    main.hooks().hideSplash = [this] { m_parts->road->hideSplash(); };
    main.windows().add(kFirstRunWindow, [this] { m_parts->road->showFirstRun(); });

    p.mainView = std::make_unique<MainWindowView>(main, p.levels);
    p.mainView->setWindowIcon(programIcon());
    QApplication::setWindowIcon(programIcon());
    wireWindows();
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

void Application::wireWindows() {
    Parts& p = *m_parts;
    MainWindowController& main = p.main;
    QWidget* host = p.mainView.get();

    Soundscape& banks = p.soundscape;
    p.backgroundOneView = std::make_unique<BackgroundBankView>(banks.backgroundOne(), p.levels);
    p.backgroundTwoView = std::make_unique<BackgroundBankView>(banks.backgroundTwo(), p.levels);
    p.bwView = std::make_unique<BwBankView>(banks.bw(), p.levels);
    p.customBackgroundView =
        std::make_unique<BackgroundBankView>(banks.customBackground(), p.levels);
    // The panels are declared after the main window, so they go first and leave its bank
    // area as they are deleted.
    p.mainView->addBankPanel(p.backgroundOneView.get());
    p.mainView->addBankPanel(p.backgroundTwoView.get());
    p.mainView->addBankPanel(p.bwView.get());
    p.mainView->addBankPanel(p.customBackgroundView.get());

    p.randomWindows = std::make_unique<RandomWindows>(
        p.soundscape.randomBanks(), p.levels, p.settings,
        [&main](const std::string& window) { main.showBank(window); }, host);
    for (int n = 1; n <= 4; ++n)
        p.mainView->addBankPanel(&p.randomWindows->bankView(n));
    p.mainView->addBankPanel(&p.randomWindows->customView());
    // The recorder renders what is playing now: a snapshot of it in a private folder.
    main.hooks().recorderArguments = [this]() -> std::vector<std::string> {
        Parts& q = *m_parts;
        const auto dir = Soundscape::makeSnapshotFolder();
        if (dir.empty() || !q.soundscape.writeSnapshot(dir, q.main.unmutedMaster()).ok) return {};
        return {"--program-folder", dir.string()};
    };
    // The picker's Back mode fills the custom background bank.
    banks.randomBanks().picker().setBackApply([&banks](const std::vector<std::string>& files) {
        banks.customBackground().reloadAll(files);
    });
    banks.customBackground().setPickerOpener(
        [this] { m_parts->randomWindows->showBackgroundPicker(); });
    main.windows().add("Frmsoundindent", [this] { m_parts->randomWindows->showIdentify(); });

    // Views are made on first use; their controllers exist from the start.
    main.windows().add("FRMOPTIONS", WindowEntry{
                                         [this] {
                                             Parts& q = *m_parts;
                                             if (!q.optionsView)
                                                 q.optionsView = std::make_unique<OptionsView>(
                                                     q.options, q.mainView.get());
                                             q.optionsView->open();
                                         },
                                         {},
                                         {},
                                         [this] {
                                             if (m_parts->optionsView)
                                                 m_parts->optionsView->close();
                                         },
                                     });
    p.options.setHooks({[this] {
                            Parts& q = *m_parts;
                            if (!q.deviceView)
                                q.deviceView = std::make_unique<DeviceSelectionView>(
                                    q.deviceSelection, q.optionsView.get());
                            q.deviceView->open();
                        },
                        {}});
}

void Application::start() {
    m_parts->road->start();
}

void Application::terminate() {
    if (m_parts->main.hasQuit()) {
        QCoreApplication::quit();
        return;
    }
    m_parts->main.quit(false);
}

} // namespace velmora
