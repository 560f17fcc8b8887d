#pragma once
// The effects window's sliders: the ten equaliser bands and the sixteen reverb sliders,
// each with the travel it offers, where it starts, and the value it gives the engine.
// Every position of every slider is a valid, audible setting, so nothing reaching the
// engine ever needs clamping there.
//
// Thread: any (constants and pure functions).

#include "audio/sound_engine.h"

#include <array>

namespace velmora::effects {

inline constexpr int kBandCount = 10;
inline constexpr int kReverbSliderCount = 16;
/// Reverb sliders kept in preset files and the effects record (0..14).
inline constexpr int kReverbStoredCount = 15;
inline constexpr float kBandwidthSemitones = 18.0f;
/// Band slider value of 0 dB.
inline constexpr int kBandFlat = 15;

struct SliderRange {
    int min = 0;
    int max = 0;
    int initial = 0;
    [[nodiscard]] constexpr int limit(int v) const { return v < min ? min : (v > max ? max : v); }
    [[nodiscard]] constexpr bool contains(int v) const { return v >= min && v <= max; }
};

inline constexpr SliderRange kBandRange{0, 30, kBandFlat};
/// Centre of each band, Hz.
inline constexpr std::array<float, kBandCount> kBandCentres{80,   170,  310,   600,   1000,
                                                            3000, 6000, 12000, 14000, 16000};

/// Gain of a band slider position, dB (-15..+15).
[[nodiscard]] constexpr float bandGainDb(int value) {
    return float(kBandRange.limit(value) - 15);
}

/// Index of each reverb slider by what it sets.
enum ReverbSlider {
    kRoom = 0,
    kRoomHF = 1,
    kRollOff = 4,
    kDecayTime = 6,
    kDecayHFRatio = 7,
    kReflections = 8,
    kReflectionsDelay = 9,
    kReverbLevel = 10,
    kReverbDelay = 11,
    kDiffusion = 12,
    kDensity = 13,
    kHFReference = 14,
};

/// Travel and starting point of each reverb slider.
[[nodiscard]] const std::array<SliderRange, kReverbSliderCount>& reverbRanges();
/// Caption of each reverb slider ("Room", "RoomHF", ...; the unused ones are empty).
[[nodiscard]] const std::array<const char*, kReverbSliderCount>& reverbCaptions();

using ReverbValues = std::array<int, kReverbSliderCount>;
using BandValues = std::array<int, kBandCount>;

/// Every reverb slider at its starting position.
[[nodiscard]] ReverbValues initialReverbValues();

/// The engine's reverb values for the sliders (each slider limited to its travel first).
/// Roll-off is 10 - slider: the top of the travel, where the slider starts, is no roll-off.
[[nodiscard]] audio::ReverbParams reverbParams(const ReverbValues& sliders);

} // namespace velmora::effects
