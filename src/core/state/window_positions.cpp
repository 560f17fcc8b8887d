#include "window_positions.h"

#include "core/files/text_record.h"
#include "core/services.h"

#include <algorithm>
#include <array>
#include <limits>
#include <string>
#include <utility>

namespace velmora::state {

namespace {
constexpr std::array<std::pair<std::string_view, int>, 16> kSections = {{
    {"Alarm", 1},
    {"folderselect", 2},
    {"Form2", 3},
    {"Form3", 4},
    {"Form33", 5},
    {"Formmp3adddir", 6},
    {"frmaddscenariodirectory", 7},
    {"frmcd", 12},
    {"Frmcolorpicker", 13},
    {"frmDemo", 15},
    {"frmeffects", 17},
    {"Frmhotkeys", 18},
    {"frmmainmp3", 21},
    {"frmremote2", 24},
    {"Frmsoundindent", 25},
    {"Timers", 26},
}};
constexpr const char* kLeftKey = "Mainleft";
constexpr const char* kTopKey = "Maintop";

std::string sectionName(int n) {
    return "Settings" + std::to_string(n);
}

std::optional<int> toInt(const std::string& text) {
    const auto v = files::toRoundedInteger(files::Field{text, false});
    // Positions far off any screen are as good as missing.
    if (!v || *v < -1000000 || *v > 1000000) return std::nullopt;
    return static_cast<int>(*v);
}

/// Length of the overlap of [a, a + aLength) and [b, b + bLength).
long long overlap(long long a, long long aLength, long long b, long long bLength) {
    return std::max(0LL, std::min(a + aLength, b + bLength) - std::max(a, b));
}

bool showsOnAScreen(WindowPosition pos, WindowSize size, std::span<const ScreenArea> screens) {
    const int width = std::max(size.width, 1);
    const int height = std::max(size.height, 1);
    const long long needAcross = std::min(width, kMinVisiblePixels);
    const long long needDown = std::min(height, kMinVisiblePixels);
    return std::any_of(screens.begin(), screens.end(), [&](const ScreenArea& s) {
        return overlap(pos.left, width, s.left, s.width) >= needAcross &&
               overlap(pos.top, height, s.top, s.height) >= needDown;
    });
}
} // namespace

std::optional<int> windowPositionSection(std::string_view windowName) {
    for (const auto& [name, n] : kSections)
        if (name == windowName) return n;
    return std::nullopt;
}

std::optional<WindowPosition> readWindowPosition(const SettingsStore& store,
                                                 std::string_view windowName, WindowSize size,
                                                 std::span<const ScreenArea> screens) {
    const auto n = windowPositionSection(windowName);
    if (!n) return std::nullopt;
    const auto left = toInt(store.read(kProgramTitle, sectionName(*n), "MainLeft", ""));
    const auto top = toInt(store.read(kProgramTitle, sectionName(*n), "MainTop", ""));
    if (!left || !top) return std::nullopt;
    const WindowPosition pos{*left, *top};
    if (!showsOnAScreen(pos, size, screens)) return std::nullopt;
    return pos;
}

void writeWindowPosition(SettingsStore& store, std::string_view windowName, WindowPosition pos) {
    const auto n = windowPositionSection(windowName);
    if (!n) return;
    store.write(kProgramTitle, sectionName(*n), kLeftKey, std::to_string(pos.left));
    store.write(kProgramTitle, sectionName(*n), kTopKey, std::to_string(pos.top));
}

} // namespace velmora::state
