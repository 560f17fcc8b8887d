#pragma once
// The only way sound leaves Velmora. A software mixer of 32 channels at 44 100 Hz with a
// master-bus equaliser and reverb, fed by mono 16-bit samples.
//
// Threads: every public function is called from the UI thread (or the one thread that
// owns the engine in tests and the recorder). The audio callback runs on the back end's
// thread and talks to the UI thread only through lock-free queues and atomics.

#include "audio/decode_guard.h"
#include "audio/decoder.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace velmora::audio {

class Mixer;
class OutputDevice;
class StreamChannel;

/// A loaded sample. Invalid (default) when loading failed; playing it gives an invalid
/// channel.
struct SampleHandle {
    std::int32_t raw = -1;
    [[nodiscard]] bool valid() const { return raw >= 0; }
    friend bool operator==(SampleHandle, SampleHandle) = default;
};

/// A playing sound. Carries the channel's generation: once the sound has ended and its
/// channel was reused, the old handle is invalid and every call on it does nothing.
struct ChannelHandle {
    std::int32_t raw = -1;
    [[nodiscard]] bool valid() const { return raw >= 0; }
    friend bool operator==(ChannelHandle, ChannelHandle) = default;
};

/// Pseudo-channel that stands for the whole output (pause, effects).
inline constexpr int kSystemChannel = -1000;
/// "Any free channel / sample slot" and "automatic output".
inline constexpr int kAnyFree = -1;
inline constexpr int kAutomaticOutput = -1;
inline constexpr int kLoopNormal = 2;
inline constexpr int kLoopOff = 1;
inline constexpr int kSampleRate = 44100;
inline constexpr int kChannelCount = 32;

enum class EffectType { ParamEq = 7, Reverb = 6 };

/// The twelve environmental-reverb values, in millibels, seconds and percent as the
/// effects window and its preset files give them.
struct ReverbParams {
    int room = -1000;                ///< mB, -10000..0
    int roomHF = -100;               ///< mB, -10000..0
    float roomRolloffFactor = 0.0f;  ///< 0..10
    float decayTime = 1.49f;         ///< s, 0.1..20
    float decayHFRatio = 0.83f;      ///< 0.1..2
    int reflections = -2602;         ///< mB, -10000..1000
    float reflectionsDelay = 0.007f; ///< s, 0..0.3
    int reverb = 200;                ///< mB, -10000..2000
    float reverbDelay = 0.011f;      ///< s, 0..0.1
    float diffusion = 100.0f;        ///< %, 0..100
    float density = 100.0f;          ///< %, 0..100
    float hfReference = 5000.0f;     ///< Hz, 20..20000
};

/// Where rendered audio goes.
enum class Backend {
    Device,  ///< PortAudio output; falls back to Null when no device opens.
    Null,    ///< No sound; the mixer still advances at real-time pace.
    Offline, ///< Nothing runs by itself: the owner pulls audio with render().
};

class SoundEngine {
  public:
    explicit SoundEngine(Backend backend = Backend::Device);
    ~SoundEngine();
    SoundEngine(const SoundEngine&) = delete;
    SoundEngine& operator=(const SoundEngine&) = delete;

    // --- lifecycle: buffer size and driver before init, init once, close once ---
    /// Output buffer length in milliseconds.
    void setBufferSize(int milliseconds);
    /// Output device index as listed by driverName(); used by the next init(). Index 0 is
    /// the system default output; an index that no longer exists also means the default.
    void setDriver(int deviceIndex);
    /// Selects the output system; kAutomaticOutput picks the system default.
    void setOutput(int output);
    /// Opens what init() uses for Backend::Device in place of the sound card, so a test can
    /// stand in a device that fails; null on failure, as a card that does not open. Before
    /// init().
    using DeviceOpener = std::function<std::unique_ptr<OutputDevice>(Mixer&)>;
    void setDeviceOpener(DeviceOpener opener);
    /// Starts mixing. Returns false (and runs silent on the null device) when no device
    /// opens. A second call does nothing.
    bool init(int sampleRate = kSampleRate, int channels = kChannelCount, int flags = 4);
    /// Stops output and frees everything; a second call is harmless.
    void close();
    [[nodiscard]] bool isRunning() const;
    /// True when init() fell back to (or was asked for) silent output.
    [[nodiscard]] bool isSilent() const;
    /// The sound card playing, as the system names it; empty while silent.
    [[nodiscard]] std::string outputName() const;
    /// A version number of the sound back end, major first (e.g. 19 for v19.x).
    [[nodiscard]] static int backendMajorVersion();
    [[nodiscard]] static std::string backendVersionText();

    // --- devices ---
    [[nodiscard]] int driverCount() const;
    /// Device name; empty for an index out of range.
    [[nodiscard]] std::string driverName(int index) const;

