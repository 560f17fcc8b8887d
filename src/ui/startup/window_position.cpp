#include "window_position.h"

#include "core/state/window_positions.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace velmora {

bool restoreWindowPosition(QWidget* window, const SettingsStore& store) {
    if (!window) return false;
    const auto pos = state::readWindowPosition(store, window->objectName().toStdString());
    if (!pos) return false;
    QPoint p(pos->left, pos->top);
    const QScreen* screen = QGuiApplication::screenAt(p);
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (screen) {
        const QRect area = screen->availableGeometry();
        const QSize size = window->frameGeometry().size();
        p.setX(std::clamp(p.x(), area.left(), std::max(area.left(), area.right() - size.width())));
        p.setY(std::clamp(p.y(), area.top(), std::max(area.top(), area.bottom() - size.height())));
    }
    window->move(p);
    return true;
}

void saveWindowPosition(const QWidget* window, SettingsStore& store) {
    if (!window) return;
    const QPoint p = window->frameGeometry().topLeft();
    state::writeWindowPosition(store, window->objectName().toStdString(), {p.x(), p.y()});
}

} // namespace velmora
