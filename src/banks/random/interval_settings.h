#pragma once
// The automatic-randomise settings dialogs: Form3 serves the four numbered banks, Form33
// the custom bank. Each holds a period (one of nine whole-minute choices) and a frequency
// threshold T 0..245 that "Randomize frequencies now" reads at the moment it runs.
//
// The period a user picks in the list is only a choice until OK: the banks' timers, the
// main window's display and the saved value keep the confirmed period, and closing the
// dialog any other way drops the choice. The threshold, by contrast, acts at once.
//
// Thread: UI thread.

#include "core/signal.h"

#include <array>
#include <string>

namespace velmora {

class SettingsStore;

class IntervalSettings {
  public:
    static constexpr std::array<int, 9> kPeriods{1, 2, 5, 10, 15, 20, 30, 45, 60};
    static constexpr int kMaxThreshold = 245;
    static constexpr int kInitialPeriodIndex = 3; ///< 10 minutes
    static constexpr int kInitialThreshold = 120;

    /// windowName "Form3" or "Form33"; section "Settings4" or "Settings5" keeps the window
    /// position and the chosen period, so the period survives a restart.
    IntervalSettings(std::string windowName, std::string section, SettingsStore& settings);

    [[nodiscard]] const std::string& windowName() const { return m_windowName; }
    [[nodiscard]] const std::string& section() const { return m_section; }

    /// The confirmed period: index 0..8 into kPeriods, and its whole minutes.
    [[nodiscard]] int periodIndex() const { return m_periodIndex; }
    [[nodiscard]] int periodMinutes() const { return kPeriods[m_periodIndex]; }
    /// Sets the confirmed period outright (restoring saved state), dropping any pending
    /// choice; false (and no change) for minutes that are not listed.
    bool setPeriodMinutes(int minutes);

    /// The list's selection, index 0..8: pending until confirm(), dropped by cancel().
    [[nodiscard]] int chosenPeriodIndex() const { return m_chosenIndex; }
    void choosePeriodIndex(int index);

    /// The "Frequency threshold" slider (ucSlider1), 0..245; out-of-range values are limited.
    [[nodiscard]] int threshold() const { return m_threshold; }
    void setThreshold(int value);

    /// OK: the chosen period becomes the period, is remembered for the next start, and the
    /// banks restart their timers with it.
    void confirm();
    /// Any other way out of the dialog: the list goes back to the confirmed period.
    void cancel();

    Signal<> changed;   ///< choice, period or threshold moved: views redraw
    Signal<> confirmed; ///< OK pressed

  private:
    std::string m_windowName;
    std::string m_section;
    SettingsStore& m_settings;
    int m_periodIndex = kInitialPeriodIndex;
    int m_chosenIndex = kInitialPeriodIndex;
    int m_threshold = kInitialThreshold;
};

} // namespace velmora
