#pragma once
// One automatic-randomise switch as the core sees it: the four numbered random banks share one
// (with their dialog Form3), the custom random bank has its own (with Form33). The banks
// implement it; the saved state restores and saves it, the main window shows it.
//
// Thread: UI thread.

#include "core/signal.h"

namespace velmora {

class AutoRandomiseSwitch {
  public:
    virtual ~AutoRandomiseSwitch() = default;

    [[nodiscard]] virtual bool isOn() const = 0;
    /// Switches it on at start; that starts its timer with the dialog's period.
    virtual void restore(bool on) = 0;
    /// The period chosen in the settings dialog, in whole minutes.
    [[nodiscard]] virtual int periodMinutes() const = 0;
    /// Makes minutes the dialog's period in force (a snapshot restores it).
    virtual void setPeriodMinutes(int minutes) = 0;
    /// The settings dialog's slider ucSlider1, kept in main.tmp.
    [[nodiscard]] virtual int dialogSlider() const = 0;
    virtual void setDialogSlider(int value) = 0;

    /// Switched on or off, or its dialog confirmed: what the main window shows may be stale.
    Signal<> changed;
};

} // namespace velmora
