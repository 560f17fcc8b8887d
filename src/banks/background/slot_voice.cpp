#include "slot_voice.h"

namespace velmora {

void SlotVoice::ensureLoaded(audio::SoundEngine& engine, const std::filesystem::path& file) {
    if (!m_sample.valid()) m_sample = engine.loadSample(file.string());
}

void SlotVoice::setSample(audio::SoundEngine& engine, audio::SampleHandle sample) {
    if (sample == m_sample) return;
    // Scenario changes reload custom sounds for hours on end: keeping every superseded
    // sample would grow without bound.
    if (m_sample.valid()) engine.releaseSample(m_sample);
    m_sample = sample;
}

void SlotVoice::start(audio::SoundEngine& engine, int pan, int volume) {
    m_channel = engine.play(m_sample);
    engine.setPan(m_channel, pan);
    engine.setVolume(m_channel, volume);
    engine.setLoopMode(m_channel, audio::kLoopNormal);
}

void SlotVoice::stop(audio::SoundEngine& engine) {
    engine.stop(m_channel);
}

void SlotVoice::applyVolume(audio::SoundEngine& engine, int volume) const {
    engine.setVolume(m_channel, volume);
}

void SlotVoice::applyPan(audio::SoundEngine& engine, int pan) const {
    engine.setPan(m_channel, pan);
}

} // namespace velmora
