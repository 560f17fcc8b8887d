#pragma once
// The row of buttons on every bank panel that takes the user to the other sound windows
// through the main window, which shows one panel at a time. Random banks put their theme
// buttons first; the row then adds a button for each other panel the main window hosts.
//
// Thread: UI thread.

#include <QString>

#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace velmora {

/// What a bank panel needs of the main window to reach the others.
struct BankNavigation {
    /// True when a panel with this window name is there to be shown.
    std::function<bool(const std::string&)> exists;
    /// The main window's show-bank command.
    std::function<void(const std::string&)> show;
};

/// One button of the row.
struct BankPanelButton {
    std::string windowName;
    QString caption;
    QString objectName;
};

/// The caption the user knows a bank panel by ("Backgrounds 1"), on every button that shows it.
[[nodiscard]] QString bankPanelCaption(const std::string& window);

/// The main window's bank panels, in the order its own bank buttons show them.
[[nodiscard]] std::vector<BankPanelButton> bankPanelButtons();

/// Builds the row for the panel named ownWindow: the leading buttons, then one for every
/// panel of bankPanelButtons() that no leading button reaches. Only panels that exist get a
/// button; the panel's own button is there but disabled, so the user sees where he is.
[[nodiscard]] QWidget* makeBankNavigationRow(const std::string& ownWindow,
                                             std::vector<BankPanelButton> leading,
                                             const BankNavigation& navigation, QWidget* parent);

} // namespace velmora
