#pragma once
// The automatic-randomise settings dialogs: Form3 serves the four numbered banks, Form33
// the custom bank. Each holds a period (one of nine whole-minute choices) and a frequency
// threshold T 0..245 that "Randomize frequencies now" reads at the moment it runs.
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

    /// Index 0..8 into kPeriods, as the drop-down list shows it.
    [[nodiscard]] int periodIndex() const { return m_periodIndex; }
    void setPeriodIndex(int index);
    /// Whole minutes, one of kPeriods.
    [[nodiscard]] int periodMinutes() const { return kPeriods[m_periodIndex]; }
    /// Chooses the listed period equal to minutes; false (and no change) for other values.
    bool setPeriodMinutes(int minutes);

    /// The "Frequency threshold" slider (ucSlider1), 0..245; out-of-range values are limited.
    [[nodiscard]] int threshold() const { return m_threshold; }
    void setThreshold(int value);

    /// OK: remembers the period and tells the banks (which restart their timers).
    void confirm();

    Signal<> changed;   ///< period or threshold moved: views redraw
    Signal<> confirmed; ///< OK pressed

  private:
    std::string m_windowName;
    std::string m_section;
    SettingsStore& m_settings;
    int m_periodIndex = kInitialPeriodIndex;
    int m_threshold = kInitialThreshold;
};

} // namespace velmora
