// SoundEngine: lifecycle, devices and rendering. Samples, channels and effects are in
// sound_engine_channels.cpp.
#include "audio/sound_engine.h"

#include "audio/audio_file_writer.h"
#include "audio/engine_state.h"
#include "audio/pcm.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <thread>

namespace velmora::audio {

bool SoundEngine::Impl::send(const Command& command) {
    // After close the samples are gone; a queued play must never be applied again.
    if (closed) return false;
    if (mixer->send(command)) return true;
    if (backend == Backend::Offline || !device) {
        // Nobody else consumes: this thread is the audio thread. Zero frames applies the
        // queue without advancing time.
        mixer->process(nullptr, 0);
        return mixer->send(command);
    }
    // A full queue with a card that no longer takes audio would never drain: every control
    // move would wait out the timeout below and then be lost.
    replaceLostDevice();
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
    while (std::chrono::steady_clock::now() < giveUp) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        if (mixer->send(command)) return true;
    }
    return false;
}

SoundEngine::SoundEngine(Backend backend) : m_impl(std::make_unique<Impl>(backend)) {
    // Offline nothing needs starting: the owner renders when it likes.
    if (backend == Backend::Offline) m_impl->initialised = true;
}

SoundEngine::~SoundEngine() {
    close();
}

void SoundEngine::setBufferSize(int milliseconds) {
    m_impl->bufferMilliseconds = std::clamp(milliseconds, 5, 1000);
}

void SoundEngine::setDriver(int deviceIndex) {
    m_impl->driver = deviceIndex;
}

void SoundEngine::setOutput(int output) {
    // Linux has one output system here (PortAudio's default host); the value is kept for
    // symmetry and automatic output (-1) is what every caller asks for.
    m_impl->output = output;
}

void SoundEngine::setDeviceOpener(DeviceOpener opener) {
    m_impl->deviceOpener = std::move(opener);
}

bool SoundEngine::init(int, int, int) {
    Impl& d = *m_impl;
    if (d.closed) return false;
    if (d.initialised) return !d.silent;
    d.initialised = true;
    if (d.backend == Backend::Device) {
        if (d.deviceOpener) {
            d.device = d.deviceOpener(*d.mixer);
        } else {
            if (!d.portAudio) d.portAudio = std::make_unique<PortAudioSession>();
            d.device = openPortAudioDevice(*d.mixer, *d.portAudio, d.driver, d.bufferMilliseconds);
        }
        if (d.device) return true;
    }
    // No sound card (or silence asked for): keep time moving so one-shots still end.
    d.device = std::make_unique<NullDevice>(*d.mixer);
    d.silent = true;
    return d.backend == Backend::Null;
}

void SoundEngine::close() {
    Impl& d = *m_impl;
    if (d.closed) return;
    d.closed = true;
    d.ahead.clear();
    if (d.device) {
        d.device->stop();
        d.device.reset();
    }
    for (auto& stream : d.streams)
        if (stream) stream->shutdown();
    d.portAudio.reset();
    d.freeAllSamples();
    for (auto& c : d.channels)
        c.busy = false;
}

bool SoundEngine::isRunning() const {
    return m_impl->initialised && !m_impl->closed;
}

bool SoundEngine::isSilent() const {
    return m_impl->silent || m_impl->backend == Backend::Offline;
}

std::string SoundEngine::outputName() const {
    return m_impl->device && !isSilent() ? m_impl->device->name() : std::string();
}

int SoundEngine::backendMajorVersion() {
    return portAudioMajorVersion();
}

std::string SoundEngine::backendVersionText() {
    return portAudioVersionText();
}

int SoundEngine::driverCount() const {
    if (!m_impl->portAudio) m_impl->portAudio = std::make_unique<PortAudioSession>();
    return static_cast<int>(m_impl->portAudio->devices().size());
}

std::string SoundEngine::driverName(int index) const {
    if (!m_impl->portAudio) m_impl->portAudio = std::make_unique<PortAudioSession>();
    const auto& devices = m_impl->portAudio->devices();
    return index >= 0 && index < static_cast<int>(devices.size()) ? devices[index].name
                                                                  : std::string();
}

void SoundEngine::render(float* interleavedStereo, int frames) {
    if (frames <= 0 || !interleavedStereo) return;
    if (m_impl->backend != Backend::Offline || !isRunning()) {
        // Live back ends own the mixer's clock; a pull here would race them.
        std::fill_n(interleavedStereo, 2 * static_cast<std::size_t>(frames), 0.0f);
        return;
    }
    // Retired samples are collected by the next load or release, not here: rendering
    // stays free of allocation on this side too. Streams are read just ahead of each piece,
    // which must fit their rings.
    constexpr int kPiece = 4096;
    for (int done = 0; done < frames; done += kPiece) {
        const int n = std::min(kPiece, frames - done);
        for (auto& stream : m_impl->streams)
            if (stream) stream->feed(static_cast<std::size_t>(n));
        m_impl->mixer->process(interleavedStereo + 2 * static_cast<std::size_t>(done), n);
    }
}

StreamChannel* SoundEngine::openStream() {
    Impl& d = *m_impl;
    if (d.closed) return nullptr;
    for (int i = 0; i < kStreamSlots; ++i)
        if (!d.streams[i]) {
            d.streams[i] = std::make_unique<StreamChannel>(d.mixer->streamSlot(i),
                                                           d.backend == Backend::Offline);
            return d.streams[i].get();
        }
    return nullptr;
}

void SoundEngine::closeStream(StreamChannel* stream) {
    for (auto& s : m_impl->streams)
        if (s && s.get() == stream) s.reset();
}

void SoundEngine::render(std::int16_t* interleavedStereo, int frames) {
    std::array<float, 2 * 1024> block{};
    for (int done = 0; done < frames; done += 1024) {
        const int n = std::min(1024, frames - done);
        render(block.data(), n);
        floatToPcm16(block.data(), interleavedStereo + 2 * static_cast<std::size_t>(done),
                     2 * static_cast<std::size_t>(n));
    }
}

bool SoundEngine::renderToFile(const std::string& path, std::int64_t frames) {
    AudioFileWriter writer;
    if (!writer.open(path)) return false;
    std::array<float, 2 * 4096> block{};
    for (std::int64_t done = 0; done < frames; done += 4096) {
        const int n = static_cast<int>(std::min<std::int64_t>(4096, frames - done));
        render(block.data(), n);
        if (!writer.write(block.data(), n)) return false;
    }
    return writer.close();
}

SoundEngine::AudioLoad SoundEngine::audioLoad() const {
    AudioLoad load;
    if (m_impl->device) {
        const AudioLoadStats s = m_impl->device->load();
        load.blocks = s.blocks;
        load.averageLoad = s.averageLoad;
        load.worstBlockLoad = s.worstBlockLoad;
    }
    return load;
}

std::size_t SoundEngine::effectMemoryBytes() const {
    return m_impl->mixer->effectMemoryBytes();
}

} // namespace velmora::audio
