#include "application.h"
#include "scenarios_module.h"

#include "app/cd_module.h"
#include "appearance_module.h"
#include "audio/sound_engine.h"
#include "banks/soundscape.h"
#include "core/main_window/main_window_controller.h"
#include "core/services.h"
#include "core/startup/crash_guard.h"
#include "core/startup/device_selection.h"
#include "core/startup/launcher.h"
#include "core/startup/options_controller.h"
#include "core/startup/startup_config.h"
#include "core/startup/user_guide.h"
#include "desktop/instance_requests.h"
#include "desktop/keep_awake.h"
#include "desktop/media_player.h"
#include "effects_module.h"
#include "music_module.h"
#include "platform/autostart.h"
#include "platform/clock.h"
#include "platform/ini_settings_store.h"
#include "platform/linux_shell.h"
#include "platform/program_folder.h"
#include "platform/qt/logind_sleep_blocker.h"
#include "platform/qt/mpris_service.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_instance_socket.h"
#include "platform/qt/qt_timer_service.h"
#include "platform/random.h"
#include "remote/player_links.h"
#include "remote_module.h"
#include "scheduling_module.h"
#include "ui/banks/background/background_bank_view.h"
#include "ui/banks/background/bw_bank_view.h"
#include "ui/banks/random/random_bank_view.h"
#include "ui/banks/random/random_windows.h"
#include "ui/main_window/bank_area.h"
#include "ui/main_window/main_window_view.h"
#include "ui/main_window/tray_icon.h"
#include "ui/options/options_view.h"
#include "ui/startup/device_selection_view.h"
#include "ui/startup/splash_view.h"
#include "ui/startup/startup_road.h"
#include "ui/widgets/program_icon.h"

#include <QApplication>
#include <QSessionManager>

#include <chrono>
#include <iostream>
#include <vector>

namespace velmora {

namespace {
/// The splash belongs to the start-up road.
class RoadSplash final : public SplashScreen {
  public:
    explicit RoadSplash(std::unique_ptr<StartupRoad>& road) : m_road(road) {}
    void hideSplash() override { m_road->hideSplash(); }

  private:
    std::unique_ptr<StartupRoad>& m_road;
};

/// The recorder renders what is playing now: a snapshot of it in a private folder.
class SnapshotRecording final : public RecordingSource {
  public:
    SnapshotRecording(Services& services, const Soundscape& soundscape, MuteSwitch& mute,
                      EffectsModule& effects)
        : m_s(services), m_soundscape(soundscape), m_mute(mute), m_effects(effects) {}
    /// The recorder opens centred on this window.
    void setMainWindow(const QWidget* window) { m_window = window; }
    std::vector<std::string> recorderArguments() override {
        const auto dir = state::SavedSoundscape::makeSnapshotFolder();
        state::SavedSoundscape saved(m_s.levels, m_soundscape.links());
        if (dir.empty() || !saved.writeSnapshot(m_s.folder, dir, m_mute.unmutedMaster()).ok ||
            !m_effects.controller().writeSnapshot(dir).ok()) {
            state::SavedSoundscape::removeSnapshotFolder(dir);
            return {};
        }
        std::vector<std::string> args{"--program-folder", dir.string()};
        if (m_window && m_window->isVisible()) {
            const QPoint centre = m_window->frameGeometry().center();
            args.insert(args.end(), {"--centre-on", std::to_string(centre.x()) + "," +
                                                        std::to_string(centre.y())});
        }
        return args;
    }

  private:
    const QWidget* m_window = nullptr;
    Services& m_s;
    const Soundscape& m_soundscape;
    MuteSwitch& m_mute;
    EffectsModule& m_effects;
};

/// A panel made on first need into slot, which keeps it (the panels are deleted before the
/// main window, whose bank area they then leave).
template <typename View, typename... Args>
BankArea::PanelMaker madeInto(std::unique_ptr<View>& slot, Args&... args) {
    return [&slot, &args...] {
        slot = std::make_unique<View>(args...);
        return slot.get();
    };
}

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
    ScenariosModule scenarios{services, main, soundscape.links()};
    XdgAutoStart autoStart{XdgAutoStart::defaultFolder(), kProgramTitle,
                           QCoreApplication::applicationFilePath().toStdString()};
    OptionsController options{services, autoStart, main.outputDevice()};
    DeviceSelectionController deviceSelection{services, main.outputDevice()};
    EffectsModule effects{services, main};
    LogindSleepBlocker sleepBlocker;
    desktop::KeepAwake keepAwake{services, sleepBlocker};

