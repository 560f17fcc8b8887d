#pragma once
// Frmhotkeys over the Hotkeys controller: one row per action with its caption and a list of
// the keys it may take, and a close button that only hides the window (the handler keeps
// working while it is hidden).
//
// Thread: UI thread.

#include "core/color_scheme.h"
#include "hotkeys/hotkeys.h"
#include "platform/settings_store.h"

#include <QWidget>

#include <array>

class QComboBox;

namespace velmora {

class HotkeysView : public QWidget {
    Q_OBJECT
  public:
    HotkeysView(Hotkeys& hotkeys, SettingsStore& store, QWidget* parent = nullptr);

    /// Shows the window with the assignments as they are now, at its saved place.
    void open();
    void applyColors(const ColorScheme& scheme);
    [[nodiscard]] QComboBox* keyList(int action) const { return m_keys.at(action); }

  protected:
    void hideEvent(QHideEvent* event) override;

  private:
    Hotkeys& m_hotkeys;
    SettingsStore& m_store;
    std::array<QComboBox*, kHotkeyActionCount> m_keys{};
    bool m_placed = false;
};

/// Sets the hotkeys' suspend flag while a widget that takes typed text has the focus, so a
/// scenario name typed with an "F" or an "M" in it never fires a hotkey.
class HotkeySuspender : public QObject {
    Q_OBJECT
  public:
    HotkeySuspender(Hotkeys& hotkeys, QObject* parent = nullptr);

  private:
    Hotkeys& m_hotkeys;
};

} // namespace velmora
