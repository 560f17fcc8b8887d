#include "lcd_backlights.h"

namespace velmora::appearance {

namespace {
/// Written as 0xRRGGBB for the eye, stored as 0xBBGGRR like every other colour.
constexpr LcdColours rgb(std::uint32_t back, std::uint32_t on, std::uint32_t off,
                         std::uint32_t blend) {
    return {toBgr(back), toBgr(on), toBgr(off), toBgr(blend)};
}

// The "Backlight" entries are lit panels with dark segments; the plain colour names are dark
// panels with glowing segments. Lit and unlit segments stay far apart on every panel, and
// the unlit ones stay faint, so the text reads from across a dim room.
constexpr std::array<LcdColours, kCustomBacklight> kPresets = {
    rgb(0x1C2024, 0xDCE2E8, 0x2A3036, 0x3C444C), // No backlight
    rgb(0x9CC05A, 0x0E1E08, 0x8EB04E, 0x6E8E3A), // Green Backlight
    rgb(0x2462B4, 0xF2F7FF, 0x2C6CC0, 0x5C92D8), // Blue Backlight
    rgb(0xE4CE58, 0x1C1804, 0xD4BE4A, 0xB09C38), // Yellow Backlight
    rgb(0xEC9E42, 0x201000, 0xDC8E36, 0xB8742A), // Orange Backlight
    rgb(0x0A1020, 0x62B8FF, 0x142238, 0x1E3A66), // Blue
    rgb(0x06140A, 0x52F07E, 0x0E2616, 0x1A4A28), // Green
    rgb(0x140C04, 0xFFA448, 0x2A1A0A, 0x5A3414), // Orange
    rgb(0x12100A, 0xFFE064, 0x2A2610, 0x5A5020), // Yellow
    rgb(0x160606, 0xFF6454, 0x2E0E0E, 0x601A16), // Red
};
} // namespace

const std::array<std::string_view, kBacklightCount>& backlightNames() {
    static constexpr std::array<std::string_view, kBacklightCount> names = {
        "No backlight", "Green Backlight", "Blue Backlight", "Yellow Backlight", "Orange Backlight",
        "Blue",         "Green",           "Orange",         "Yellow",           "Red",
        "CUSTOM"};
    return names;
}

LcdColours lcdColours(const ColorScheme& s) {
    if (s.lcdBacklight == kCustomBacklight)
        return {s.lcdBacklightColor, s.lcdOn, s.lcdOff, s.lcdBlend};
    const bool known = s.lcdBacklight >= 0 && s.lcdBacklight < kCustomBacklight;
    return kPresets[known ? static_cast<std::size_t>(s.lcdBacklight) : 0];
}

} // namespace velmora::appearance
