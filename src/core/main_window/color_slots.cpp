#include "color_slots.h"

namespace velmora {

namespace {
// One table for both directions, so they cannot drift apart.
constexpr std::array<std::uint32_t ColorScheme::*, 10> kSlotMembers = {
    &ColorScheme::backColor,         &ColorScheme::textColor,   &ColorScheme::activeColor,
    &ColorScheme::buttonRollover,    &ColorScheme::buttonBack,  &ColorScheme::buttonText,
    &ColorScheme::startGradient,     &ColorScheme::endGradient, &ColorScheme::textBoxBackground,
    &ColorScheme::textBoxForeground,
};
} // namespace

ColorScheme schemeFromSlots(const ColorSlots& slots, ColorScheme base) {
    for (std::size_t i = 0; i < slots.size(); ++i)
        base.*kSlotMembers[i] = slots[i] & 0xFFFFFFu;
    return base;
}

ColorSlots slotsFromScheme(const ColorScheme& scheme) {
    ColorSlots slots{};
    for (std::size_t i = 0; i < slots.size(); ++i)
        slots[i] = scheme.*kSlotMembers[i];
    return slots;
}

} // namespace velmora