    // --- samples ---
    /// Decodes any supported file (recognised by content), resamples to 44 100 Hz and
    /// keeps it as 16-bit mono. Invalid handle on failure, or when the decode guard refuses
    /// the file.
    SampleHandle loadSample(const std::string& path, LoadOrigin origin = LoadOrigin::Stored);
    /// Consulted around every decode from now on; null (the default) decodes every file.
    /// The guard must outlive the engine or be unset first.
    void setDecodeGuard(DecodeGuard* guard);
    /// Starts decoding paths on a worker thread, so that the loadSample calls for them
    /// that follow take the decoded sound instead of decoding on this thread (one that
    /// comes early waits for its file). Drops what an earlier call decoded and nobody
    /// loaded. The guard watches these decodes as it does every other.
    void decodeAhead(const std::vector<std::string>& paths);
    /// True while decodeAhead's worker still has files to decode.
    [[nodiscard]] bool decodingAhead() const;
    /// What turns a file into PCM, for every later decode (tests: a decoder that waits).
    using Decoder = std::function<DecodeResult(const std::string&)>;
    void setDecoder(Decoder decoder);
    /// Frees the sample once no channel plays it any more.
    void releaseSample(SampleHandle sample);
    /// Frames of a loaded sample at 44 100 Hz; 0 when invalid.
    [[nodiscard]] std::int64_t sampleFrames(SampleHandle sample) const;

    // --- channels ---
    /// Starts the sample on a free channel (channel = kAnyFree). Invalid handle when the
    /// sample is invalid or all 32 channels are busy. Starts at volume 255, pan 128, no loop.
    ChannelHandle play(SampleHandle sample, int channel = kAnyFree);
    /// 0 (silent) .. 255 (full); above 255 counts as 255. Ramped over a few ms.
    void setVolume(ChannelHandle channel, int volume);
    /// 0 (left) .. 255 (right), 128 centre; constant-power law.
    void setPan(ChannelHandle channel, int pan);
    /// kLoopNormal loops the whole sample sample-exactly; kLoopOff plays once.
    void setLoopMode(ChannelHandle channel, int mode);
    /// Fades out over about 2 ms and frees the channel.
    void stop(ChannelHandle channel);
    /// From now on, volume and pan changes glide over milliseconds instead of a few, stops
    /// fade out over as long and starts fade in from silence: a crossfade from one
    /// soundscape to the next. 0 goes back to the usual glides; glides under way finish.
    void setChangeFade(int milliseconds);
    /// Only kSystemChannel is meaningful: pauses or resumes all output.
    void setPaused(int channel, bool paused);
    [[nodiscard]] bool isPaused() const;
    /// A gain on the whole output, 0 (silent) .. 1 (as mixed), ramped across the next block
    /// so that a series of small changes makes a smooth fade (the sleep timer).
    void setOutputGain(float gain);
    [[nodiscard]] float outputGain() const;

    /// True while the sound behind the handle is still playing.
    [[nodiscard]] bool isPlaying(ChannelHandle channel) const;
    /// Last volume / pan set on a playing channel; -1 for an invalid handle.
    [[nodiscard]] int volume(ChannelHandle channel) const;
    [[nodiscard]] int pan(ChannelHandle channel) const;
    [[nodiscard]] int playingCount() const;

    // --- streams (music, CD) ---
    /// A channel for continuous sound from StreamSources, mixed after the effects and not
    /// paused with the system channel. Null when every stream channel is taken or the
    /// engine is closed. The engine owns it; it lives until closeStream() or the engine's
    /// destruction (close() only silences it).
    StreamChannel* openStream();
    /// Stops the channel and gives it back; the pointer is invalid afterwards.
    void closeStream(StreamChannel* stream);

    // --- master-bus effects (system channel) ---
    /// Adds an effect after those already enabled; returns its id (-1 on failure).
    int enableEffect(int channel, EffectType type);
    /// Removes every effect from the channel.
    void disableEffects(int channel);
    /// centreHz, bandwidth in semitones, gain in dB.
    void setParamEq(int effectId, float centreHz, float bandwidthSemitones, float gainDb);
    void setReverb(int effectId, const ReverbParams& params);

    // --- offline rendering (Backend::Offline) ---
    /// Renders frames of interleaved stereo float audio, applying every queued command
    /// first and reading open streams just ahead. Deterministic: the same calls give the
    /// same samples.
    void render(float* interleavedStereo, int frames);
    /// Same, converted to 16-bit as the device would get it.
    void render(std::int16_t* interleavedStereo, int frames);
    /// Renders frames into a 16-bit stereo file: FLAC when the path ends ".flac", WAV
    /// otherwise. False (with nothing half-applied to the mix) when the file cannot be
    /// written.
    bool renderToFile(const std::string& path, std::int64_t frames);

    // --- measurements ---
    /// CPU cost of the real-time audio thread since init (null device or sound card);
    /// all zero offline. Loads are fractions of one core / of one block's duration.
    struct AudioLoad {
        std::int64_t blocks = 0;
        double averageLoad = 0.0;
        double worstBlockLoad = 0.0;
    };
    [[nodiscard]] AudioLoad audioLoad() const;
    /// Bytes held by the master-bus effect state (all effects together).
    [[nodiscard]] std::size_t effectMemoryBytes() const;

  private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace velmora::audio
