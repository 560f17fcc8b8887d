#include "contrast.h"

#include <algorithm>
#include <cmath>

namespace velmora::appearance {

namespace {
double linear(std::uint32_t channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}
} // namespace

double relativeLuminance(std::uint32_t bgr) {
    const double r = linear(bgr & 0xFF);
    const double g = linear((bgr >> 8) & 0xFF);
    const double b = linear((bgr >> 16) & 0xFF);
    return 0.2126 * r + 0.7152 * g + 0.0722 * b;
}

double contrastRatio(std::uint32_t a, std::uint32_t b) {
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace velmora::appearance
