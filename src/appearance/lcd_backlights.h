#pragma once
// The LCD backlight choice: a fixed list of looks for the LCD-style displays. Every entry but
// the last brings its own four colours; "CUSTOM" shows the four colours kept in the scheme.
//
// Thread: any.

#include "core/color_scheme.h"

#include <array>
#include <string_view>

namespace velmora::appearance {

inline constexpr int kBacklightCount = 11;
inline constexpr int kCustomBacklight = 10;

/// The list's entries, in order.
[[nodiscard]] const std::array<std::string_view, kBacklightCount>& backlightNames();

/// The four LCD colours (0xBBGGRR) a display shows.
struct LcdColours {
    std::uint32_t backlight = 0;
    std::uint32_t on = 0;
    std::uint32_t off = 0;
    std::uint32_t blend = 0;
    friend bool operator==(const LcdColours&, const LcdColours&) = default;
};

/// The preset colours of a backlight choice (a choice out of range is taken as the first);
/// for "CUSTOM" the scheme's own four colours.
[[nodiscard]] LcdColours lcdColours(const ColorScheme& scheme);

} // namespace velmora::appearance
