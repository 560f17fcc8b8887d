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
    std::uint32_t lineColor = 0x000000;
    std::uint32_t buttonBack = 0xFFC0C0;
    std::uint32_t buttonText = 0x400000;
    std::uint32_t buttonRollover = 0xFF8080;
    std::uint32_t textBoxBackground = 0xFFFFFF;
    std::uint32_t textBoxForeground = 0x000000;
    std::uint32_t startGradient = 0x0080FF;
    std::uint32_t endGradient = 0x555555;
    // LCD-style displays.
    int lcdBacklight = 0; ///< index into the fixed backlight list
    std::uint32_t lcdBacklightColor = 0x333333;
    std::uint32_t lcdOn = 0x00FF80;
    std::uint32_t lcdOff = 0x203020;
    std::uint32_t lcdBlend = 0x101010;
};

/// 0xBBGGRR -> 0xRRGGBB.
constexpr std::uint32_t toRgb(std::uint32_t bgr) {
    return ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
}

} // namespace velmora
