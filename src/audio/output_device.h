#pragma once
// Where the mixer's audio goes in real time: a sound card through PortAudio, or the null
// device that keeps the mixer moving at real-time pace with no sound card at all.
//
// Thread: start() and stop() on the UI thread; the device then calls Mixer::process() on
// its own thread until stop() returns.

#include "audio/mixer.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace velmora::audio {

/// CPU cost of the audio thread, measured outside the real-time section.
struct AudioLoadStats {
    std::int64_t blocks = 0;
    double averageLoad = 0.0;    ///< audio-thread CPU time / audio time rendered
    double worstBlockLoad = 0.0; ///< slowest block's time / that block's duration
};

class OutputDevice {
  public:
    virtual ~OutputDevice() = default;
    virtual void stop() = 0;
    [[nodiscard]] virtual AudioLoadStats load() const = 0;
    /// False once the device has stopped calling the mixer by itself (a sound card that
    /// was unplugged or failed); the engine then moves to the null device.
    [[nodiscard]] virtual bool healthy() const { return true; }
    /// The sound card's name as the system gives it; empty for the null device.
    [[nodiscard]] virtual std::string name() const { return {}; }
};

/// Renders blocks at real-time pace on a thread of its own and throws the audio away.
class NullDevice final : public OutputDevice {
  public:
    static constexpr int kBlock = 512; ///< frames per block (11.6 ms)
    explicit NullDevice(Mixer& mixer);
    ~NullDevice() override;
    void stop() override;
    [[nodiscard]] AudioLoadStats load() const override;

  private:
    void run();
    Mixer& m_mixer;
    std::atomic<bool> m_stop{false};
    std::atomic<std::int64_t> m_blocks{0};
    std::atomic<std::int64_t> m_cpuNanos{0};
    std::atomic<std::int64_t> m_worstNanos{0};
    std::thread m_thread;
};

/// An output device as offered to the user.
struct DeviceInfo {
    int paIndex = -1; ///< PortAudio device index; -1 for "the system default"
    std::string name;
};

/// Keeps PortAudio initialised while it exists (listing devices and playing need it).
class PortAudioSession {
  public:
    PortAudioSession();
    ~PortAudioSession();
    PortAudioSession(const PortAudioSession&) = delete;
    PortAudioSession& operator=(const PortAudioSession&) = delete;
    [[nodiscard]] bool ok() const { return m_ok; }
    /// Entry 0 is the system default output; then every output-capable device.
    [[nodiscard]] const std::vector<DeviceInfo>& devices() const { return m_devices; }

  private:
    bool m_ok = false;
    std::vector<DeviceInfo> m_devices;
};

/// Opens the chosen device (index into PortAudioSession::devices()). Null on failure.
std::unique_ptr<OutputDevice> openPortAudioDevice(Mixer& mixer, const PortAudioSession& session,
                                                  int deviceIndex, int bufferMilliseconds);

/// Name used for the system-default entry of the device list.
inline constexpr const char* kDefaultDeviceName = "System default";

} // namespace velmora::audio

namespace velmora::audio {
/// The linked PortAudio's major version (19 for v19.x) and its full version text.
int portAudioMajorVersion();
std::string portAudioVersionText();
} // namespace velmora::audio
