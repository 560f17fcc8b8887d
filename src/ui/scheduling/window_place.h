#pragma once
// Where a scheduling window was last left: restored the first time it is shown in a run
// (a window that was never shown keeps its place in the settings untouched) and saved as
// the program quits.
//
// Thread: UI thread.

#include "platform/settings_store.h"

class QWidget;

namespace velmora {

class WindowPlace {
  public:
    WindowPlace(QWidget* window, SettingsStore& settings)
        : m_window(window), m_settings(settings) {}
    /// Shows the window in front, at its saved place the first time.
    void show();
    /// Saves the place, if the window was shown in this run.
    void save() const;

  private:
    QWidget* m_window;
    SettingsStore& m_settings;
    bool m_placed = false;
};

} // namespace velmora
