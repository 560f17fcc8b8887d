#include "color_elements.h"

#include <array>

namespace velmora::appearance {

namespace {
struct Element {
    std::uint32_t ColorScheme::*member;
    std::string_view label;
};

constexpr std::array<Element, kLastElement> kElements = {{
    {&ColorScheme::lcdBacklightColor, "Backlight"},
    {&ColorScheme::lcdOn, "LCD On"},
    {&ColorScheme::lcdBlend, "Blend"},
    {&ColorScheme::lcdOff, "LCD Off"},
    {&ColorScheme::buttonBack, "Back"},
    {&ColorScheme::buttonText, "Text"},
    {&ColorScheme::buttonRollover, "Rollover"},
    {&ColorScheme::backColor, "Back Color"},
    {&ColorScheme::lineColor, "Line Color"},
    {&ColorScheme::textColor, "Text Color"},
    {&ColorScheme::activeColor, "Active Color"},
    {&ColorScheme::textBoxBackground, "Text Box Background"},
    {&ColorScheme::textBoxForeground, "Text Box Foreground"},
    {&ColorScheme::startGradient, "Start Gradient"},
    {&ColorScheme::endGradient, "End Gradient"},
}};

const Element* find(int element) {
    if (element < kFirstElement || element > kLastElement) return nullptr;
    return &kElements[static_cast<std::size_t>(element - kFirstElement)];
}
} // namespace

std::optional<std::uint32_t> elementColour(const ColorScheme& scheme, int element) {
    const Element* e = find(element);
    if (!e) return std::nullopt;
    return scheme.*(e->member);
}

bool setElementColour(ColorScheme& scheme, int element, std::uint32_t colour) {
    const Element* e = find(element);
    if (!e) return false;
    scheme.*(e->member) = colour & 0xFFFFFFu;
    return true;
}

std::string_view elementLabel(int element) {
    const Element* e = find(element);
    return e ? e->label : std::string_view{};
}

} // namespace velmora::appearance
