#include "scheme_style.h"

#include "core/main_window/main_window_controller.h"
#include "lcd_display.h"

#include <QPalette>
#include <QStyle>
#include <QWidget>

namespace velmora {

namespace {
constexpr const char* kRoleProperty = "schemeRole";
constexpr const char* kWindowProperty = "schemeWindow";

const char* roleName(SchemeRole role) {
    switch (role) {
    case SchemeRole::Text:
        return "text";
    case SchemeRole::Button:
        return "button";
    case SchemeRole::Active:
        return "active";
    case SchemeRole::TextBox:
        return "textbox";
    }
    return "text";
}

QString hex(std::uint32_t bgr) {
    return qColor(bgr).name();
}

/// from moved `percent` of the way towards to. Frames, grooves and disabled text are drawn
/// between a colour and the text on it, so they show on light and dark schemes alike.
QString mix(std::uint32_t from, std::uint32_t to, int percent) {
    const QColor x = qColor(from), y = qColor(to);
    const auto channel = [percent](int a, int b) { return a + (b - a) * percent / 100; };
    return QColor(channel(x.red(), y.red()), channel(x.green(), y.green()),
                  channel(x.blue(), y.blue()))
        .name();
}

/// Holds a window's subscription to scheme changes; goes with the window.
class SchemeFollower : public QObject {
  public:
    SchemeFollower(QWidget* window, MainWindowController& main) : QObject(window) {
        m_connection = main.colorsChanged.connect(
            [window](const ColorScheme& scheme) { applyScheme(window, scheme); });
    }

