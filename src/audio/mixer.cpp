#include "audio/mixer.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE__)
#include <xmmintrin.h>
#endif

#if defined(VELMORA_RTSAN)
extern "C" void __rtsan_realtime_enter();
extern "C" void __rtsan_realtime_exit();
#endif

namespace velmora::audio {
namespace {

// After this much silence on the bus the effect tails have long died away (the longest
// reverb decays 60 dB in 20 s); their memory is cleared and the effects are skipped.
constexpr std::int64_t kEffectsIdleFrames = 30LL * kSampleRate;

// Marks the real-time section for RealtimeSanitizer builds and keeps denormal numbers out
// of the filters (they are thousands of times slower and appear in every decaying tail).
class RealtimeScope {
  public:
    RealtimeScope() {
#if defined(VELMORA_RTSAN)
        __rtsan_realtime_enter();
#endif
#if defined(__SSE__)
        m_csr = _mm_getcsr();
        _mm_setcsr(m_csr | 0x8040); // flush-to-zero and denormals-are-zero
#endif
    }
    ~RealtimeScope() {
#if defined(__SSE__)
        _mm_setcsr(m_csr);
#endif
#if defined(VELMORA_RTSAN)
        __rtsan_realtime_exit();
#endif
    }
    RealtimeScope(const RealtimeScope&) = delete;
    RealtimeScope& operator=(const RealtimeScope&) = delete;

