#include "cd/engine_cd_output.h"

#include "audio/sound_engine.h"
#include "audio/stream_channel.h"

#include <algorithm>
#include <cmath>

namespace velmora::cd {

int cdVolumeHundredthsDb(double gain) {
    if (!(gain > 0)) return audio::StreamChannel::kMinVolume;
    const double db100 = 2000.0 * std::log10(std::min(gain, 1.0));
    return std::max(audio::StreamChannel::kMinVolume, static_cast<int>(std::lround(db100)));
}

EngineCdOutput::~EngineCdOutput() {
    if (m_channel) m_engine.closeStream(m_channel);
}

bool EngineCdOutput::available() {
    if (!m_channel) m_channel = m_engine.openStream();
    return m_channel != nullptr;
}

bool EngineCdOutput::start(std::unique_ptr<audio::StreamSource> source) {
    if (!available()) return false;
    (void)m_channel->poll(); // what ended before belongs to the source being replaced
    m_channel->setPaused(false);
    m_source = m_channel->play(std::move(source));
    m_ended = false;
    return m_source >= 0;
}

void EngineCdOutput::setPaused(bool paused) {
    if (m_channel) m_channel->setPaused(paused);
}

void EngineCdOutput::stop() {
    if (m_channel) m_channel->stop();
    m_source = -1;
}

void EngineCdOutput::setVolume(double gain) {
    if (m_channel) m_channel->setVolume(cdVolumeHundredthsDb(gain));
}

double EngineCdOutput::heardSeconds() {
    return m_channel && m_channel->currentSource() == m_source ? m_channel->position() : 0.0;
}

bool EngineCdOutput::ended() {
    if (!m_channel || m_source < 0) return false;
    for (const auto& e : m_channel->poll())
        if (e.source == m_source) m_ended = true;
    return m_ended;
}

} // namespace velmora::cd
