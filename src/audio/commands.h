#pragma once
// Typed messages from the UI thread to the audio thread. Each is a small value; the mixer
// applies them in order at the start of its next block.

#include "audio/parametric_eq.h"
#include "audio/reverb.h"
#include "audio/sample.h"
#include "audio/sound_engine.h"

#include <cstdint>
#include <variant>

namespace velmora::audio {

struct PlayCommand {
    Sample* sample;
    int channel;
    std::uint32_t generation;
    bool fadeIn = false; ///< starts silent; its first gain change glides up from there
};
/// Volume and pan travel together: the UI keeps both and sends the pair on any change.
struct GainCommand {
    int channel;
    std::uint32_t generation;
    int volume;         ///< 0..255
    int pan;            ///< 0..255
    int rampFrames = 0; ///< 0: the usual short glide
};
struct LoopCommand {
    int channel;
    std::uint32_t generation;
    bool loop;
};
struct StopCommand {
    int channel;
    std::uint32_t generation;
    int fadeFrames = 0; ///< 0: the usual short fade
};
struct PauseCommand {
    bool paused;
};
struct OutputGainCommand {
    float gain; ///< 0..1
};
struct EnableEffectCommand {
    int slot;
    EffectType type;
    int reverbIndex; ///< which preallocated reverb the slot uses (reverbs only)
};
struct DisableEffectsCommand {};
struct EqCommand {
    int slot;
    BiquadCoefficients coefficients;
};
struct ReverbCommand {
    int slot;
    ReverbDesign design;
};
/// The UI thread let go of a sample; it comes back on the retired queue once unused.
struct ReleaseSampleCommand {
    Sample* sample;
};

using Command = std::variant<PlayCommand, GainCommand, LoopCommand, StopCommand, PauseCommand,
                             OutputGainCommand, EnableEffectCommand, DisableEffectsCommand,
                             EqCommand, ReverbCommand, ReleaseSampleCommand>;

} // namespace velmora::audio
