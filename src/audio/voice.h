#pragma once
// One playing sound inside the mixer: a read position in a sample plus ramped left/right
// gains. Thread: audio thread only.

#include "audio/sample.h"

#include <cstdint>

namespace velmora::audio {

/// Frames over which a volume or pan change glides (about 5 ms): drift steps never click.
inline constexpr int kGainRampFrames = 220;
/// Frames of the fade-out that ends a stopped sound (2 ms).
inline constexpr int kStopFadeFrames = 88;

/// Left and right gains of channel volume 0..255 (above 255 counts as 255) at pan 0..255.
/// Constant-power law: the angle runs from 0 (left) through pi/4 at 128 (both channels
/// at -3 dB) to pi/2 at 255 (right), so pan 0 is silent on the right and 255 on the left.
void channelGains(int volume, int pan, float& left, float& right);

struct Voice {
    Sample* sample = nullptr; ///< null when the voice is free
    std::uint32_t generation = 0;
    std::int64_t position = 0; ///< next frame to read
    bool loop = false;
    bool stopping = false; ///< ends when its fade reaches zero
    bool fresh = true;     ///< nothing rendered yet: gain changes apply at once
    bool deferred = false; ///< waits for the next block so its setup commands arrive first
    float gainL = 0.0f, gainR = 0.0f;
    float targetL = 0.0f, targetR = 0.0f;
    float stepL = 0.0f, stepR = 0.0f;
    int rampLeft = 0;

    [[nodiscard]] bool active() const { return sample != nullptr; }
    /// Glides to new gains over `frames`, or over what is left of a longer glide in
    /// progress (jumps when nothing was rendered yet).
    void setTarget(float left, float right, int frames);
    /// Adds n frames of this voice into planar left/right. Returns false when the voice
    /// has ended (its last frame played or its stop fade finished).
    bool mixInto(float* left, float* right, int n);
};

} // namespace velmora::audio
