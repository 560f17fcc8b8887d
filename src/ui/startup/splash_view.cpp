#include "splash_view.h"

#include "core/services.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QScreen>

#include <cmath>
#include <numbers>

namespace velmora {

SplashView::SplashView(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName("STARTUP");
    setWindowTitle(kProgramTitle);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(560, 320);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void SplashView::setMessage(const QString& message) {
    m_message = message;
    update();
}

void SplashView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = rect();

    // Dusk sky: deep blue into a warm horizon.
    QLinearGradient sky(r.topLeft(), r.bottomLeft());
    sky.setColorAt(0.0, QColor(12, 18, 46));
    sky.setColorAt(0.55, QColor(38, 62, 112));
    sky.setColorAt(1.0, QColor(214, 136, 96));
    p.fillRect(r, sky);

    // A low moon with a soft halo.
    const QPointF moon(r.width() * 0.78, r.height() * 0.30);
    QRadialGradient halo(moon, 90);
    halo.setColorAt(0.0, QColor(255, 246, 220, 150));
    halo.setColorAt(1.0, QColor(255, 246, 220, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(halo);
    p.drawEllipse(moon, 90, 90);
    p.setBrush(QColor(252, 244, 226));
    p.drawEllipse(moon, 22, 22);

    // Layered waves: the drifting backgrounds the program is made of.
    const QColor waveColours[] = {QColor(20, 44, 84, 170), QColor(16, 34, 66, 200),
                                  QColor(10, 22, 44, 235)};
    for (int layer = 0; layer < 3; ++layer) {
        QPainterPath wave;
        const double base = r.height() * (0.68 + 0.1 * layer);
        const double amp = 9.0 - 2.0 * layer;
        const double len = 180.0 + 60.0 * layer;
        wave.moveTo(0, r.height());
        for (int x = 0; x <= r.width(); x += 4)
            wave.lineTo(x, base + amp * std::sin(2 * std::numbers::pi * x / len + layer * 1.3));
        wave.lineTo(r.width(), r.height());
        wave.closeSubpath();
        p.setBrush(waveColours[layer]);
        p.drawPath(wave);
    }

    // Title and tag line.
    QFont title = font();
    title.setPointSizeF(38);
    title.setWeight(QFont::Light);
    title.setLetterSpacing(QFont::PercentageSpacing, 112);
    p.setFont(title);
    p.setPen(QColor(246, 240, 255));
    const QRectF titleRect(36, r.height() * 0.18, r.width() - 72, 60);
    p.drawText(titleRect, Qt::AlignLeft | Qt::AlignVCenter, kProgramTitle);

    QFont tag = font();
    tag.setPointSizeF(11);
    p.setFont(tag);
    p.setPen(QColor(206, 214, 240));
    p.drawText(QRectF(38, titleRect.bottom() + 2, r.width() - 76, 24),
               Qt::AlignLeft | Qt::AlignVCenter, tr("Ambient soundscapes"));

    if (!m_message.isEmpty()) {
        p.setPen(QColor(230, 234, 250, 220));
        p.drawText(QRectF(38, r.height() - 34, r.width() - 76, 22),
                   Qt::AlignLeft | Qt::AlignVCenter, m_message);
    }

    p.setPen(QColor(255, 255, 255, 60));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
}

} // namespace velmora
