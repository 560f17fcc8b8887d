#include "window_position.h"

#include "core/state/window_positions.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <vector>

namespace velmora {

bool restoreWindowPosition(QWidget* window, const SettingsStore& store) {
    if (!window) return false;
    std::vector<state::ScreenArea> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect area = screen->availableGeometry();
        screens.push_back({area.x(), area.y(), area.width(), area.height()});
    }
    const QSize size = window->frameGeometry().size();
    const auto pos = state::readWindowPosition(store, window->objectName().toStdString(),
                                               {size.width(), size.height()}, screens);
    if (!pos) return false;
    window->move(pos->left, pos->top);
    return true;
}

void showAtSavedPlace(QWidget* window, const SettingsStore& store, bool& placed) {
    if (!placed) {
        placed = true;
        window->adjustSize();
        restoreWindowPosition(window, store);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

void saveWindowPosition(const QWidget* window, SettingsStore& store) {
    if (!window) return;
    const QPoint p = window->frameGeometry().topLeft();
    state::writeWindowPosition(store, window->objectName().toStdString(), {p.x(), p.y()});
}

} // namespace velmora
