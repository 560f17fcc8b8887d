#include "audio/effect_chain.h"

#include <algorithm>

namespace velmora::audio {

int EffectChain::Layout::reverbsOn() const {
    int n = 0;
    for (int i = 0; i < count; ++i)
        n += slots[order[i]].type == EffectType::Reverb;
    return n;
}

EffectChain::EffectChain() : m_oldReverb(std::make_unique<Reverb>()) {
    for (auto& r : m_reverbs)
        r = std::make_unique<Reverb>();
}

void EffectChain::enable(int slot, EffectType type, int reverbIndex) {
    if (slot < 0 || slot >= kMaxEffects || m_target.slots[slot].on || m_target.count >= kMaxEffects)
        return;
    if (type == EffectType::Reverb && (reverbIndex < 0 || reverbIndex >= kMaxReverbs)) return;
    SlotSetting& s = m_target.slots[slot];
    // A new effect starts neutral (flat band) or with the default room until parameterised.
    s = SlotSetting{};
    s.on = true;
    s.type = type;
    s.reverbIndex = type == EffectType::Reverb ? reverbIndex : -1;
    m_target.order[m_target.count++] = slot;
    m_dirty = true;
}

void EffectChain::disableAll() {
    for (auto& s : m_target.slots)
        s.on = false;
    m_target.count = 0;
    m_dirty = true;
}

void EffectChain::setEq(int slot, const BiquadCoefficients& c) {
    if (slot >= 0 && slot < kMaxEffects && m_target.slots[slot].on &&
        m_target.slots[slot].type == EffectType::ParamEq) {
        m_target.slots[slot].eq = c;
        m_dirty = true;
    }
}

void EffectChain::setReverb(int slot, const ReverbDesign& d) {
    if (slot >= 0 && slot < kMaxEffects && m_target.slots[slot].on &&
        m_target.slots[slot].type == EffectType::Reverb) {
        m_target.slots[slot].reverb = d;
        m_dirty = true;
    }
}

void EffectChain::clearMemory() {
    for (auto& b : m_eq)
        b.reset();
    for (auto& r : m_reverbs)
        r->reset();
    // Nothing is sounding, so a change still fading can simply land.
    m_fading = false;
}

namespace {
/// A reverb whose delays stay where they were can carry on from its memory; one whose
/// delays move would read its memory at new places and feed that jump round its loops.
bool sameDelays(const ReverbDesign& a, const ReverbDesign& b) {
    return a.lineLength == b.lineLength && a.earlyDelay == b.earlyDelay &&
           a.lateDelay == b.lateDelay && a.diffusion == b.diffusion;
}
} // namespace

void EffectChain::adoptTarget() {
    for (int slot = 0; slot < kMaxEffects; ++slot) {
        const SlotSetting& was = m_live.slots[slot];
        const SlotSetting& now = m_target.slots[slot];
        if (!now.on) continue;
        // An effect that stays on keeps its memory; one that is new starts from silence.
        bool kept = was.on && was.type == now.type && was.reverbIndex == now.reverbIndex;
        if (now.type == EffectType::ParamEq) {
            if (!kept) m_eq[slot].reset();
            m_eq[slot].setCoefficients(now.eq);
        } else {
            kept = kept && sameDelays(was.reverb, now.reverb);
            Reverb& r = *m_reverbs[now.reverbIndex];
            if (!kept) r.reset();
            r.setDesign(now.reverb);
        }
        m_fresh[slot] = !kept;
    }
    m_live = m_target;
    m_dirty = false;
}

void EffectChain::beginChange() {
    const bool fade = m_live.count > 0 || m_target.count > 0;
    // Two reverbs at once are never set up by the program; they change without a fade
    // rather than carrying a second spare reverb's memory.
    if (fade && m_live.reverbsOn() <= 1) {
        m_old = m_live;
        m_oldEq = m_eq;
        for (int i = 0; i < m_live.count; ++i) {
            const SlotSetting& s = m_live.slots[m_live.order[i]];
            if (s.type == EffectType::Reverb) m_oldReverb->copyStateFrom(*m_reverbs[s.reverbIndex]);
        }
        m_fading = true;
        m_fadePos = 0;
    }
    adoptTarget();
}

void EffectChain::runChain(const Layout& layout, ParametricEqBand* bands, Reverb* const* reverbs,
                           float* left, float* right, int n) {
    // Consecutive equaliser bands run together as one cascade (same result, much faster).
    ParametricEqBand* run[EqCascade::kMaxBands] = {};
    int runLength = 0;
    for (int i = 0; i < layout.count; ++i) {
        const SlotSetting& s = layout.slots[layout.order[i]];
        if (s.type == EffectType::ParamEq) {
            run[runLength++] = &bands[layout.order[i]];
            continue;
        }
        EqCascade::process(run, runLength, left, right, n);
        runLength = 0;
        reverbs[s.reverbIndex]->process(left, right, n);
    }
    EqCascade::process(run, runLength, left, right, n);
}

void EffectChain::runLiveFading(float* left, float* right, int n) {
    for (int i = 0; i < m_live.count; ++i) {
        const int slot = m_live.order[i];
        const SlotSetting& s = m_live.slots[slot];
        auto effect = [&](float* l, float* r) {
            if (s.type == EffectType::ParamEq)
                m_eq[slot].process(l, r, n);
            else
                m_reverbs[s.reverbIndex]->process(l, r, n);
        };
        if (!m_fresh[slot]) {
            effect(left, right);
            continue;
        }
        // A new effect would start from silent memory with the sound already at full
        // level, which rings as a transient of its own; instead its input rises with the
        // fade while the bypass falls: E(g x) + (1 - g) x.
        for (int k = 0; k < n; ++k) {
            const float g = fadeGain(k);
            m_rampL[k] = g * left[k];
            m_rampR[k] = g * right[k];
        }
        effect(m_rampL.data(), m_rampR.data());
        for (int k = 0; k < n; ++k) {
            const float bypass = 1.0f - fadeGain(k);
            left[k] = m_rampL[k] + bypass * left[k];
            right[k] = m_rampR[k] + bypass * right[k];
        }
    }
}

void EffectChain::processFading(float* left, float* right, int n) {
    std::copy_n(left, n, m_oldL.data());
    std::copy_n(right, n, m_oldR.data());
    // The old layout holds one reverb at most, and its sound rings on in the spare.
    Reverb* const oldReverbs[kMaxReverbs] = {m_oldReverb.get(), m_oldReverb.get()};
    runChain(m_old, m_oldEq.data(), oldReverbs, m_oldL.data(), m_oldR.data(), n);
    runLiveFading(left, right, n);
    // A straight line between the two: both carry the same dry sound, so their sum keeps
    // its level all through the fade.
    for (int i = 0; i < n; ++i) {
        const float g = fadeGain(i);
        left[i] = m_oldL[i] + g * (left[i] - m_oldL[i]);
        right[i] = m_oldR[i] + g * (right[i] - m_oldR[i]);
    }
    m_fadePos += n;
    if (m_fadePos >= kFadeFrames) m_fading = false;
}

void EffectChain::process(float* left, float* right, int n) {
    for (int done = 0; done < n;) {
        if (m_dirty && !m_fading) beginChange();
        if (!m_fading) {
            Reverb* const reverbs[kMaxReverbs] = {m_reverbs[0].get(), m_reverbs[1].get()};
            runChain(m_live, m_eq.data(), reverbs, left + done, right + done, n - done);
            return;
        }
        const int k = std::min({kChunk, n - done, kFadeFrames - m_fadePos});
        processFading(left + done, right + done, k);
        done += k;
    }
}

std::size_t EffectChain::memoryBytes() const {
    std::size_t bytes = sizeof(*this) + m_oldReverb->memoryBytes();
    for (const auto& r : m_reverbs)
        bytes += r->memoryBytes();
    return bytes;
}

} // namespace velmora::audio
