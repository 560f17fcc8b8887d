#pragma once
// The UI thread's side of SoundEngine: the sample table, what every channel and effect
// slot is known to hold, and the mixer and device it talks to. Private to the engine.
//
// Thread: UI thread only (the mixer's audio side runs elsewhere; decodes ahead run on their
// worker).

#include "audio/decode_ahead.h"
#include "audio/handle_codec.h"
#include "audio/mixer.h"
#include "audio/output_device.h"
#include "audio/sound_engine.h"
#include "audio/stream_channel.h"

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace velmora::audio {

struct SoundEngine::Impl {
    struct SampleSlot {
        std::unique_ptr<Sample> sample; ///< stays until the audio thread hands it back
        std::uint32_t generation = 0;
        bool live = false; ///< false once released (or never loaded)
    };
    struct ChannelState {
        std::uint32_t generation = 0;
        bool busy = false;
        int volume = 255;
        int pan = 128;
        bool loop = false;
    };
    struct EffectSlotState {
        bool on = false;
        EffectType type = EffectType::ParamEq;
        std::uint32_t generation = 0;
        int reverbIndex = -1;
    };

    explicit Impl(Backend b) : backend(b), mixer(std::make_unique<Mixer>(b != Backend::Offline)) {}

    /// Queues a command. Offline, a full queue is applied on the spot (this thread is also
    /// the audio thread); live, the sender waits briefly for the audio thread to catch up.
    bool send(const Command& command);
    /// Frees the samples the audio thread has finished with.
    void collectRetired();
    /// A sound card that stopped calling the mixer (unplugged, failed) is replaced by the
    /// null device, so sounds still end and commands are still taken.
    void replaceLostDevice();
    /// Marks channels whose sound has ended as free.
    void refreshChannels();
    /// Channel state behind a handle that is still playing, else null.
    ChannelState* liveChannel(ChannelHandle handle, int& channel);
    Sample* liveSample(SampleHandle handle);
    EffectSlotState* liveEffect(int effectId, int& slot);
    /// Drops every sample (the audio thread must be stopped).
    void freeAllSamples();
    /// Decodes path with the guard's watch around it. Decodes ahead run on a worker, so
    /// the guard (one marker at a time) sees one decode at a time.
    DecodeResult guardedDecode(const std::string& path, LoadOrigin origin);

    Backend backend;
    std::unique_ptr<Mixer> mixer;
    std::unique_ptr<PortAudioSession> portAudio;
    std::unique_ptr<OutputDevice> device;
    SoundEngine::DeviceOpener deviceOpener; ///< empty: the PortAudio device
    DecodeGuard* decodeGuard = nullptr;
    int bufferMilliseconds = 100;
    int driver = 0;
    int output = kAutomaticOutput;
    bool initialised = false;
    bool closed = false;
    bool silent = false;
    bool paused = false;
    float outputGain = 1.0f;  ///< last gain sent with setOutputGain
    int changeFadeFrames = 0; ///< setChangeFade; 0: the usual glides

    std::vector<SampleSlot> samples;
    std::vector<int> freeSampleSlots;
    std::array<ChannelState, kChannelCount> channels{};
    std::array<EffectSlotState, kMaxEffects> effects{};
    std::array<std::unique_ptr<StreamChannel>, kStreamSlots> streams{};

    SoundEngine::Decoder decoder = decodeSoundFile;
    std::mutex decodeMutex; ///< held around the guard and every decode
    // Last: its worker uses the members above until it is joined.
    DecodeAhead ahead{
        [this](const std::string& path) { return guardedDecode(path, LoadOrigin::Stored); }};
};

static_assert(ChannelHandleCodec::kIndexCount == kChannelCount);
static_assert(EffectHandleCodec::kIndexCount == kMaxEffects);
inline constexpr int kMaxSampleSlots = SampleHandleCodec::kIndexCount;

} // namespace velmora::audio
