#pragma once
// The scheme's colours as the editor numbers them: each colour button opens the picker with
// its element number, and the picked colour goes back to the element of that number. The
// numbering is the editor's own, not the order of the scheme file (3 is "Blend" and 4 "LCD
// Off", while the file keeps "LCD Off" first).
//
// Thread: any.

#include "core/color_scheme.h"

#include <optional>
#include <string_view>

namespace velmora::appearance {

inline constexpr int kFirstElement = 1;
inline constexpr int kLastElement = 15;

/// The element's colour; nullopt for a number outside 1..15.
[[nodiscard]] std::optional<std::uint32_t> elementColour(const ColorScheme& scheme, int element);
/// Sets the element to colour (0xBBGGRR); false (and nothing set) for an unknown number.
bool setElementColour(ColorScheme& scheme, int element, std::uint32_t colour);
/// The element's label in the editor ("LCD On", "Back Color", ...); empty when unknown.
[[nodiscard]] std::string_view elementLabel(int element);

} // namespace velmora::appearance
