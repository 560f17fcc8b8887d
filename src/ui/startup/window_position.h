#pragma once
// Every window that remembers its place calls these: restore when it opens, save when it
// closes. The window's object name chooses its section; a saved place that is no longer on
// any screen (a monitor was unplugged) is ignored and the window keeps its default place.
//
// Thread: UI thread.

#include "platform/settings_store.h"

class QWidget;

namespace velmora {

/// Moves window to its saved place, if it has one; the window's object name chooses the
/// section. Returns true when a saved place was applied.
bool restoreWindowPosition(QWidget* window, const SettingsStore& store);
/// Shows, raises and activates the window; the first time (placed still false) it is sized
/// to its contents and moved to its saved place.
void showAtSavedPlace(QWidget* window, const SettingsStore& store, bool& placed);
/// Saves the window's place (its frame's top-left corner).
void saveWindowPosition(const QWidget* window, SettingsStore& store);

} // namespace velmora
