#pragma once
// The options window (FRMOPTIONS, "Program Options"): six options kept in opt.tmp, automatic
// start at logon, the start-up display choice in settings.ini, the current sound device,
// and commands that open the device window, the hotkeys, the help page and the updater.
// Other windows read the options through options() at any time; the file is read when the
// controller is made (as the window's first use would) and again whenever it opens.
//
// Thread: UI thread.

#include "core/services.h"
#include "core/state/options_state.h"
#include "core/state/scenario_crossfade.h"
#include "device_selection.h"
#include "output_device.h"
#include "platform/autostart.h"

#include <functional>
#include <string>

namespace velmora {

class OptionsController {
  public:
    static constexpr const char* kCaption = "Program Options";
    static constexpr const char* kSoundcardLabel = "Currently Used Soundcard: ";
    static constexpr const char* kUpdaterMessage =
        "There was a problem starting the updater. Please check that the file 'updater.exe' is "
        "in the root of your application folder.";
    static constexpr const char* kAutoStartMessage =
        "Velmora could not add itself to the programs started when you log in. Please check "
        "that your settings folder can be written to.";
    static constexpr int kPageCount = 4;

    /// What the options window opens; set by whoever builds the other windows.
    struct Hooks {
        std::function<void()> openDeviceWindow; ///< chameleonButton7
        std::function<void()> openHotkeys;      ///< chameleonButton12
    };

    /// What the options window reaches outside itself.
    struct Environment {
        const ProgramFolder& folder;
        SettingsStore& settings;
        Dialogs& dialogs;
        Shell& shell;
    };

    OptionsController(Environment env, AutoStart& autoStart, OutputDeviceChoice& device,
                      DeviceNames deviceNames);
    OptionsController(Services& services, AutoStart& autoStart, OutputDeviceChoice& device)
        : OptionsController({services.folder, services.settings, services.dialogs, services.shell},
                            autoStart, device, engineDeviceNames(services.engine)) {}
    void setHooks(Hooks hooks) { m_hooks = std::move(hooks); }
    void setOpenHotkeys(std::function<void()> open) { m_hooks.openHotkeys = std::move(open); }

    /// Opening the window: first four options on, then opt.tmp; automatic start as it is
    /// now; the device name; the first page.
    void open();
    /// Closing the window: the inactivity time is settled, opt.tmp and "remoteonstart" are
    /// written.
    void close();

    [[nodiscard]] const state::OptionsState& options() const { return m_options; }
    /// The settled inactivity time, kInactivityMinimum..kInactivityMaximum.
    [[nodiscard]] int inactivityTime() const;

    void setColorSchemeWithScenario(bool on); ///< Check1
    void setColorChangeOnRemote(bool on);     ///< Check2
    void setVolumesOnScenarioLoad(bool on);   ///< Check20
    void setAutoHideRemote(bool on);          ///< Check4
    /// Text1 and Label6 follow Check4.
    [[nodiscard]] bool inactivityEnabled() const { return m_options.autoHideRemote; }
    /// Text1 changed: a value above 60 becomes 60 at once.
    void editInactivityTime(const std::string& text);
    /// Text1 finished (focus left, Enter, window closing): a value below 5 becomes 5.
    void finishInactivityTime();
    void setStartWithController(bool on); ///< Check5
    /// "Crossfade between scenarios" and its length; saved at once in the settings store.
    [[nodiscard]] state::ScenarioCrossfade scenarioCrossfade() const;
    void setScenarioCrossfade(const state::ScenarioCrossfade& crossfade);

    /// chkstartup: adds or removes the autostart entry, then writes "AutoLaunch".
    void setAutoLaunch(bool on);
    [[nodiscard]] bool autoLaunch() const { return m_autoLaunch; }
    [[nodiscard]] bool displayChoicesEnabled() const { return m_autoLaunch; }
    /// optdisplay(index): 0 "Taskbar", 1 "Fully Displayed"; writes "Display".
    void setDisplay(int index);
    [[nodiscard]] int display() const { return m_display; }

    /// Label5: the name of the output-device index.
    [[nodiscard]] const std::string& deviceName() const { return m_deviceName; }

    /// chameleonButton8..11.
    void showPage(int page);
    [[nodiscard]] int page() const { return m_page; }

    void chooseSoundCard(); ///< chameleonButton7
    void openHotkeys();     ///< chameleonButton12
    [[nodiscard]] bool canOpenHotkeys() const { return bool(m_hooks.openHotkeys); }
    void openHelp();     ///< chameleonButton4
    void startUpdater(); ///< xpbs2

    /// Any state the view shows changed.
    Signal<> changed;

  private:
    void loadFile();
    void refreshDeviceName();
    std::filesystem::path file(const char* stored) const;

    Environment m_env;
    AutoStart& m_autoStart;
    OutputDeviceChoice& m_device;
    DeviceNames m_deviceNames;
    Hooks m_hooks;
    state::OptionsState m_options;
    bool m_autoLaunch = false;
    int m_display = 0;
    int m_page = 0;
    std::string m_deviceName;
    Connection m_deviceConnection;
};

} // namespace velmora
