#pragma once
// A colour scheme as every window's docolors applies it. Colours are colour numbers in the
// stored 0xBBGGRR order (the order the scheme files and main2.tmp keep); views convert with
// toRgb().

#include <cstdint>

namespace velmora {

struct ColorScheme {
    // Window colours ("Main Colors", "Button Colors", "Text Box Colors", "Slider Gradients").
    std::uint32_t backColor = 0xFFFFFF;
    std::uint32_t textColor = 0x000000;
    std::uint32_t activeColor = 0xFFFFFF;
    std::uint32_t lineColor = 333333; ///< the start-up value, kept in decimal as it is set
    std::uint32_t buttonBack = 0xFFC0C0;
    std::uint32_t buttonText = 0x400000;
    std::uint32_t buttonRollover = 0xFF8080;
    std::uint32_t textBoxBackground = 0xFFFFFF;
    std::uint32_t textBoxForeground = 0x000000;
    std::uint32_t startGradient = 0x0080FF;
    std::uint32_t endGradient = 0x555555;
    // LCD-style displays: "Blue Backlight", as the factory "Default" scheme has it.
    int lcdBacklight = 2; ///< index into the fixed backlight list
    std::uint32_t lcdBacklightColor = 0xB46224;
    std::uint32_t lcdOn = 0xFFF7F2;
    std::uint32_t lcdOff = 0xC06C2C;
    std::uint32_t lcdBlend = 0xD8925C;

    friend bool operator==(const ColorScheme&, const ColorScheme&) = default;
};

/// 0xBBGGRR -> 0xRRGGBB.
constexpr std::uint32_t toRgb(std::uint32_t bgr) {
    return ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
}

/// 0xRRGGBB -> 0xBBGGRR (the same swap).
constexpr std::uint32_t toBgr(std::uint32_t rgb) {
    return toRgb(rgb);
}

} // namespace velmora
