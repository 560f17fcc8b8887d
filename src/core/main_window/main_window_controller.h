#pragma once
// frmmain, the hub: it owns the global levels, shows one bank panel at a time over its bank
// area, stops every bank, mutes, keeps the eight small displays, runs its share of the
// start-up load sequence and quits in order. Other windows are reached through the
// WindowRegistry, so a command appears only once its window exists.
//
// Thread: UI thread (timers and signals included).

#include "core/bank.h"
#include "core/color_scheme.h"
#include "core/main_window/window_registry.h"
#include "core/services.h"
#include "core/signal.h"
#include "core/startup/output_device.h"
#include "core/state/main2_state.h"
#include "core/state/main_state.h"
#include "core/state/save_error_log.h"
#include "core/state/saved_soundscape.h"

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace velmora {

/// The eight text displays, LCD1..LCD8 in order.
enum class Display {
    Scenario,            ///< LCD1
    Clock,               ///< LCD2: time of day; alarm state
    Scheduler,           ///< LCD3
    AutoRandomise,       ///< LCD4: random banks' line, then the custom bank's line
    Preset,              ///< LCD5
    AutoChange,          ///< LCD6
    ScenarioInformation, ///< LCD7
    Picture,             ///< LCD8
};
inline constexpr int kDisplayCount = 8;
/// "LCD1".."LCD8".
[[nodiscard]] const char* displayObjectName(Display display);

/// A button of the main window that shows one bank panel.
struct BankButton {
    const char* objectName;
    const char* windowName;
    const char* caption;
};
inline constexpr std::array<BankButton, 6> kBankButtons = {{
    {"xpbs6", "frmback", "Backgrounds 1"},
    {"chameleonButton19", "frmback2", "Backgrounds 2"},
    {"xpbs22", "frmbackbw", "Brainwaves"},
    {"xpbs37", "frmrandommain", "Random Sounds"},
    {"chameleonButton11", "frmcustom", "Custom Random"},
    {"xpbs200", "frmbackcustom", "Custom Background"},
}};

/// A button of the main window that opens another window (shown once that window exists).
struct WindowButton {
    const char* objectName;
    const char* windowName;
    const char* caption;
    const char* toolTip;
};
inline constexpr std::array<WindowButton, 9> kWindowButtons = {{
    {"chameleonButton12", "Frmsoundindent", "Identify",
     "Identify which sounds are currently playing"},
    {"xpbs10", "Timers", "Scheduler", "Set scenarios to autochange according to time"},
    {"chameleonButton5", "Alarm", "Alarm", "Change alarm settings"},
    {"xpbs13", "frmeffects", "Effects", "Open the effects panel"},
    {"xpbs8", "frmmainmp3", "MP3", "Open the MP3 player"},
    {"xpbs2", "frmcd", "CD", "Open the CD player"},
    {"chameleonButton23", "frmremote2", "Remote", "Show the remote control"},
    {"chameleonButton6", "frmDemo", "Colours", "Change color scheme options"},
    {"chameleonbutton1", "FRMOPTIONS", "Options", "Change program options"},
}};

inline constexpr const char* kRemoteWindow = "frmremote2";
inline constexpr const char* kFirstRunWindow = "Formtips";
inline constexpr const char* kRecorderProgram = "\\recorder";
inline constexpr const char* kRecorderMissing =
    "The recorder could not be found. Please re-install the program.";
inline constexpr const char* kNoScenarios = "There are no files in the list";

/// Steps of start-up, quit and the commands that belong to windows built elsewhere. An empty
/// function means that window does not exist (yet) and the step is left out.
struct MainWindowHooks {
    std::function<void()> hideSplash;
    std::function<void()> writeVisualState; ///< STATES.tmp, first at quit
    std::function<void()> stopAlarm;        ///< silences a sounding alarm
    std::function<void(const std::string&)> remoteAlarmLabel;
    std::function<void(const std::string&)> remoteScenarioLabel;
    std::function<void()> rebuildScenarioMenu;
    /// Loads the scenario of that name (list double click, random scenario, tray).
    std::function<void(const std::string&)> loadScenario;
    /// The recorder's arguments, made when it starts (the app writes a snapshot of what is
    /// playing and names its folder); empty: the recorder starts without arguments.
    std::function<std::vector<std::string>()> recorderArguments;
    /// A key pressed in the main window, as its name ("F5", "Ctrl+M").
    std::function<void(const std::string&)> hotkey;
    /// Commands of the visual mode, offered in the tray when present.
    std::function<void()> slideshow;
    std::function<void()> panoramic;
};

class MainWindowController {
  public:
    explicit MainWindowController(Services& services);
    ~MainWindowController();
    MainWindowController(const MainWindowController&) = delete;
    MainWindowController& operator=(const MainWindowController&) = delete;

    // --- wiring, before start-up ---
    /// Banks in creation order; each is restored at start and closed (saved) at quit.
    void addBank(Bank& bank);
    [[nodiscard]] const std::vector<Bank*>& banks() const { return m_banks; }
    [[nodiscard]] Bank* bank(const std::string& windowName) const;
    [[nodiscard]] WindowRegistry& windows() { return m_windows; }
    [[nodiscard]] MainWindowHooks& hooks() { return m_hooks; }
    /// Takes a soundscape: its banks in restore order and its two automatic-randomise
    /// switches, which start-up restores, quit saves and the display shows. Call once.
    void attach(SoundscapeLinks links);
    /// The per-user folder that keeps the last failed save of a quit nobody could answer.
    void setSaveErrorFolder(std::filesystem::path folder) {
        m_saveErrors.setFolder(std::move(folder));
    }

    // --- start-up ---
    /// First step of the load sequence: the output device saved in main2.tmp is chosen
    /// before the engine starts, so a device picked last run takes effect now. A failed
    /// start is not reported; the engine then runs silent.
    void startSoundEngine();
    /// The rest of the load sequence: state files, every bank's state file, displays,
    /// colours, level push, first-run timer. Runs once.
    void load();
    [[nodiscard]] bool isLoaded() const { return m_loaded; }
    [[nodiscard]] bool isFirstRun() const { return m_firstRun; }

    // --- levels ---
    /// Sets a global level (clamped to its range); every copy follows.
    void setLevel(Level level, int value);
    [[nodiscard]] int level(Level level) const;
    /// Tray "Mute": saves the master and sets it to 0, or restores the saved value.
    void toggleMute();
    [[nodiscard]] bool isMuted() const { return m_muted; }
    /// The master the user chose: while muted the value the mute saved, else the master.
    [[nodiscard]] int unmutedMaster() const {
        return m_muted ? m_mutedMaster : m_s.levels.master();
    }

    // --- bank panels ---
    /// Shows one bank panel and hides the others; false for an unknown bank.
    bool showBank(const std::string& windowName);
    /// randombank1..randombank4: shows frmrandommain..frmrandommain4.
    void randombank(int number);
    [[nodiscard]] const std::string& shownBank() const { return m_shownBank; }

    // --- commands ---
    /// "Stop all sounds ": every slot of every bank off, as if unticked.
    void stopAllSounds();
    /// Starts the recorder program; shows kRecorderMissing when it cannot be started.
    bool startRecorder();
    void enableAlarm();
    void disableAlarm();
    [[nodiscard]] bool isAlarmEnabled() const { return m_mainState.alarmOn(); }
    /// Hides the bank panels and the main window and shows the remote (when it exists).
    void showRemote();
    /// Hides the remote and shows the main window.
    void showMain();
    [[nodiscard]] bool isMainVisible() const { return m_mainVisible; }
    /// Opens another window by name; false when it does not exist.
    bool openWindow(const std::string& windowName);
    void handleKey(const std::string& keyName);

    // --- scenario list ---
    [[nodiscard]] const std::vector<std::string>& scenarios() const { return m_scenarios; }
    [[nodiscard]] std::filesystem::path scenarioFolder() const;
    /// Re-reads "*.vlm" in the scenario folder, names without their extension.
    void refreshScenarioList();
    void selectScenario(const std::string& name);
    [[nodiscard]] const std::string& selectedScenario() const { return m_mainState.scenarioName; }
    [[nodiscard]] bool canLoadScenarios() const { return bool(m_hooks.loadScenario); }
    void loadSelectedScenario();
    /// "Load a random scenario from the list".
    void loadRandomScenario();

    // --- displays ---
    [[nodiscard]] std::string displayText(Display display) const;
    /// Writes one text into a display (loadlcd1..loadlcd6 and the scenario layer use it).
    void setDisplayText(Display display, const std::string& text);
    /// Refreshes the automatic-randomise display from both switches.
    void checklcd();
    /// One-shot 3 s refreshes a bank starts after toggling its automatic randomising.
    void startAutoRandomLcdUpdate();
    void startCustomLcdUpdate();
    /// Suspends the 5 s scenario-display clearing while a scenario loads.
    void setScenarioLoading(bool loading);

    // --- colours, presets, device ---
    [[nodiscard]] const ColorScheme& colorScheme() const { return m_scheme; }
    /// Applies the scheme to the main window and every bank.
    void docolors(const ColorScheme& scheme);
    [[nodiscard]] const std::array<std::string, state::kPresetCount>& presetCaptions() const {
        return m_main2State.presetCaptions;
    }
    void setPresetCaption(int index, const std::string& caption);
    /// The output-device index of this run: read from main2.tmp before the engine starts,
    /// changed by the device window (effective at the next start), written at quit.
    [[nodiscard]] OutputDeviceChoice& outputDevice() { return m_outputDevice; }

    // --- quit ---
    /// Quits in order: visual state, timers, engine close, main2.tmp then main.tmp, every
    /// window closed last opened first (each bank writing its state file). Runs once.
    /// interactive: failed saves are reported in one message box. Otherwise (a signal, the
    /// session's end, the alarm) nobody could answer one: they go to the save-error log.
    /// Before load() nothing is written.
    void quit(bool interactive = true);
    /// Writes main2.tmp, main.tmp and every bank's state file without closing anything (the
    /// session is about to end); failures go to the save-error log.
    void saveState();
    [[nodiscard]] bool hasQuit() const { return m_quit; }

    // --- notifications to the view ---
    Signal<Display, std::string> displayChanged;
    Signal<std::string> bankShown;
    Signal<bool> muteChanged;
    Signal<bool> alarmChanged;
    Signal<bool> mainVisibilityChanged;
    Signal<> scenariosChanged;
    Signal<std::string> scenarioSelected;
    Signal<> presetsChanged;
    Signal<const ColorScheme&> colorsChanged;
    /// Quit has run: the view closes and the program ends.
    Signal<> finished;

  private:
    [[nodiscard]] std::string autoRandomiseLine(const AutoRandomiseLink& link) const;
    void restoreState();
    void collectState();
    void reportSave(const state::SaveReport& report, bool interactive);
    void showClock();
    void stopTimers();

    Services& m_s;
    WindowRegistry m_windows;
    MainWindowHooks m_hooks;
    AutoRandomiseLink m_randomAuto;
    AutoRandomiseLink m_customAuto;
    std::vector<Bank*> m_banks;
    std::string m_shownBank;
    std::vector<std::string> m_scenarios;
    std::array<std::string, kDisplayCount> m_display;
    std::array<std::string, 2> m_autoLines{"Disabled", "Disabled"};
    ColorScheme m_scheme;
    OutputDeviceChoice m_outputDevice;
    state::MainState m_mainState;
    state::Main2State m_main2State;
    std::unique_ptr<state::SavedSoundscape> m_saved;
    state::SaveErrorLog m_saveErrors;
    state::SaveReport* m_quitSave = nullptr; ///< collects the banks' saves as they close
    Connection m_autoRandomiseConnection;
    int m_mutedMaster = 0;
    bool m_muted = false;
    bool m_settingMute = false;
    bool m_mainVisible = true;
    bool m_engineStarted = false;
    bool m_loaded = false;
    bool m_firstRun = false;
    bool m_quit = false;
    std::unique_ptr<Timer> m_clockTimer;         ///< Timer2
    std::unique_ptr<Timer> m_scenarioClearTimer; ///< Timer1001
    std::unique_ptr<Timer> m_firstRunTimer;      ///< Timer4
    std::unique_ptr<Timer> m_autoLcdTimer;       ///< timerautorandomlcdupdate
    std::unique_ptr<Timer> m_customLcdTimer;     ///< Timercustomlcdupdate
    Connection m_levelsConnection;
};

} // namespace velmora
