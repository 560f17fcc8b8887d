#include "window_place.h"

#include "ui/startup/window_position.h"

#include <QWidget>

namespace velmora {

void WindowPlace::show() {
    if (!m_placed) {
        (void)restoreWindowPosition(m_window, m_settings);
        m_placed = true;
    }
    if (m_window->isMinimized()) m_window->showNormal();
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void WindowPlace::save() const {
    if (m_placed) saveWindowPosition(m_window, m_settings);
}

} // namespace velmora
