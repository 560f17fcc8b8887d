#pragma once
// The real-time heart of the engine: applies queued commands, mixes the 32 channels and the
// fading tails of stopped sounds in floating point, runs the master-bus effects and the
// limiter, and produces interleaved stereo float frames.
//
// Threads: send(), endedGeneration() and takeRetired() belong to the UI thread (the one
// producer); process() belongs to the audio thread (the one consumer). process() takes no
// lock, allocates nothing and does no I/O. Offline rendering calls process() on the UI
// thread itself, which is the same contract with one thread playing both parts.

#include "audio/commands.h"
#include "audio/effect_chain.h"
#include "audio/limiter.h"
#include "audio/spsc_queue.h"
#include "audio/stream_slot.h"
#include "audio/voice.h"

#include <array>
#include <atomic>
#include <cstdint>

namespace velmora::audio {

inline constexpr int kBlockFrames = 256;
inline constexpr int kTailVoices = 32;

class Mixer {
  public:
    /// deferStarts: a new sound starts at the block after its play command, so that the
    /// volume and pan set right after play() are in place before its first frame. Real-time
    /// back ends need it; offline rendering drains every command before mixing anyway.
    explicit Mixer(bool deferStarts);

    /// UI thread. False when the queue is full.
    bool send(const Command& command) { return m_commands.push(command); }
    /// UI thread. The generation of the last sound that ended on the channel (natural end
    /// or stop); a handle whose generation matches has finished.
    [[nodiscard]] std::uint32_t endedGeneration(int channel) const {
        return m_ended[channel].load(std::memory_order_acquire);
    }
    /// UI thread. A sample the audio thread no longer uses, or null.
    Sample* takeRetired();

    /// Audio thread. Applies queued commands, then renders frames of interleaved stereo.
    void process(float* interleavedStereo, int frames);

    /// UI thread hands it to a StreamChannel; index 0..kStreamSlots-1.
    StreamSlot& streamSlot(int index) { return m_streams[index]; }

    /// Any thread, approximate: true while voices or effect tails are sounding.
    [[nodiscard]] bool busyApprox() const { return m_busy.load(std::memory_order_relaxed); }
    [[nodiscard]] std::size_t effectMemoryBytes() const { return m_effects.memoryBytes(); }

  private:
    void applyCommands();
    void apply(const PlayCommand& c);
    void apply(const GainCommand& c);
    void apply(const LoopCommand& c);
    void apply(const StopCommand& c);
    void apply(const PauseCommand& c);
    void apply(const OutputGainCommand& c);
    void apply(const EnableEffectCommand& c);
    void apply(const DisableEffectsCommand& c);
    void apply(const EqCommand& c);
    void apply(const ReverbCommand& c);
    void apply(const ReleaseSampleCommand& c);
    Voice* channelVoice(int channel, std::uint32_t generation);
    void moveToTail(Voice& voice, int fadeFrames = kStopFadeFrames);
    void endVoice(Voice& voice, int channel);
    void dropSampleUser(Sample* sample);
    void flushRetired();
    void renderBlock(float* out, int n);
    void applyPauseRamp(float* left, float* right, int n);
    bool mixStreams(float* left, float* right, int n);
    void applyOutputGain(float* out, int n);

    SpscQueue<Command, 1024> m_commands;
    SpscQueue<Sample*, 256> m_retired;
    std::array<std::atomic<std::uint32_t>, kChannelCount> m_ended;
    std::atomic<bool> m_busy{false};

    // Audio-thread state.
    const bool m_deferStarts;
    std::array<Voice, kChannelCount> m_voices{};
    std::array<Voice, kTailVoices> m_tails{};
    EffectChain m_effects;
    Limiter m_limiter;
    Sample* m_pendingRetired = nullptr; // retired samples that did not fit the queue yet
    bool m_paused = false;
    float m_pauseGain = 1.0f;
    float m_outputGain = 1.0f;       // where the last block ended
    float m_outputGainTarget = 1.0f; // where the next block ramps to
    std::int64_t m_silentFrames = 0; // frames since the bus last carried a voice
    alignas(64) std::array<float, kBlockFrames> m_left{};
    alignas(64) std::array<float, kBlockFrames> m_right{};
    // Music and CD streams join after the effects (the room's reverb is not the song's) and
    // before the limiter; pausing the soundscape does not pause them.
    std::array<StreamSlot, kStreamSlots> m_streams;
    alignas(64) std::array<float, 2 * kBlockFrames> m_streamScratch{};
};

} // namespace velmora::audio
