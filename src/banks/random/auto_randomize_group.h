#pragma once
// The four numbered banks share one automatic-randomise switch: switching it on or off in
// any of them switches all four, with the period chosen in Form3.
//
// Thread: UI thread.

#include "core/signal.h"

#include <array>

namespace velmora {

class IntervalSettings;
class RandomBank;

class AutoRandomizeGroup {
  public:
    /// Attaches itself to the banks; confirming Form3 restarts all four with its period.
    AutoRandomizeGroup(std::array<RandomBank*, 4> banks, IntervalSettings& form3);
    ~AutoRandomizeGroup();
    AutoRandomizeGroup(const AutoRandomizeGroup&) = delete;
    AutoRandomizeGroup& operator=(const AutoRandomizeGroup&) = delete;

    /// The switch (main2.tmp field 36). On: every bank (re)starts a P x 1000 ms timer, P the
    /// minutes shown in Form3, and randomises P minutes later, then every P minutes.
    void setEnabled(bool on);
    [[nodiscard]] bool enabled() const { return m_enabled; }
    void toggle() { setEnabled(!m_enabled); }

    Signal<bool> changed; ///< the main window refreshes its display

  private:
    std::array<RandomBank*, 4> m_banks;
    IntervalSettings& m_form3;
    bool m_enabled = false;
    Connection m_confirmed;
};

} // namespace velmora
