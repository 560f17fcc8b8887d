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
#include "core/main_window/auto_randomise_switch.h"
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
    /// The numbered random banks' switch and the custom random bank's: restored at start,
    /// saved at quit, shown on the automatic-randomise display.
    void setAutoRandomiseSwitches(AutoRandomiseSwitch& random, AutoRandomiseSwitch& custom);
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
    /// interactive: a failed save is reported in a message box (not on a signal or at
    /// session end, where nobody could answer it). Before load() nothing is written.
    void quit(bool interactive = true);
    /// Writes main2.tmp, main.tmp and every bank's state file without closing anything (the
    /// session is about to end).
    void saveState();
    [[nodiscard]] bool hasQuit() const { return m_quit; }

    Signal<const ColorScheme&> colorsChanged;
    /// Quit has run: the view closes and the program ends.
    Signal<> finished;

  private:
    [[nodiscard]] std::filesystem::path stateFile(const char* stored) const;
    [[nodiscard]] std::filesystem::path bankStateFile(const Bank& bank) const;
    void restoreMainState();
    void restoreMain2State();
    void restoreBanks();
    void collectState();
    bool writeStateFiles();
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

    AutoRandomiseSwitch* m_randomAuto = nullptr;
    AutoRandomiseSwitch* m_customAuto = nullptr;
    SplashScreen* m_splash = nullptr;
    bool m_engineStarted = false;
    bool m_loaded = false;
    bool m_firstRun = false;
    bool m_quit = false;
    std::unique_ptr<Timer> m_firstRunTimer; ///< Timer4
};

} // namespace velmora
