#include "window_fit.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace velmora {

QSize openingSize(QSize needed, QRect available) {
    const int roomWidth = available.width();
    const int roomHeight = available.height() - kWindowFrameAllowance;
    const int width = std::max(needed.width(), available.width() * 3 / 4);
    const int height = std::max(needed.height(), available.height() * 3 / 4);
    return {std::min(width, roomWidth), std::min(height, roomHeight)};
}

QRect availableArea(const QWidget& window) {
    const QScreen* screen = window.screen();
    return screen ? screen->availableGeometry() : QRect();
}

namespace {
/// The window with the frame the window manager will add (before it is mapped, a guess).
QRect withFrame(const QWidget& window) {
    return QRect(window.pos(), window.size() + QSize(0, kWindowFrameAllowance));
}
} // namespace

void centreOnScreen(QWidget& window) {
    const QRect available = availableArea(window);
    if (available.isEmpty()) return;
    QRect frame = withFrame(window);
    frame.moveCenter(available.center());
    window.move(frame.topLeft());
    keepOnScreen(window);
}

void keepOnScreen(QWidget& window) {
    const QRect available = availableArea(window);
    if (available.isEmpty()) return;
    QRect frame = withFrame(window);
    if (frame.right() > available.right()) frame.moveRight(available.right());
    if (frame.bottom() > available.bottom()) frame.moveBottom(available.bottom());
    if (frame.left() < available.left()) frame.moveLeft(available.left());
    if (frame.top() < available.top()) frame.moveTop(available.top());
    window.move(frame.topLeft());
}

} // namespace velmora
