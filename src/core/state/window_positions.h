#pragma once
// Where each window that remembers its place was last left: "Mainleft" and "Maintop" in its
// own numbered section ("Settings1" .. "Settings26") of the program title's settings. Keys
// are matched without regard to case, so values written by an older copy as "MainLeft"
// are found too. Positions are screen pixels.
//
// Thread: UI thread.

#include "platform/settings_store.h"

#include <optional>
#include <string_view>

namespace velmora::state {

struct WindowPosition {
    int left = 0;
    int top = 0;
    friend bool operator==(WindowPosition, WindowPosition) = default;
};

/// The section number of a window that remembers its place ("Timers" -> 26); nullopt for a
/// window that does not. Window names match exactly (they are object names).
[[nodiscard]] std::optional<int> windowPositionSection(std::string_view windowName);

/// The saved position; nullopt when none is saved or a value is not a whole number (the
/// window then keeps its default placement).
[[nodiscard]] std::optional<WindowPosition> readWindowPosition(const SettingsStore& store,
                                                               std::string_view windowName);
/// Saves the position; does nothing for a window that does not remember its place.
void writeWindowPosition(SettingsStore& store, std::string_view windowName, WindowPosition pos);

} // namespace velmora::state