  private:
    unsigned m_csr = 0;
};

} // namespace

Mixer::Mixer(bool deferStarts) : m_deferStarts(deferStarts) {
    for (auto& e : m_ended)
        e.store(0, std::memory_order_relaxed);
}

Sample* Mixer::takeRetired() {
    auto s = m_retired.pop();
    return s ? *s : nullptr;
}

void Mixer::applyCommands() {
    while (auto command = m_commands.pop())
        std::visit([this](const auto& c) { apply(c); }, *command);
}

Voice* Mixer::channelVoice(int channel, std::uint32_t generation) {
    if (channel < 0 || channel >= kChannelCount) return nullptr;
    Voice& v = m_voices[channel];
    return v.active() && v.generation == generation ? &v : nullptr;
}

void Mixer::apply(const PlayCommand& c) {
    if (!c.sample || c.channel < 0 || c.channel >= kChannelCount) return;
    Voice& v = m_voices[c.channel];
    if (v.active()) moveToTail(v);
    v = Voice{};
    v.sample = c.sample;
    v.generation = c.generation;
    v.deferred = m_deferStarts;
    float l = 0.0f, r = 0.0f;
    if (!c.fadeIn) channelGains(255, 128, l, r);
    v.setTarget(l, r, 0);
    // Not fresh: the gain change that follows the start glides up instead of jumping.
    if (c.fadeIn) v.fresh = false;
    ++c.sample->users;
}

void Mixer::apply(const GainCommand& c) {
    if (Voice* v = channelVoice(c.channel, c.generation)) {
        float l = 0.0f, r = 0.0f;
        channelGains(c.volume, c.pan, l, r);
        v->setTarget(l, r, c.rampFrames > 0 ? c.rampFrames : kGainRampFrames);
    }
}

void Mixer::apply(const LoopCommand& c) {
    if (Voice* v = channelVoice(c.channel, c.generation)) v->loop = c.loop;
}

void Mixer::apply(const StopCommand& c) {
    if (Voice* v = channelVoice(c.channel, c.generation)) {
        moveToTail(*v, c.fadeFrames > 0 ? c.fadeFrames : kStopFadeFrames);
        m_ended[c.channel].store(c.generation, std::memory_order_release);
        *v = Voice{};
    }
}

void Mixer::apply(const PauseCommand& c) {
    m_paused = c.paused;
}

void Mixer::apply(const OutputGainCommand& c) {
    m_outputGainTarget = c.gain;
}

void Mixer::apply(const EnableEffectCommand& c) {
    m_effects.enable(c.slot, c.type, c.reverbIndex);
    m_silentFrames = 0;
}

void Mixer::apply(const DisableEffectsCommand&) {
    m_effects.disableAll();
}

void Mixer::apply(const EqCommand& c) {
    m_effects.setEq(c.slot, c.coefficients);
}

void Mixer::apply(const ReverbCommand& c) {
    m_effects.setReverb(c.slot, c.design);
}

void Mixer::apply(const ReleaseSampleCommand& c) {
    if (!c.sample) return;
    c.sample->released = true;
    if (c.sample->users == 0) dropSampleUser(c.sample);
}

void Mixer::moveToTail(Voice& voice, int fadeFrames) {
    // A sound that never made a sound needs no fade.
    if (voice.fresh || voice.deferred) {
        dropSampleUser(voice.sample);
        voice.sample = nullptr;
        return;
    }
    // Reuse a free tail; with all busy, cut the quietest (it is nearly faded anyway).
    Voice* slot = &m_tails[0];
    for (Voice& t : m_tails) {
        if (!t.active()) {
            slot = &t;
            break;
        }
        if (t.gainL + t.gainR < slot->gainL + slot->gainR) slot = &t;
    }
    if (slot->active()) dropSampleUser(slot->sample);
    *slot = voice;
    slot->stopping = true;
    // The stop's own fade, from wherever a glide in progress has got to.
    slot->rampLeft = 0;
    slot->setTarget(0.0f, 0.0f, fadeFrames);
    voice.sample = nullptr;
}

void Mixer::endVoice(Voice& voice, int channel) {
    if (channel >= 0) m_ended[channel].store(voice.generation, std::memory_order_release);
    dropSampleUser(voice.sample);
    voice.sample = nullptr;
}

// Called when a voice lets go of a sample (users already counted) or when a released
// sample turns out to be unused: the last user of a released sample sends it home.
void Mixer::dropSampleUser(Sample* sample) {
    if (!sample) return;
    if (sample->users > 0) --sample->users;
    if (sample->users == 0 && sample->released && !m_retired.push(sample)) {
        sample->nextPending = m_pendingRetired;
        m_pendingRetired = sample;
    }
}

void Mixer::flushRetired() {
    while (m_pendingRetired) {
        Sample* next = m_pendingRetired->nextPending;
        if (!m_retired.push(m_pendingRetired)) return;
        m_pendingRetired->nextPending = nullptr;
        m_pendingRetired = next;
    }
}

void Mixer::process(float* out, int frames) {
    RealtimeScope realtime;
    applyCommands();
    for (int done = 0; done < frames; done += kBlockFrames) {
        const int n = std::min(kBlockFrames, frames - done);
        renderBlock(out + 2 * done, n);
    }
    bool busy = false;
    for (Voice& v : m_voices) {
        v.deferred = false;
        busy = busy || v.active();
    }
    m_busy.store(busy || !m_effects.empty(), std::memory_order_relaxed);
    flushRetired();
}

void Mixer::renderBlock(float* out, int n) {
    // Paused and faded out, the soundscape is frozen: nothing of it advances until resumed.
    const bool frozen = m_paused && m_pauseGain == 0.0f;
    bool anyVoice = false;
    if (!frozen) {
        for (const Voice& v : m_voices)
            anyVoice = anyVoice || (v.active() && !v.deferred);
        for (const Voice& v : m_tails)
            anyVoice = anyVoice || v.active();
        m_silentFrames = anyVoice ? 0 : m_silentFrames + n;
    }
    const bool effectsIdle = frozen || m_effects.empty() || m_silentFrames > kEffectsIdleFrames;
    float* left = m_left.data();
    float* right = m_right.data();
    std::fill_n(left, n, 0.0f);
    std::fill_n(right, n, 0.0f);
    const bool streaming = mixStreams(left, right, n);
    if (!anyVoice && effectsIdle && !streaming && m_limiter.idle()) {
        // The common idle case costs a memset: no mixing, no filters.
        std::memset(out, 0, sizeof(float) * 2 * static_cast<std::size_t>(n));
        if (!frozen) m_pauseGain = m_paused ? 0.0f : 1.0f;
        m_outputGain = m_outputGainTarget;
        return;
    }
    if (!frozen) {
        if (m_silentFrames > kEffectsIdleFrames && m_silentFrames - n <= kEffectsIdleFrames)
            m_effects.clearMemory(); // the tails have died; start clean when sound returns
        // The soundscape is mixed on its own bus so that pause and effects leave the
        // streams, already in left/right, alone.
        float* busL = out;
        float* busR = out + n;
        std::fill_n(busL, n, 0.0f);
        std::fill_n(busR, n, 0.0f);
        for (int ch = 0; ch < kChannelCount; ++ch) {
            Voice& v = m_voices[ch];
            if (v.active() && !v.deferred && !v.mixInto(busL, busR, n)) endVoice(v, ch);
        }
        for (Voice& t : m_tails)
            if (t.active() && !t.mixInto(busL, busR, n)) endVoice(t, -1);
        if (!effectsIdle) m_effects.process(busL, busR, n);
        applyPauseRamp(busL, busR, n);
        for (int i = 0; i < n; ++i) {
            left[i] += busL[i];
            right[i] += busR[i];
        }
    }
    m_limiter.process(left, right, out, n);
    applyOutputGain(out, n);
}

void Mixer::applyOutputGain(float* out, int n) {
    if (m_outputGain == 1.0f && m_outputGainTarget == 1.0f) return;
    // A straight line across the block from the last gain to the new one: a change never
    // steps, however coarse the caller's updates.
    const float from = m_outputGain;
    const float slope = (m_outputGainTarget - from) / static_cast<float>(n);
    for (int i = 0; i < n; ++i) {
        const float g = from + slope * static_cast<float>(i + 1);
        out[2 * i] *= g;
        out[2 * i + 1] *= g;
    }
    m_outputGain = m_outputGainTarget;
}

bool Mixer::mixStreams(float* left, float* right, int n) {
    bool any = false;
    for (StreamSlot& s : m_streams)
        any = s.mixInto(left, right, n, m_streamScratch.data()) || any;
    return any;
}

void Mixer::applyPauseRamp(float* left, float* right, int n) {
    const float target = m_paused ? 0.0f : 1.0f;
    if (m_pauseGain == target && target == 1.0f) return;
    constexpr float step = 1.0f / kStopFadeFrames;
    for (int i = 0; i < n; ++i) {
        if (m_pauseGain < target)
            m_pauseGain = std::min(target, m_pauseGain + step);
        else if (m_pauseGain > target)
            m_pauseGain = std::max(target, m_pauseGain - step);
        left[i] *= m_pauseGain;
        right[i] *= m_pauseGain;
    }
}

} // namespace velmora::audio
