#pragma once
// The ten colour slots the main window keeps in main2.tmp, and the colour scheme they stand
// for. Slot n (1-based) holds: 1 back colour, 2 text colour, 3 active colour, 4 button
// rollover, 5 button back, 6 button text, 7 start gradient, 8 end gradient, 9 text-box
// background, 10 text-box foreground; the start-up defaults of the slots are exactly the
// default scheme's colours in that order. The line colour and the LCD colours are not in
// the file and keep their values.
//
// Thread: any.

#include "core/color_scheme.h"

#include <array>
#include <cstdint>

namespace velmora {

using ColorSlots = std::array<std::uint32_t, 10>;

/// base with the ten slot colours (0xBBGGRR) put in.
[[nodiscard]] ColorScheme schemeFromSlots(const ColorSlots& slots, ColorScheme base = {});
[[nodiscard]] ColorSlots slotsFromScheme(const ColorScheme& scheme);

} // namespace velmora
