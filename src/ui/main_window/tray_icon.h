#pragma once
// The notification-area icon (tooltip "Velmora") and its mnutray menu. Only entries whose
// command exists are listed; the menu is rebuilt when a window is wired in.
//
// Thread: UI thread.

#include "core/main_window/main_window_controller.h"

#include <QObject>

#include <vector>

class QAction;
class QMenu;
class QSystemTrayIcon;

namespace velmora {

class TrayIcon : public QObject {
    Q_OBJECT
  public:
    explicit TrayIcon(MainWindowController& controller, QObject* parent = nullptr);
    ~TrayIcon() override;

    /// Adds the icon to the notification area (nothing happens where there is none).
    void show();
    [[nodiscard]] QMenu* menu() const { return m_menu; }
    [[nodiscard]] QSystemTrayIcon* icon() const { return m_icon; }
    /// Rebuilds the entries from the commands that exist now.
    void rebuild();
    /// Lists the sleep-timer menu (kept by its owner) above "Mute".
    void setSleepMenu(QMenu* menu);
    /// A line under the program's title in the tool-tip ("Sleep in 29:59"); empty for none.
    void setStatus(const QString& text);

  private:
    QAction* add(const QString& text, const std::function<void()>& action);
    /// The presets bound to a scenario, under "Presets".
    void addPresets();

    MainWindowController& m_controller;
    QMenu* m_menu;
    QSystemTrayIcon* m_icon;
    QAction* m_mute = nullptr;
    QMenu* m_sleepMenu = nullptr;
    std::vector<Connection> m_connections;
};

} // namespace velmora
