#pragma once
// Where each window that remembers its place was last left: "Mainleft" and "Maintop" in its
// own numbered section ("Settings1" .. "Settings26") of the program title's settings. Keys
// are matched without regard to case, so values written by an older copy as "MainLeft"
// are found too. Positions are screen pixels. A saved place that would put the window off
// every screen (a monitor was unplugged, the resolution dropped) is ignored, so the window
// opens where the toolkit puts it instead of out of reach; the view passes the screens in,
// so this stays free of any toolkit.
//
// Thread: UI thread.

#include "platform/settings_store.h"

#include <optional>
#include <span>
#include <string_view>

namespace velmora::state {

struct WindowPosition {
    int left = 0;
    int top = 0;
    friend bool operator==(WindowPosition, WindowPosition) = default;
};

struct WindowSize {
    int width = 0;
    int height = 0;
};

/// A screen's usable area, in the same pixels as window positions.
struct ScreenArea {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

/// How much of a window, across and down, must lie on one screen for the user to grab it
/// (or all of it, when it is smaller).
inline constexpr int kMinVisiblePixels = 32;

/// The section number of a window that remembers its place ("Timers" -> 26); nullopt for a
/// window that does not. Window names match exactly (they are object names).
[[nodiscard]] std::optional<int> windowPositionSection(std::string_view windowName);

/// The saved position of a window of `size`; nullopt when none is saved, a value is not a
/// whole number, or the window placed there would not show on any of `screens` (the window
/// then keeps its default placement).
[[nodiscard]] std::optional<WindowPosition> readWindowPosition(const SettingsStore& store,
                                                               std::string_view windowName,
                                                               WindowSize size,
                                                               std::span<const ScreenArea> screens);
/// Saves the position; does nothing for a window that does not remember its place.
void writeWindowPosition(SettingsStore& store, std::string_view windowName, WindowPosition pos);

} // namespace velmora::state
