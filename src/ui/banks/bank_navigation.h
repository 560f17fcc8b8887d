#pragma once
// How the user finds his way between the bank panels: the main window's one row of bank
// tabs, and under "Random Sounds" the four themes of the numbered random banks, so the tab
// stays lit on every one of them. Panels carry no navigation of their own; the parts of a
// panel that only make sense in a window of its own (the copies of the main window's levels,
// its heading) are marked here and hidden where the main window hosts it.
//
// Thread: UI thread.

#include <QString>

#include <string>
#include <vector>

class QWidget;

namespace velmora {

/// A button that shows one bank panel.
struct BankTab {
    std::string windowName;
    QString caption;
    QString objectName;
};

/// The caption the user knows a bank panel by ("Backgrounds 1"), on every button that shows it.
[[nodiscard]] QString bankPanelCaption(const std::string& window);

/// The main window's bank buttons, in their order.
[[nodiscard]] std::vector<BankTab> bankTabs();

/// The numbered random banks by theme ("Birds", ...), frmrandommain..frmrandommain4.
[[nodiscard]] std::vector<BankTab> randomThemeTabs();

/// The bank tab that stays lit while window is shown: "Random Sounds" for every theme.
[[nodiscard]] std::string tabWindowOf(const std::string& window);

/// Marks part of a panel as meaningful only where the panel stands alone.
void markStandaloneOnly(QWidget* part);

/// Hides the marked parts of a panel that a host window already shows.
void hideStandaloneOnly(QWidget* panel);

} // namespace velmora
