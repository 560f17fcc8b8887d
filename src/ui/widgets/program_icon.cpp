#include "program_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRadialGradient>

#include <algorithm>

namespace velmora {

QImage programIconImage(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0.5, 0.5, size - 1.0, size - 1.0);
    QRadialGradient g(r.center(), size / 2.0);
    g.setColorAt(0, QColor(0x3f, 0x8f, 0xd8));
    g.setColorAt(1, QColor(0x1b, 0x3c, 0x6b));
    p.setBrush(g);
    p.setPen(Qt::NoPen);
    p.drawEllipse(r);
    // Three soft waves across the disc.
    QPen wave(QColor(0xe8, 0xf4, 0xff), std::max(1.0, size / 14.0));
    wave.setCapStyle(Qt::RoundCap);
    p.setPen(wave);
    p.setBrush(Qt::NoBrush);
    for (int i = -1; i <= 1; ++i) {
        QPainterPath path;
        const double y = size / 2.0 + i * size / 5.0;
        path.moveTo(size * 0.2, y);
        path.cubicTo(size * 0.4, y - size * 0.12, size * 0.6, y + size * 0.12, size * 0.8, y);
        p.drawPath(path);
    }
    return image;
}

QIcon programIcon() {
    QIcon icon;
    for (int size : {16, 22, 32, 48, 64, 128})
        icon.addPixmap(QPixmap::fromImage(programIconImage(size)));
    return icon;
}

} // namespace velmora
