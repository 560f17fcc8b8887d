#pragma once
// frmmain, the hub. It owns the parts the main window is made of, each with one concern:
// the mute, the bank panels, the eight displays, the scenario list, the preset buttons and
// the commands that reach other windows, all over one WindowRegistry through which other
// windows join. Itself it keeps what is saved in main.tmp and main2.tmp, the colour scheme
// and the output device, and sequences start-up (the load sequence) and quit.
//
// Thread: UI thread (timers and signals included).

#include "core/bank.h"
#include "core/color_scheme.h"
#include "core/main_window/bank_panels.h"
#include "core/main_window/mute_switch.h"
#include "core/main_window/preset_buttons.h"
#include "core/main_window/scenario_list.h"
#include "core/main_window/status_displays.h"
#include "core/main_window/window_commands.h"
#include "core/main_window/window_registry.h"
#include "core/services.h"
#include "core/signal.h"
#include "core/startup/output_device.h"
#include "core/state/main2_state.h"
#include "core/state/main_state.h"
#include "core/state/save_error_log.h"
#include "core/state/saved_soundscape.h"

#include <filesystem>
#include <memory>

namespace velmora {

/// The splash window, hidden once the main window has loaded.
class SplashScreen {
  public:
    virtual ~SplashScreen() = default;
    virtual void hideSplash() = 0;
};

class MainWindowController {
  public:
    explicit MainWindowController(Services& services);
    ~MainWindowController();
    MainWindowController(const MainWindowController&) = delete;
    MainWindowController& operator=(const MainWindowController&) = delete;

    // --- the parts ---
    [[nodiscard]] WindowRegistry& windows() { return m_windows; }
    [[nodiscard]] MuteSwitch& mute() { return m_mute; }
    [[nodiscard]] BankPanels& panels() { return m_panels; }
    [[nodiscard]] StatusDisplays& displays() { return m_displays; }
    [[nodiscard]] ScenarioList& scenarios() { return m_scenarios; }
    [[nodiscard]] PresetButtons& presets() { return m_presets; }
    [[nodiscard]] WindowCommands& commands() { return m_commands; }

    // --- wiring, before start-up ---
    /// Banks in creation order; each is restored at start and closed (saved) at quit.
    void addBank(Bank& bank);
    /// Takes a soundscape: its banks in restore order and its two automatic-randomise
    /// switches, which start-up restores, quit saves and the display shows. Call once.
    void attach(SoundscapeLinks links);
    /// The per-user folder that keeps the last failed save of a quit nobody could answer.
    void setSaveErrorFolder(std::filesystem::path folder) {
        m_saveErrors.setFolder(std::move(folder));
    }
    void setSplash(SplashScreen* splash) { m_splash = splash; }

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

    // --- colours, device ---
    [[nodiscard]] const ColorScheme& colorScheme() const { return m_scheme; }
    /// Applies the scheme to the main window and every bank.
    void docolors(const ColorScheme& scheme);
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

    Signal<const ColorScheme&> colorsChanged;
    /// Quit has run: the view closes and the program ends.
    Signal<> finished;

  private:
    void restoreState();
    void collectState();
    void reportSave(const state::SaveReport& report, bool interactive);
    void stopTimers();

    Services& m_s;
    // Saved state first: the parts below keep their fields in it.
    state::MainState m_mainState;
    state::Main2State m_main2State;
    OutputDeviceChoice m_outputDevice;
    ColorScheme m_scheme;

    WindowRegistry m_windows;
    MuteSwitch m_mute;
    BankPanels m_panels;
    StatusDisplays m_displays;
    ScenarioList m_scenarios;
    PresetButtons m_presets;
    WindowCommands m_commands;

    std::unique_ptr<state::SavedSoundscape> m_saved;
    state::SaveErrorLog m_saveErrors;
    state::SaveReport* m_quitSave = nullptr; ///< collects the banks' saves as they close
    SplashScreen* m_splash = nullptr;
    bool m_engineStarted = false;
    bool m_loaded = false;
    bool m_firstRun = false;
    bool m_quit = false;
    std::unique_ptr<Timer> m_firstRunTimer; ///< Timer4
};

} // namespace velmora
