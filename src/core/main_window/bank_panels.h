#pragma once
// The bank area of the main window: every sound bank in creation order, exactly one of
// whose panels is shown at a time. Hidden banks stay loaded and keep playing.
//
// Thread: UI thread.

#include "core/bank.h"
#include "core/color_scheme.h"
#include "core/main_window/window_registry.h"
#include "core/signal.h"

#include <array>
#include <string>
#include <vector>

namespace velmora {

/// A main-window button that shows one bank panel; its caption belongs to the view.
struct BankButton {
    const char* objectName;
    const char* windowName;
};
inline constexpr std::array<BankButton, 6> kBankButtons = {{
    {"xpbs6", "frmback"},
    {"chameleonButton19", "frmback2"},
    {"xpbs22", "frmbackbw"},
    {"xpbs37", "frmrandommain"},
    {"chameleonButton11", "frmcustom"},
    {"xpbs200", "frmbackcustom"},
}};

class BankPanels {
  public:
    /// windows: where each bank's window joins, so it opens and closes with the others.
    explicit BankPanels(WindowRegistry& windows) : m_windows(windows) {}
    BankPanels(const BankPanels&) = delete;
    BankPanels& operator=(const BankPanels&) = delete;

    /// Adds a bank; close runs when its window closes at quit (it writes the state file).
    void add(Bank& bank, std::function<void()> close);
    [[nodiscard]] const std::vector<Bank*>& banks() const { return m_banks; }
    /// The bank whose window is called windowName, or nullptr.
    [[nodiscard]] Bank* bank(const std::string& windowName) const;

    /// Shows one bank panel and hides the others; false (nothing changes) for an unknown bank.
    bool showBank(const std::string& windowName);
    /// randombank1..randombank4: shows frmrandommain..frmrandommain4; other numbers do nothing.
    void randombank(int number);
    /// The window name of the panel shown, empty before the first.
    [[nodiscard]] const std::string& shownBank() const { return m_shown; }

    /// "Stop all sounds ": every slot of every bank off, as if unticked.
    void stopAllSounds();
    void docolors(const ColorScheme& scheme);

    /// The panel now shown (its window name).
    Signal<std::string> bankShown;

  private:
    WindowRegistry& m_windows;
    std::vector<Bank*> m_banks;
    std::string m_shown;
};

} // namespace velmora