  private:
    Connection m_connection;
};
} // namespace

QColor grooveColor(const ColorScheme& s) {
    return QColor(mix(s.backColor, s.textColor, 16));
}

void setSchemeRole(QWidget* control, SchemeRole role) {
    control->setProperty(kRoleProperty, QString::fromLatin1(roleName(role)));
    // Style-sheet rules that select on a property are matched at polish time.
    control->style()->unpolish(control);
    control->style()->polish(control);
    control->update();
}

QString schemeStyleSheet(const ColorScheme& s) {
    // Window and text
    QString sheet =
        // Message boxes and input boxes opened from a window take the window's sheet with
        // its text colours, so they need its background too.
        QStringLiteral("*[schemeWindow=\"true\"], QDialog { background-color: %4; }"
                       "QLabel, QCheckBox, QRadioButton { color: %1; background: transparent; }"
                       "QLabel:disabled, QCheckBox:disabled, QRadioButton:disabled { color: %2; }"
                       "QGroupBox { color: %1; border: 1px solid %3; border-radius: 6px;"
                       " margin-top: 1.1em; padding: 6px 4px 4px 4px; }"
                       "QGroupBox::title { subcontrol-origin: margin; left: 10px; padding: 0 4px;"
                       " color: %1; font-weight: bold; }")
            .arg(hex(s.textColor), mix(s.textColor, s.backColor, 45),
                 mix(s.backColor, s.textColor, 30), hex(s.backColor));
    // Buttons: the rollover colour under the pointer, a state that is on in the same colour
    // with a firmer border so it reads without hovering.
    sheet += QStringLiteral(
                 "QPushButton, QToolButton, *[schemeRole=\"button\"] { background: %1; color: %2;"
                 " border: 1px solid %3; border-radius: 5px; padding: 4px 10px;"
                 " min-height: 1.5em; }"
                 "QPushButton:hover, QToolButton:hover { background: %4; }"
                 "QPushButton:checked, QToolButton:checked { background: %4;"
                 " border: 2px solid %2; }"
                 "QPushButton:pressed, QToolButton:pressed { background: %3; }"
                 "QPushButton:disabled, QToolButton:disabled { color: %5; }"
                 "QPushButton[schemeRole=\"active\"] { background: %6; color: %7; }"
                 "QPushButton[schemeRole=\"active\"]:hover { background: %4; color: %2; }")
                 .arg(hex(s.buttonBack), hex(s.buttonText), mix(s.buttonBack, s.buttonText, 35),
                      hex(s.buttonRollover), mix(s.buttonText, s.buttonBack, 35),
                      hex(s.activeColor), hex(s.buttonText));
    // Panels with a button on every row (the random banks) keep them to the text's height;
    // the padded buttons of the other windows would make such a panel taller than a laptop.
    sheet += QStringLiteral("*[schemeDensity=\"compact\"] QPushButton, "
                            "*[schemeDensity=\"compact\"] QToolButton { padding: 1px 6px;"
                            " min-height: 0px; }");
    // Text boxes; a selection is the text box inverted, so it is as readable as the text.
    sheet += QStringLiteral(
                 "QLineEdit, QListView, QTreeView, QTableView, QComboBox, QAbstractSpinBox,"
                 " QTextEdit, QPlainTextEdit, QLabel[schemeRole=\"textbox\"] {"
                 " background: %1; color: %2; border: 1px solid %3; border-radius: 4px; }"
                 "QComboBox QAbstractItemView { background: %1; color: %2;"
                 " selection-background-color: %2; selection-color: %1; }"
                 "QLineEdit, QAbstractSpinBox, QTextEdit, QPlainTextEdit {"
                 " selection-background-color: %2; selection-color: %1; }"
                 "QListView::item:selected, QTreeView::item:selected,"
                 " QTableView::item:selected { background: %2; color: %1; }"
                 "QToolTip, QMenu { background: %1; color: %2; border: 1px solid %3; }"
                 "QMenu::item:selected { background: %2; color: %1; }"
                 "QTabBar::tab { background: %4; color: %5; border: 1px solid %3;"
                 " padding: 4px 10px; border-top-left-radius: 5px; border-top-right-radius: 5px; }"
                 "QTabBar::tab:hover { background: %6; }"
                 "QTabBar::tab:selected { background: %7; color: %8; border-bottom-color: %7; }")
                 .arg(hex(s.textBoxBackground), hex(s.textBoxForeground),
                      mix(s.textBoxBackground, s.textBoxForeground, 30), hex(s.buttonBack),
                      hex(s.buttonText), hex(s.buttonRollover), hex(s.backColor), hex(s.textColor));
    // Sliders and the range bars: the window colour underneath, the highlight as the
    // Start -> End gradient running the way the value grows, no arrow buttons.
    sheet +=
        QStringLiteral(
            "QSlider { background: transparent; }"
            "QSlider::groove:horizontal { background: %1; height: 6px; border-radius: 3px; }"
            "QSlider::groove:vertical { background: %1; width: 6px; border-radius: 3px; }"
            "QSlider::sub-page:horizontal { background: qlineargradient(x1:0, y1:0, x2:1,"
            " y2:0, stop:0 %2, stop:1 %3); border-radius: 3px; }"
            "QSlider::add-page:horizontal, QSlider::sub-page:vertical { background: %1;"
            " border-radius: 3px; }"
            "QSlider::add-page:vertical { background: qlineargradient(x1:0, y1:1, x2:0,"
            " y2:0, stop:0 %2, stop:1 %3); border-radius: 3px; }"
            "QSlider::handle { background: %4; border: 1px solid %5; border-radius: 4px; }"
            "QSlider::handle:horizontal { width: 12px; margin: -5px 0; }"
            "QSlider::handle:vertical { height: 12px; margin: 0 -5px; }"
            "QSlider::handle:hover { background: %6; }"
            "QScrollBar { background: %1; border: none; border-radius: 5px; }"
            "QScrollBar:horizontal { height: 11px; margin: 0; }"
            "QScrollBar:vertical { width: 11px; margin: 0; }"
            "QScrollBar::handle { background: qlineargradient(x1:0, y1:0, x2:1, y2:1,"
            " stop:0 %2, stop:1 %3); border: 1px solid %5; border-radius: 5px; }"
            "QScrollBar::handle:horizontal { min-width: 16px; }"
            "QScrollBar::handle:vertical { min-height: 16px; }"
            "QScrollBar::handle:hover { background: %6; }"
            "QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; border: none;"
            " background: none; }"
            "QScrollBar::add-page, QScrollBar::sub-page { background: none; }")
            .arg(grooveColor(s).name(), hex(s.startGradient), hex(s.endGradient), hex(s.buttonBack),
                 mix(s.buttonBack, s.buttonText, 35), hex(s.buttonRollover));
    return sheet;
}

void applyScheme(QWidget* window, const ColorScheme& s) {
    for (auto* lcd : window->findChildren<LcdDisplay*>())
        lcd->setScheme(s);
    const QString sheet = schemeStyleSheet(s);
    // A panel inside a window already coloured in this scheme takes the window's sheet: a
    // sheet of its own would polish every control of the panel a second time, and polishing
    // is what an apply costs.
    const QWidget* host = window->parentWidget();
    while (host && !host->property(kWindowProperty).toBool())
        host = host->parentWidget();
    const QString own = host && host->styleSheet() == sheet ? QString() : sheet;
    if (window->property(kWindowProperty).toBool() && window->styleSheet() == own &&
        window->palette().color(QPalette::Window) == qColor(s.backColor))
        return;
    QPalette pal = window->palette();
    pal.setColor(QPalette::Window, qColor(s.backColor));
    pal.setColor(QPalette::WindowText, qColor(s.textColor));
    pal.setColor(QPalette::Button, qColor(s.buttonBack));
    pal.setColor(QPalette::ButtonText, qColor(s.buttonText));
    pal.setColor(QPalette::Base, qColor(s.textBoxBackground));
    pal.setColor(QPalette::AlternateBase, qColor(s.textBoxBackground).darker(104));
    pal.setColor(QPalette::Text, qColor(s.textBoxForeground));
    pal.setColor(QPalette::Highlight, qColor(s.textBoxForeground));
    pal.setColor(QPalette::HighlightedText, qColor(s.textBoxBackground));
    pal.setColor(QPalette::ToolTipBase, qColor(s.textBoxBackground));
    pal.setColor(QPalette::ToolTipText, qColor(s.textBoxForeground));
    window->setPalette(pal);
    window->setAutoFillBackground(true);
    // A window coloured by a style sheet paints its background from the sheet only when
    // asked to, and only the rule for windows gives it one.
    window->setProperty(kWindowProperty, true);
    window->setAttribute(Qt::WA_StyledBackground, true);
    if (window->styleSheet() != own) window->setStyleSheet(own);
}

void followScheme(QWidget* window, MainWindowController& main) {
    applyScheme(window, main.colorScheme());
    new SchemeFollower(window, main);
}

} // namespace velmora