    std::unique_ptr<MainWindowView> mainView;
    std::unique_ptr<BackgroundBankView> backgroundOneView;
    std::unique_ptr<BackgroundBankView> backgroundTwoView;
    std::unique_ptr<BwBankView> bwView;
    std::unique_ptr<BackgroundBankView> customBackgroundView;
    std::unique_ptr<RandomWindows> randomWindows;
    std::unique_ptr<OptionsView> optionsView;
    std::unique_ptr<AppearanceModule> appearance;
    std::unique_ptr<DeviceSelectionView> deviceView;
    std::unique_ptr<TrayIcon> tray;
    std::unique_ptr<StartupRoad> road;
    RoadSplash splash{road};
    SnapshotRecording recording{services, soundscape, main.mute(), effects};
    // After the main window's view: the scheduling views it parents go before it does.
    SchedulingModule scheduling{main, services};
    std::unique_ptr<RemoteModule> remote;
    std::vector<Connection> connections;

    std::unique_ptr<desktop::CommandRunner> runner;
    std::unique_ptr<desktop::InstanceRequests> requests;
    std::unique_ptr<QtInstanceServer> instanceServer;
    std::unique_ptr<desktop::MediaPlayer> mediaPlayer;
    std::unique_ptr<MprisService> mpris;
    std::unique_ptr<CdModule> cd;
    std::unique_ptr<MusicModule> music;
    // After both players and the remote: it goes before any of them.
    std::unique_ptr<remote::PlayerLinks> playerLinks;
    desktop::Command startCommand;
};

namespace {
void printOutcome(const desktop::Outcome& outcome) {
    if (outcome.message.empty()) return;
    (outcome.exitCode == 0 ? std::cout : std::cerr) << outcome.message << std::endl;
}

/// The one line a terminal gets about sound, in place of the libraries' own complaints.
void tellOutputDevice(const audio::SoundEngine& engine) {
    const std::string name = engine.outputName();
    if (name.empty())
        std::cerr << "velmora: no sound output could be opened; playing silently" << std::endl;
    else
        std::cerr << "velmora: sound output: " << name << std::endl;
}
} // namespace

Application::Application() : m_parts(std::make_unique<Parts>()) {
    Parts& p = *m_parts;
    MainWindowController& main = p.main;
    p.engine.setDecodeGuard(&p.crashGuard);

    // Every bank in restore order, and the automatic-randomise switches, into the hub.
    main.attach(p.soundscape.links());
    main.setSaveErrorFolder(IniSettingsStore::defaultFolder());

    p.road = std::make_unique<StartupRoad>(
        p.settings, p.shell, p.timers, soundBackendVersion(),
        userGuideAddress(p.folder, config::kGuideSoundSection),
        [this] {
            Parts& q = *m_parts;
            q.main.load();
            q.appearance->loaded();
            q.scenarios.started();
            tellOutputDevice(q.engine);
            // "Start with controller" has put the remote in the main window's place.
            if (q.main.commands().isMainVisible()) q.mainView->show();
            q.tray->show();
            q.crashGuard.tellSkipped(q.dialogs);
            // A plain start only brings the main window up, which the remote then replaces.
            if (q.startCommand.action != desktop::Action::Start ||
                q.main.commands().isMainVisible())
                printOutcome(q.runner->run(q.startCommand));
            q.requests->ready();
        },
        [this] { terminate(); });
    main.setSplash(&p.splash);
    main.windows().add(kFirstRunWindow, [this] { m_parts->road->showFirstRun(); });

    // A quit asked for over the socket waits for its reply to leave first.
    p.runner = std::make_unique<desktop::CommandRunner>(
        main, [this] { showWindow(); },
        [this] {
            QMetaObject::invokeMethod(
                this, [this] { terminate(); }, Qt::QueuedConnection);
        });
    p.requests = std::make_unique<desktop::InstanceRequests>(
        *p.runner, [](const std::string& line) { std::cerr << line << std::endl; });

    p.mediaPlayer = std::make_unique<desktop::MediaPlayer>(main, *p.runner);
    p.mpris = std::make_unique<MprisService>(*p.mediaPlayer);
    // Media keys are a convenience: without a session bus Velmora runs and says nothing.
    (void)p.mpris->publish();

    p.mainView = std::make_unique<MainWindowView>(main, p.levels);
    p.mainView->setWindowIcon(programIcon());
    QApplication::setWindowIcon(programIcon());
    wireWindows();
    p.scenarios.addViews(*p.mainView);
    p.music = std::make_unique<MusicModule>(p.services, main);
    linkRemote();
    p.tray = std::make_unique<TrayIcon>(main);
    p.scheduling.attachTray(*p.tray);

    p.connections.push_back(main.finished.connect([this] {
        m_parts->mainView->hide();
        m_parts->road->hideSplash();
        // Snapshots a running recorder still holds stay; it removes its own when it ends.
        state::SavedSoundscape::removeUnusedSnapshotFolders();
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
    // Only the panel shown at start is made before the main window appears; the others are
    // made once it is on screen, or when first shown.
    MainWindowView& view = *p.mainView;
    view.bankArea().addPanel(banks.backgroundOne().windowName(),
                             madeInto(p.backgroundOneView, banks.backgroundOne(), p.levels));
    view.bankArea().addPanel(banks.backgroundTwo().windowName(),
                             madeInto(p.backgroundTwoView, banks.backgroundTwo(), p.levels));
    view.bankArea().addPanel(banks.bw().windowName(), madeInto(p.bwView, banks.bw(), p.levels));
    view.bankArea().addPanel(banks.customBackground().windowName(),
                             madeInto(p.customBackgroundView, banks.customBackground(), p.levels));

    p.randomWindows =
        std::make_unique<RandomWindows>(p.soundscape.randomBanks(), p.levels, p.settings, host);
    RandomWindows& random = *p.randomWindows;
    for (int n = 1; n <= 4; ++n)
        view.bankArea().addPanel(banks.randomBanks().bank(n).windowName(),
                                 [&random, n] { return &random.bankView(n); });
    view.bankArea().addPanel(banks.randomBanks().custom().windowName(),
                             [&random] { return &random.customView(); });
    main.commands().setRecordingSource(&p.recording);
    p.recording.setMainWindow(host);
    // The picker's Back mode fills the custom background bank.
    banks.randomBanks().picker().setBackApply([&banks](const std::vector<std::string>& files) {
        banks.customBackground().reloadAll(files);
    });
    banks.customBackground().setPickerOpener(
        [this] { m_parts->randomWindows->showBackgroundPicker(); });
    main.windows().add("Frmsoundindent", [this] { m_parts->randomWindows->showIdentify(); });
    p.cd = std::make_unique<CdModule>(main, p.services, host);
    p.effects.wire();
    p.scheduling.wire(host);
    p.appearance = std::make_unique<AppearanceModule>(p.services, main, host);
    // A scenario keeps the whole scheme and the effects along with the banks.
    p.scenarios.files.setColors(&p.appearance->scenarioColors());
    p.scenarios.files.setEffects(&p.effects.controller());

    // Views are made on first use; their controllers exist from the start.
    main.windows().add("FRMOPTIONS", WindowEntry{
                                         [this] {
                                             Parts& q = *m_parts;
                                             if (!q.optionsView)
                                                 q.optionsView = std::make_unique<OptionsView>(
                                                     q.options, q.mainView.get(), &q.keepAwake);
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
    p.remote = std::make_unique<RemoteModule>(p.services, main, p.options, host);
}

void Application::linkRemote() {
    Parts& p = *m_parts;
    remote::RemoteController& remote = p.remote->controller();
    p.playerLinks =
        std::make_unique<remote::PlayerLinks>(remote, p.music->player(), p.cd->player());
    p.connections.push_back(p.scheduling.scheduler().remoteLabelChanged.connect(
        [&remote](const std::string& text) { remote.setLabel(remote::Label::Scheduler, text); }));
}

desktop::Outcome Application::check(const desktop::Command& command) {
    return m_parts->runner->check(command);
}

bool Application::serveInstances(const std::string& path, std::string& why) {
    Parts& p = *m_parts;
    p.instanceServer = std::make_unique<QtInstanceServer>(*p.requests);
    return p.instanceServer->listen(path, why);
}

void Application::start(const desktop::Command& command) {
    m_parts->startCommand = command;
    m_parts->road->start();
}

void Application::showWindow() {
    MainWindowView& view = *m_parts->mainView;
    if (!m_parts->main.isLoaded()) return;
    // Asked for by name: the main window comes back even where the remote stood in for it.
    if (!m_parts->main.commands().isMainVisible()) m_parts->main.commands().showMain();
    if (view.isMinimized()) view.showNormal();
    view.show();
    view.raise();
    view.activateWindow();
}

void Application::terminate() {
    if (m_parts->main.hasQuit()) {
        QCoreApplication::quit();
        return;
    }
    m_parts->main.quit(false);
}

} // namespace velmora
