#include "audio/effect_chain.h"

namespace velmora::audio {

EffectChain::EffectChain() {
    for (auto& r : m_reverbs)
        r = std::make_unique<Reverb>();
}

void EffectChain::enable(int slot, EffectType type, int reverbIndex) {
    if (slot < 0 || slot >= kMaxEffects || m_slots[slot].on || m_count >= kMaxEffects) return;
    if (type == EffectType::Reverb && (reverbIndex < 0 || reverbIndex >= kMaxReverbs)) return;
    Slot& s = m_slots[slot];
    s.on = true;
    s.type = type;
    s.reverbIndex = type == EffectType::Reverb ? reverbIndex : -1;
    // A new effect starts neutral (flat band) or with the default room until parameterised.
    if (type == EffectType::ParamEq) {
        s.eq.setCoefficients({});
        s.eq.reset();
    } else {
        m_reverbs[reverbIndex]->reset();
    }
    m_order[m_count++] = slot;
}

void EffectChain::disableAll() {
    for (int i = 0; i < m_count; ++i) {
        Slot& s = m_slots[m_order[i]];
        s.on = false;
        if (s.type == EffectType::Reverb)
            m_reverbs[s.reverbIndex]->reset();
        else
            s.eq.reset();
    }
    m_count = 0;
}

void EffectChain::setEq(int slot, const BiquadCoefficients& c) {
    if (slot >= 0 && slot < kMaxEffects && m_slots[slot].on &&
        m_slots[slot].type == EffectType::ParamEq)
        m_slots[slot].eq.setCoefficients(c);
}

void EffectChain::setReverb(int slot, const ReverbDesign& d) {
    if (slot >= 0 && slot < kMaxEffects && m_slots[slot].on &&
        m_slots[slot].type == EffectType::Reverb)
        m_reverbs[m_slots[slot].reverbIndex]->setDesign(d);
}

void EffectChain::clearMemory() {
    for (int i = 0; i < m_count; ++i) {
        Slot& s = m_slots[m_order[i]];
        if (s.type == EffectType::Reverb)
            m_reverbs[s.reverbIndex]->reset();
        else
            s.eq.reset();
    }
}

void EffectChain::process(float* left, float* right, int n) {
    // Consecutive equaliser bands run together as one cascade (same result, much faster).
    ParametricEqBand* run[EqCascade::kMaxBands];
    int runLength = 0;
    for (int i = 0; i < m_count; ++i) {
        Slot& s = m_slots[m_order[i]];
        if (s.type == EffectType::ParamEq) {
            run[runLength++] = &s.eq;
            continue;
        }
        EqCascade::process(run, runLength, left, right, n);
        runLength = 0;
        m_reverbs[s.reverbIndex]->process(left, right, n);
    }
    EqCascade::process(run, runLength, left, right, n);
}

std::size_t EffectChain::memoryBytes() const {
    std::size_t bytes = sizeof(*this);
    for (const auto& r : m_reverbs)
        bytes += r->memoryBytes();
    return bytes;
}

} // namespace velmora::audio
