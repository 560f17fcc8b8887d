#include "effects/effect_sliders.h"

namespace velmora::effects {

const std::array<SliderRange, kReverbSliderCount>& reverbRanges() {
    // The delays stop where the engine's do (0.3 s and 0.1 s): a longer travel would give
    // positions that all sound alike. Decay time starts at the engine's shortest, 0.1 s.
    static constexpr SliderRange unused{10, 200, 83};
    static constexpr std::array<SliderRange, kReverbSliderCount> ranges{{
        {0, 10000, 9000},   // room
        {0, 10000, 10000},  // room HF
        unused,             // 2
        unused,             // 3
        {0, 10, 10},        // roll-off
        unused,             // 5
        {10, 2000, 20},     // decay time, 1/100 s
        {10, 200, 83},      // decay HF ratio, 1/100
        {0, 11000, 7398},   // reflections
        {0, 300, 7},        // reflections delay, ms
        {-10000, 2000, 11}, // reverb level, mB
        {0, 100, 1},        // reverb delay, ms
        {0, 100, 100},      // diffusion, %
        {0, 100, 100},      // density, %
        {20, 20000, 5000},  // HF reference, Hz
        unused,             // 15
    }};
    return ranges;
}

const std::array<const char*, kReverbSliderCount>& reverbCaptions() {
    static constexpr std::array<const char*, kReverbSliderCount> captions{"Room",
                                                                          "RoomHF",
                                                                          "",
                                                                          "",
                                                                          "Roll off Factor",
                                                                          "",
                                                                          "Decay Time",
                                                                          "Decay HF Ratio",
                                                                          "Reflections",
                                                                          "Reflections Delay",
                                                                          "Reverb",
                                                                          "Reverb Delay",
                                                                          "Diffusion",
                                                                          "Density",
                                                                          "HF Reference",
                                                                          ""};
    return captions;
}

ReverbValues initialReverbValues() {
    ReverbValues v{};
    for (int i = 0; i < kReverbSliderCount; ++i)
        v[i] = reverbRanges()[i].initial;
    return v;
}

audio::ReverbParams reverbParams(const ReverbValues& sliders) {
    auto at = [&](int i) { return reverbRanges()[i].limit(sliders[i]); };
    audio::ReverbParams p;
    p.room = at(kRoom) - 10000;
    p.roomHF = at(kRoomHF) - 10000;
    p.roomRolloffFactor = float(10 - at(kRollOff));
    p.decayTime = float(at(kDecayTime)) / 100.0f;
    p.decayHFRatio = float(at(kDecayHFRatio)) / 100.0f;
    p.reflections = at(kReflections) - 10000;
    p.reflectionsDelay = float(at(kReflectionsDelay)) / 1000.0f;
    p.reverb = at(kReverbLevel);
    p.reverbDelay = float(at(kReverbDelay)) / 1000.0f;
    p.diffusion = float(at(kDiffusion));
    p.density = float(at(kDensity));
    p.hfReference = float(at(kHFReference));
    return p;
}

} // namespace velmora::effects
