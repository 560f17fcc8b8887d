#pragma once
// The device window (frmselectcard, "Soundcard Configuration"): lists the output devices
// in reverse order (each inserted at the top, so the saved device indices keep pointing at
// the same rows), leaves out "Primary Sound Driver", and on OK makes the chosen device the
// output-device index for the next start.
//
// Thread: UI thread.

#include "core/services.h"
#include "output_device.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace velmora {

/// Device names by device index. Listing asks the engine for automatic output first.
using DeviceNames = std::function<std::vector<std::string>()>;
/// The engine's devices.
[[nodiscard]] DeviceNames engineDeviceNames(audio::SoundEngine& engine);

struct DeviceEntry {
    std::string name;
    int index = 0; ///< device index in the engine's list
    friend bool operator==(const DeviceEntry&, const DeviceEntry&) = default;
};

/// The list as shown: reverse device order, names cut at their first NUL, "Primary Sound
/// Driver" left out.
[[nodiscard]] std::vector<DeviceEntry> buildDeviceList(const std::vector<std::string>& names);

class DeviceSelectionController {
  public:
    static constexpr const char* kCaption = "Soundcard Configuration";
    static constexpr const char* kPrompt = "Please select your preferred soundcard...";
    static constexpr const char* kRestartMessage =
        "You will need to restart the program for the new settings to take effect.";
    /// Followed by the support e-mail address.
    static constexpr const char* kProblemMessage =
        "There was a problem selecting this source. Please select again. If the problem "
        "persists, please contact ";

    DeviceSelectionController(TimerService& timers, Dialogs& dialogs, OutputDeviceChoice& device,
                              DeviceNames names);
    DeviceSelectionController(Services& services, OutputDeviceChoice& device)
        : DeviceSelectionController(services.timers, services.dialogs, device,
                                    engineDeviceNames(services.engine)) {}

    /// Opening the window: the list is filled on the first tick of a 50 ms timer.
    void open();
    /// Fills the list now (the timer's work).
    void populate();

    [[nodiscard]] const std::vector<DeviceEntry>& entries() const { return m_entries; }
    /// Row in entries(), or -1 for none (the prompt is showing).
    void select(int row) { m_selected = row; }
    [[nodiscard]] int selected() const { return m_selected; }

    /// xpbs1: sets the output-device index, tells the user a restart is needed and closes;
    /// with no valid choice shows the problem message and stays open. True on success.
    bool ok();

    Signal<> listChanged;
    Signal<> closeRequested;

  private:
    TimerService& m_timers;
    Dialogs& m_dialogs;
    OutputDeviceChoice& m_device;
    DeviceNames m_names;
    std::vector<DeviceEntry> m_entries;
    int m_selected = -1;
    std::unique_ptr<Timer> m_fillTimer;
};

} // namespace velmora
