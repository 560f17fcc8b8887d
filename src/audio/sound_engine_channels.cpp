// SoundEngine: samples, channels, pause and master-bus effects (the UI thread's side).
#include "audio/decoder.h"
#include "audio/engine_state.h"
#include "audio/sound_engine.h"

#include <algorithm>
#include <optional>

namespace velmora::audio {

void SoundEngine::Impl::collectRetired() {
    while (Sample* s = mixer->takeRetired()) {
        const int slot = s->slot;
        samples[slot].sample.reset();
        freeSampleSlots.push_back(slot);
    }
}

void SoundEngine::Impl::replaceLostDevice() {
    if (device && !device->healthy()) {
        // The sound card went away: carry on silently so sounds still end on time.
        device->stop();
        device = std::make_unique<NullDevice>(*mixer);
        silent = true;
    }
}

void SoundEngine::Impl::refreshChannels() {
    replaceLostDevice();
    for (int ch = 0; ch < kChannelCount; ++ch)
        if (channels[ch].busy && mixer->endedGeneration(ch) == channels[ch].generation)
            channels[ch].busy = false;
}

SoundEngine::Impl::ChannelState* SoundEngine::Impl::liveChannel(ChannelHandle handle,
                                                                int& channel) {
    if (!handle.valid() || closed) return nullptr;
    const auto [index, generation] = ChannelHandleCodec::decode(handle.raw);
    channel = index;
    ChannelState& c = channels[channel];
    if (!c.busy || c.generation != generation) return nullptr;
    if (mixer->endedGeneration(channel) == generation) {
        c.busy = false;
        return nullptr;
    }
    return &c;
}

Sample* SoundEngine::Impl::liveSample(SampleHandle handle) {
    if (!handle.valid()) return nullptr;
    const auto [slot, generation] = SampleHandleCodec::decode(handle.raw);
    if (slot >= static_cast<int>(samples.size())) return nullptr;
    const SampleSlot& s = samples[slot];
    return s.live && s.generation == generation ? s.sample.get() : nullptr;
}

SoundEngine::Impl::EffectSlotState* SoundEngine::Impl::liveEffect(int effectId, int& slot) {
    if (effectId < 0) return nullptr;
    const auto [index, generation] = EffectHandleCodec::decode(effectId);
    slot = index;
    EffectSlotState& e = effects[slot];
    return e.on && e.generation == generation ? &e : nullptr;
}

void SoundEngine::Impl::freeAllSamples() {
    samples.clear();
    freeSampleSlots.clear();
}

DecodeResult SoundEngine::Impl::guardedDecode(const std::string& path, LoadOrigin origin) {
    std::lock_guard lock(decodeMutex);
    if (decodeGuard && !decodeGuard->mayDecode(path, origin))
        return {{}, DecodeError::CannotOpen, "refused by the decode guard"};
    DecodeResult decoded = decoder(path);
    if (decodeGuard) decodeGuard->decoded(path);
    return decoded;
}

SampleHandle SoundEngine::loadSample(const std::string& path, LoadOrigin origin) {
    Impl& d = *m_impl;
    if (d.closed) return {};
    d.collectRetired();
    // A file the user picks again gets its own try past the guard, not an earlier refusal.
    std::optional<DecodeResult> ahead;
    if (origin == LoadOrigin::Stored) ahead = d.ahead.take(path);
    DecodeResult decoded = ahead ? std::move(*ahead) : d.guardedDecode(path, origin);
    if (!decoded.ok()) return {};
    int slot;
    if (!d.freeSampleSlots.empty()) {
        slot = d.freeSampleSlots.back();
        d.freeSampleSlots.pop_back();
    } else if (static_cast<int>(d.samples.size()) < kMaxSampleSlots) {
        slot = static_cast<int>(d.samples.size());
        d.samples.emplace_back();
    } else {
        return {};
    }
    Impl::SampleSlot& s = d.samples[slot];
    s.sample = std::make_unique<Sample>(std::move(decoded.pcm), slot);
    s.generation = SampleHandleCodec::next(s.generation);
    s.live = true;
    return SampleHandle{SampleHandleCodec::encode(slot, s.generation)};
}

void SoundEngine::setDecodeGuard(DecodeGuard* guard) {
    std::lock_guard lock(m_impl->decodeMutex);
    m_impl->decodeGuard = guard;
}

void SoundEngine::decodeAhead(const std::vector<std::string>& paths) {
    if (m_impl->closed) return;
    m_impl->ahead.start(paths);
}

bool SoundEngine::decodingAhead() const {
    return m_impl->ahead.busy();
}

void SoundEngine::setDecoder(Decoder decoder) {
    // Not while a worker uses the old one.
    m_impl->ahead.clear();
    std::lock_guard lock(m_impl->decodeMutex);
    m_impl->decoder = std::move(decoder);
}

void SoundEngine::releaseSample(SampleHandle sample) {
    Impl& d = *m_impl;
    Sample* s = d.liveSample(sample);
    if (!s) return;
    d.samples[s->slot].live = false;
    // The audio thread may still be playing it; it comes back once the last voice ends.
    d.send(ReleaseSampleCommand{s});
    d.collectRetired();
}

std::int64_t SoundEngine::sampleFrames(SampleHandle sample) const {
    const Sample* s = m_impl->liveSample(sample);
    return s ? static_cast<std::int64_t>(s->pcm.size()) : 0;
}

ChannelHandle SoundEngine::play(SampleHandle sample, int channel) {
    Impl& d = *m_impl;
    Sample* s = d.liveSample(sample);
    if (!s || !isRunning()) return {};
    d.refreshChannels();
    int ch = -1;
    if (channel == kAnyFree) {
        for (int i = 0; i < kChannelCount && ch < 0; ++i)
            if (!d.channels[i].busy) ch = i;
    } else if (channel >= 0 && channel < kChannelCount) {
        // Asking for a particular channel replaces whatever plays there.
        ch = channel;
        if (d.channels[ch].busy)
            d.send(StopCommand{ch, d.channels[ch].generation, d.changeFadeFrames});
    }
    if (ch < 0) return {};
    Impl::ChannelState& c = d.channels[ch];
    c.generation = ChannelHandleCodec::next(c.generation);
    c.busy = true;
    c.volume = 255;
    c.pan = 128;
    c.loop = false;
    if (!d.send(PlayCommand{s, ch, c.generation, d.changeFadeFrames > 0})) {
        c.busy = false;
        return {};
    }
    return ChannelHandle{ChannelHandleCodec::encode(ch, c.generation)};
}

void SoundEngine::setVolume(ChannelHandle channel, int volume) {
    int ch = 0;
    if (Impl::ChannelState* c = m_impl->liveChannel(channel, ch)) {
        c->volume = std::clamp(volume, 0, 255);
        m_impl->send(GainCommand{ch, c->generation, c->volume, c->pan, m_impl->changeFadeFrames});
    }
}

void SoundEngine::setPan(ChannelHandle channel, int pan) {
    int ch = 0;
    if (Impl::ChannelState* c = m_impl->liveChannel(channel, ch)) {
        c->pan = std::clamp(pan, 0, 255);
        m_impl->send(GainCommand{ch, c->generation, c->volume, c->pan, m_impl->changeFadeFrames});
    }
}

void SoundEngine::setChangeFade(int milliseconds) {
    m_impl->changeFadeFrames =
        static_cast<int>(std::clamp(milliseconds, 0, 60000) * std::int64_t{kSampleRate} / 1000);
}

void SoundEngine::setLoopMode(ChannelHandle channel, int mode) {
    int ch = 0;
    if (Impl::ChannelState* c = m_impl->liveChannel(channel, ch)) {
        if (mode != kLoopNormal && mode != kLoopOff) return;
        c->loop = mode == kLoopNormal;
        m_impl->send(LoopCommand{ch, c->generation, c->loop});
    }
}

void SoundEngine::stop(ChannelHandle channel) {
    int ch = 0;
    if (Impl::ChannelState* c = m_impl->liveChannel(channel, ch)) {
        c->busy = false;
        m_impl->send(StopCommand{ch, c->generation, m_impl->changeFadeFrames});
    }
}

void SoundEngine::setPaused(int channel, bool paused) {
    if (channel != kSystemChannel || m_impl->closed) return;
    m_impl->paused = paused;
    m_impl->send(PauseCommand{paused});
}

bool SoundEngine::isPaused() const {
    return m_impl->paused;
}

void SoundEngine::setOutputGain(float gain) {
    if (m_impl->closed) return;
    gain = gain < 0.0f ? 0.0f : (gain > 1.0f ? 1.0f : gain);
    if (gain == m_impl->outputGain) return;
    m_impl->outputGain = gain;
    m_impl->send(OutputGainCommand{gain});
}

float SoundEngine::outputGain() const {
    return m_impl->outputGain;
}

bool SoundEngine::isPlaying(ChannelHandle channel) const {
    int ch = 0;
    return m_impl->liveChannel(channel, ch) != nullptr;
}

int SoundEngine::volume(ChannelHandle channel) const {
    int ch = 0;
    const Impl::ChannelState* c = m_impl->liveChannel(channel, ch);
    return c ? c->volume : -1;
}

int SoundEngine::pan(ChannelHandle channel) const {
    int ch = 0;
    const Impl::ChannelState* c = m_impl->liveChannel(channel, ch);
    return c ? c->pan : -1;
}

int SoundEngine::playingCount() const {
    m_impl->refreshChannels();
    return static_cast<int>(std::count_if(m_impl->channels.begin(), m_impl->channels.end(),
                                          [](const Impl::ChannelState& c) { return c.busy; }));
}

int SoundEngine::enableEffect(int channel, EffectType type) {
    Impl& d = *m_impl;
    if (channel != kSystemChannel || d.closed ||
        (type != EffectType::ParamEq && type != EffectType::Reverb))
        return -1;
    int slot = -1;
    for (int i = 0; i < kMaxEffects && slot < 0; ++i)
        if (!d.effects[i].on) slot = i;
    int reverbIndex = -1;
    if (type == EffectType::Reverb) {
        for (int r = 0; r < kMaxReverbs && reverbIndex < 0; ++r)
            if (std::none_of(
                    d.effects.begin(), d.effects.end(),
                    [r](const Impl::EffectSlotState& e) { return e.on && e.reverbIndex == r; }))
                reverbIndex = r;
        if (reverbIndex < 0) return -1;
    }
    if (slot < 0) return -1;
    Impl::EffectSlotState& e = d.effects[slot];
    e.on = true;
    e.type = type;
    e.reverbIndex = reverbIndex;
    e.generation = EffectHandleCodec::next(e.generation);
    d.send(EnableEffectCommand{slot, type, reverbIndex});
    if (type == EffectType::Reverb)
        d.send(ReverbCommand{slot, designReverb(ReverbParams{}, kSampleRate)});
    return EffectHandleCodec::encode(slot, e.generation);
}

void SoundEngine::disableEffects(int channel) {
    Impl& d = *m_impl;
    if (channel != kSystemChannel || d.closed) return;
    for (auto& e : d.effects)
        e.on = false;
    d.send(DisableEffectsCommand{});
}

void SoundEngine::setParamEq(int effectId, float centreHz, float bandwidthSemitones, float gainDb) {
    int slot = 0;
    const Impl::EffectSlotState* e = m_impl->liveEffect(effectId, slot);
    if (e && e->type == EffectType::ParamEq)
        m_impl->send(
            EqCommand{slot, designPeakingEq(centreHz, bandwidthSemitones, gainDb, kSampleRate)});
}

void SoundEngine::setReverb(int effectId, const ReverbParams& params) {
    int slot = 0;
    const Impl::EffectSlotState* e = m_impl->liveEffect(effectId, slot);
    if (e && e->type == EffectType::Reverb)
        m_impl->send(ReverbCommand{slot, designReverb(params, kSampleRate)});
}

} // namespace velmora::audio
