#pragma once
// Where a random bank's 28 slots sit on its window: which numbered slider holds a slot's
// volume or frequency and which label shows its caption. The bank files are written in
// slider order, so the same map decides their field order.
//
// Thread: any (pure functions).

namespace velmora {

inline constexpr int kRandomSlotCount = 28;
inline constexpr int kRandomSlotsPerColumn = 14;
/// Sliders ucSlider1..ucSlider60 make up one bank file record.
inline constexpr int kRandomSliderCount = 60;
/// Slot volume and frequency sliders run 0..255.
inline constexpr int kRandomSliderMax = 255;
inline constexpr int kInitialSlotVolume = 220;

/// The ucSlider number holding slot's volume (slot 1..28).
constexpr int volumeSliderOf(int slot) {
    if (slot <= 18) return slot;
    if (slot <= 23) return slot + 16; // 35..39
    return slot + 18;                 // 42..46
}

/// The ucSlider number holding slot's frequency (slot 1..28).
constexpr int frequencySliderOf(int slot) {
    return slot <= 14 ? slot + 20 : slot + 32;
}

/// The Label number showing slot's caption (slot 1..28); Label20 belongs to no slot.
constexpr int captionLabelOf(int slot) {
    return slot <= 13 ? slot + 6 : slot + 7;
}

/// What a numbered slider of the bank window is.
struct SliderUse {
    enum Kind { Volume, Frequency, Copy } kind;
    int slot; ///< 1..28 for Volume and Frequency; 0 for Copy (19, 20, 40, 41)
};

/// slider 1..60 -> its use.
constexpr SliderUse sliderUse(int slider) {
    for (int s = 1; s <= kRandomSlotCount; ++s) {
        if (volumeSliderOf(s) == slider) return {SliderUse::Volume, s};
        if (frequencySliderOf(s) == slider) return {SliderUse::Frequency, s};
    }
    return {SliderUse::Copy, 0};
}

/// 1 for slots 1..14, 2 for 15..28.
constexpr int columnOf(int slot) {
    return slot <= kRandomSlotsPerColumn ? 1 : 2;
}

constexpr int clampSlider(long long v) {
    return v < 0 ? 0 : (v > kRandomSliderMax ? kRandomSliderMax : static_cast<int>(v));
}

} // namespace velmora
