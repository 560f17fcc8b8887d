#include "scheme_style.h"

#include <QPalette>
#include <QWidget>

namespace velmora {

namespace {
QString hex(std::uint32_t bgr) {
    return qColor(bgr).name();
}

/// A colour a little away from c, towards the darker or lighter side that keeps contrast.
QString shade(std::uint32_t bgr, int percent) {
    const QColor c = qColor(bgr);
    return (c.lightness() > 128 ? c.darker(100 + percent) : c.lighter(100 + percent)).name();
}
} // namespace

QString schemeStyleSheet(const ColorScheme& s) {
    return QStringLiteral(
               "QGroupBox { border: 1px solid %1; border-radius: 6px; margin-top: 1.1em;"
               " padding: 6px 4px 4px 4px; }"
               "QGroupBox::title { subcontrol-origin: margin; left: 10px; padding: 0 4px;"
               " color: %2; font-weight: bold; }"
               "QPushButton { background: %3; color: %4; border: 1px solid %5;"
               " border-radius: 5px; padding: 4px 10px; min-height: 1.5em; }"
               "QPushButton:hover { background: %6; }"
               "QPushButton:checked { background: %6; border: 1px solid %7; }"
               "QPushButton:pressed { background: %5; }"
               "QSlider::groove:vertical { background: %8; width: 6px; border-radius: 3px; }"
               "QSlider::sub-page:vertical { background: %8; border-radius: 3px; }"
               "QSlider::add-page:vertical { background: qlineargradient(x1:0, y1:1, x2:0,"
               " y2:0, stop:0 %9, stop:1 %10); border-radius: 3px; }"
               "QSlider::groove:horizontal { background: %8; height: 6px; border-radius: 3px; }"
               "QSlider::sub-page:horizontal { background: qlineargradient(x1:0, y1:0, x2:1,"
               " y2:0, stop:0 %9, stop:1 %10); border-radius: 3px; }"
               "QSlider::handle { background: %3; border: 1px solid %5; border-radius: 4px;"
               " width: 16px; height: 12px; margin: -5px; }"
               "QSlider::handle:hover { background: %6; }"
               "QListWidget, QLineEdit, QComboBox { background: %11; color: %12;"
               " border: 1px solid %5; border-radius: 4px; }"
               "QListWidget::item:selected { background: %9; color: %11; }")
        .arg(shade(s.backColor, 35), hex(s.textColor), hex(s.buttonBack), hex(s.buttonText),
             shade(s.buttonBack, 40), hex(s.buttonRollover), hex(s.buttonText),
             shade(s.backColor, 20), hex(s.startGradient))
        .arg(hex(s.endGradient), hex(s.textBoxBackground), hex(s.textBoxForeground));
}

void applyScheme(QWidget* window, const ColorScheme& s) {
    QPalette pal = window->palette();
    pal.setColor(QPalette::Window, qColor(s.backColor));
    pal.setColor(QPalette::WindowText, qColor(s.textColor));
    pal.setColor(QPalette::Button, qColor(s.buttonBack));
    pal.setColor(QPalette::ButtonText, qColor(s.buttonText));
    pal.setColor(QPalette::Base, qColor(s.textBoxBackground));
    pal.setColor(QPalette::Text, qColor(s.textBoxForeground));
    pal.setColor(QPalette::Highlight, qColor(s.startGradient));
    pal.setColor(QPalette::HighlightedText, qColor(s.textBoxBackground));
    pal.setColor(QPalette::ToolTipBase, qColor(s.textBoxBackground));
    pal.setColor(QPalette::ToolTipText, qColor(s.textBoxForeground));
    window->setPalette(pal);
    window->setAutoFillBackground(true);
    window->setStyleSheet(schemeStyleSheet(s));
}

} // namespace velmora
