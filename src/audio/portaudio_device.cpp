#include "audio/output_device.h"
#include "platform/quiet_stderr.h"

#include <portaudio.h>

#include <algorithm>
#include <chrono>

namespace velmora::audio {
namespace {

class PortAudioDevice final : public OutputDevice {
  public:
    explicit PortAudioDevice(Mixer& mixer) : m_mixer(mixer) {}
    ~PortAudioDevice() override { stop(); }

    bool open(PaDeviceIndex device, int bufferMilliseconds) {
        const PaDeviceInfo* info = Pa_GetDeviceInfo(device);
        if (!info || info->maxOutputChannels < 2) return false;
        m_name = info->name ? info->name : "";
        PaStreamParameters out{};
        out.device = device;
        out.channelCount = 2;
        out.sampleFormat = paFloat32;
        out.suggestedLatency = std::max(info->defaultLowOutputLatency, bufferMilliseconds / 1000.0);
        if (Pa_OpenStream(&m_stream, nullptr, &out, kSampleRate, paFramesPerBufferUnspecified,
                          paNoFlag, &PortAudioDevice::callback, this) != paNoError) {
            m_stream = nullptr;
            return false;
        }
        if (Pa_StartStream(m_stream) != paNoError) {
            Pa_CloseStream(m_stream);
            m_stream = nullptr;
            return false;
        }
        return true;
    }

    void stop() override {
        if (!m_stream) return;
        Pa_StopStream(m_stream);
        Pa_CloseStream(m_stream);
        m_stream = nullptr;
    }

    [[nodiscard]] bool healthy() const override {
        return m_stream && Pa_IsStreamActive(m_stream) == 1;
    }

    [[nodiscard]] std::string name() const override { return m_name; }

    [[nodiscard]] AudioLoadStats load() const override {
        AudioLoadStats s;
        s.blocks = m_blocks.load();
        if (m_stream) s.averageLoad = Pa_GetStreamCpuLoad(m_stream);
        s.worstBlockLoad = m_worst.load();
        return s;
    }

  private:
    static int callback(const void*, void* output, unsigned long frames,
                        const PaStreamCallbackTimeInfo*, PaStreamCallbackFlags, void* user) {
        auto* self = static_cast<PortAudioDevice*>(user);
        const auto start = std::chrono::steady_clock::now();
        self->m_mixer.process(static_cast<float*>(output), static_cast<int>(frames));
        const double spent =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const double share = spent * kSampleRate / static_cast<double>(std::max(1UL, frames));
        if (share > self->m_worst.load(std::memory_order_relaxed))
            self->m_worst.store(share, std::memory_order_relaxed);
        self->m_blocks.fetch_add(1, std::memory_order_relaxed);
        return paContinue;
    }

    Mixer& m_mixer;
    PaStream* m_stream = nullptr;
    std::string m_name;
    std::atomic<std::int64_t> m_blocks{0};
    std::atomic<double> m_worst{0.0};
};

} // namespace

PortAudioSession::PortAudioSession() {
    const QuietStderr quiet;
    m_ok = Pa_Initialize() == paNoError;
    if (!m_ok) return;
    m_devices.push_back({-1, kDefaultDeviceName});
    const int count = Pa_GetDeviceCount();
    for (int i = 0; i < count; ++i) {
        const PaDeviceInfo* info = Pa_GetDeviceInfo(i);
        if (info && info->maxOutputChannels > 0)
            m_devices.push_back({i, info->name ? info->name : ""});
    }
}

PortAudioSession::~PortAudioSession() {
    if (m_ok) Pa_Terminate();
}

std::unique_ptr<OutputDevice> openPortAudioDevice(Mixer& mixer, const PortAudioSession& session,
                                                  int deviceIndex, int bufferMilliseconds) {
    if (!session.ok()) return nullptr;
    const QuietStderr quiet;
    const auto& devices = session.devices();
    // An index the saved settings remember from another machine means "the default".
    const DeviceInfo& chosen = deviceIndex >= 0 && deviceIndex < static_cast<int>(devices.size())
                                   ? devices[deviceIndex]
                                   : devices[0];
    const PaDeviceIndex pa = chosen.paIndex >= 0 ? chosen.paIndex : Pa_GetDefaultOutputDevice();
    if (pa == paNoDevice) return nullptr;
    auto device = std::make_unique<PortAudioDevice>(mixer);
    if (!device->open(pa, bufferMilliseconds)) {
        // The chosen card may be busy or gone; the system default is the next best thing.
        const PaDeviceIndex fallback = Pa_GetDefaultOutputDevice();
        if (fallback == paNoDevice || fallback == pa || !device->open(fallback, bufferMilliseconds))
            return nullptr;
    }
    return device;
}

int portAudioMajorVersion() {
    const PaVersionInfo* v = Pa_GetVersionInfo();
    return v ? v->versionMajor : Pa_GetVersion() >> 16;
}

std::string portAudioVersionText() {
    const PaVersionInfo* v = Pa_GetVersionInfo();
    return v && v->versionText ? v->versionText : Pa_GetVersionText();
}

} // namespace velmora::audio
