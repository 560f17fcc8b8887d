#pragma once
// The one routine that colours a window from the scheme. Controls get their colours by role:
// a push button is a button, a line edit or list a text box, a label or check box text on
// the window, a slider or scroll bar a slider with the Start -> End gradient, an LcdDisplay
// the four LCD colours. A control that plays another part declares it with setSchemeRole
// (a label that shows a value as a text field, a button drawn in the active colour), so no
// window copies colouring code of its own.
//
// Thread: UI thread.

#include "core/color_scheme.h"

#include <QColor>
#include <QString>

class QWidget;

namespace velmora {

class MainWindowController;

[[nodiscard]] inline QColor qColor(std::uint32_t bgr) {
    return QColor::fromRgb(toRgb(bgr));
}

/// Parts a control can play in the scheme, beyond what its type says.
enum class SchemeRole {
    Text,    ///< text on the window background ("Text Color")
    Button,  ///< "Back" / "Text" / "Rollover"
    Active,  ///< a button that shows a state that is on, in "Active Color"
    TextBox, ///< "Text Box Background" / "Text Box Foreground"
};

/// The unlit track of sliders and range bars: a little of the text colour in the window's.
[[nodiscard]] QColor grooveColor(const ColorScheme& scheme);

/// Declares the control's role; takes effect at once and at every later applyScheme.
void setSchemeRole(QWidget* control, SchemeRole role);

/// The style sheet of a window in this scheme (exposed for windows that add rules of their
/// own after it).
[[nodiscard]] QString schemeStyleSheet(const ColorScheme& scheme);
/// Colours window and everything in it. Cheap when the scheme is the one already shown.
void applyScheme(QWidget* window, const ColorScheme& scheme);
/// Applies the main window's scheme now and at every change for as long as window lives:
/// what a window made after "Apply" needs to show the current scheme.
void followScheme(QWidget* window, MainWindowController& main);

} // namespace velmora
