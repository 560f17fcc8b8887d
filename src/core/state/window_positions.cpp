#include "window_positions.h"

#include "core/files/text_record.h"
#include "core/services.h"

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
} // namespace

std::optional<int> windowPositionSection(std::string_view windowName) {
    for (const auto& [name, n] : kSections)
        if (name == windowName) return n;
    return std::nullopt;
}

std::optional<WindowPosition> readWindowPosition(const SettingsStore& store,
                                                 std::string_view windowName) {
    const auto n = windowPositionSection(windowName);
    if (!n) return std::nullopt;
    const auto left = toInt(store.read(kProgramTitle, sectionName(*n), "MainLeft", ""));
    const auto top = toInt(store.read(kProgramTitle, sectionName(*n), "MainTop", ""));
    if (!left || !top) return std::nullopt;
    return WindowPosition{*left, *top};
}

void writeWindowPosition(SettingsStore& store, std::string_view windowName, WindowPosition pos) {
    const auto n = windowPositionSection(windowName);
    if (!n) return;
    store.write(kProgramTitle, sectionName(*n), kLeftKey, std::to_string(pos.left));
    store.write(kProgramTitle, sectionName(*n), kTopKey, std::to_string(pos.top));
}

} // namespace velmora::state
