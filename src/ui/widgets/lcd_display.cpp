#include "lcd_display.h"

#include "appearance/lcd_backlights.h"
#include "scheme_style.h"

#include <QFontDatabase>
#include <QPainter>
#include <QPainterPath>

namespace velmora {

namespace {
QFont lcdFont() {
    QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    f.setStyleHint(QFont::Monospace);
    f.setBold(true);
    f.setPointSizeF(10.5);
    return f;
}
} // namespace

LcdDisplay::LcdDisplay(QWidget* parent) : QWidget(parent) {
    setFont(lcdFont());
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void LcdDisplay::setText(const QString& text) {
    if (text == m_text) return;
    const bool grew = text.count('\n') != m_text.count('\n');
    m_text = text;
    setAccessibleName(m_text);
    if (grew) updateGeometry();
    update();
}

void LcdDisplay::setScheme(const ColorScheme& scheme) {
    m_scheme = scheme;
    update();
}

void LcdDisplay::setColumns(int columns) {
    m_columns = std::max(4, columns);
    updateGeometry();
}

int LcdDisplay::lineCount() const {
    return int(m_text.count('\n')) + 1;
}

QSize LcdDisplay::sizeHint() const {
    const QFontMetrics fm(font());
    return {fm.horizontalAdvance(QLatin1Char('8')) * m_columns + 16,
            fm.height() * lineCount() + 10};
}

QSize LcdDisplay::minimumSizeHint() const {
    const QFontMetrics fm(font());
    return {fm.horizontalAdvance(QLatin1Char('8')) * 6 + 16, fm.height() * lineCount() + 10};
}

void LcdDisplay::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath path;
    path.addRoundedRect(frame, 4, 4);

    // The backlight: lighter at the top, as a real panel lit from its edge looks.
    const appearance::LcdColours lcd = appearance::lcdColours(m_scheme);
    const QColor back = qColor(lcd.backlight);
    QLinearGradient glow(frame.topLeft(), frame.bottomLeft());
    glow.setColorAt(0, back.lighter(125));
    glow.setColorAt(1, back.darker(115));
    p.fillPath(path, glow);
    p.setPen(QPen(back.darker(170), 1));
    p.drawPath(path);

    const QFontMetrics fm(font());
    const int lineHeight = fm.height();
    const int cell = fm.horizontalAdvance(QLatin1Char('8'));
    const int columns = std::max(1, (width() - 16) / std::max(1, cell));
    const QStringList lines = m_text.split('\n');
    const int top = (height() - lineHeight * int(lines.size())) / 2;
    for (int i = 0; i < lines.size(); ++i) {
        const int baseline = top + i * lineHeight + fm.ascent();
        // Unlit cells first, so the panel reads as a segment display even when empty.
        QColor off = qColor(lcd.off);
        off.setAlpha(70); // unlit cells are a hint, not a second text
        p.setPen(off);
        p.drawText(8, baseline, QString(columns, QLatin1Char('8')));
        const QString line = lines[i].left(columns);
        QColor blend = qColor(lcd.blend);
        blend.setAlpha(150);
        p.setPen(blend);
        p.drawText(9, baseline + 1, line);
        p.setPen(qColor(lcd.on));
        p.drawText(8, baseline, line);
    }
}

} // namespace velmora
