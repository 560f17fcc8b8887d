#pragma once
// How readable one colour is on another: the relative-luminance contrast ratio of the web's
// accessibility guidelines, 1 (none) to 21 (black on white). 4.5 is the least for text.
//
// Thread: any.

#include <cstdint>

namespace velmora::appearance {

inline constexpr double kReadableContrast = 4.5;

/// Relative luminance 0..1 of a 0xBBGGRR colour.
[[nodiscard]] double relativeLuminance(std::uint32_t bgr);
/// Contrast ratio of two 0xBBGGRR colours, in either order.
[[nodiscard]] double contrastRatio(std::uint32_t a, std::uint32_t b);

} // namespace velmora::appearance
