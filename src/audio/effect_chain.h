#pragma once
// The master-bus effects in the order they were enabled: equaliser bands and reverbs.
// The reverbs' memory is allocated once up front, so enabling an effect on the audio
// thread only flips a slot on.
//
// Thread: constructed on the UI thread; every other member runs on the audio thread.

#include "audio/parametric_eq.h"
#include "audio/reverb.h"
#include "audio/sound_engine.h"

#include <array>
#include <memory>

namespace velmora::audio {

inline constexpr int kMaxEffects = 16;
inline constexpr int kMaxReverbs = 2;

class EffectChain {
  public:
    EffectChain();
    /// Appends the slot to the chain (after every effect already on).
    void enable(int slot, EffectType type, int reverbIndex);
    /// Removes every effect and clears their memory.
    void disableAll();
    void setEq(int slot, const BiquadCoefficients& c);
    void setReverb(int slot, const ReverbDesign& d);
    /// Clears filter and delay memory without removing effects (after long silence).
    void clearMemory();
    [[nodiscard]] bool empty() const { return m_count == 0; }
    /// Runs the chain over planar stereo in place.
    void process(float* left, float* right, int n);
    /// Bytes of effect state, for the memory budget.
    [[nodiscard]] std::size_t memoryBytes() const;

  private:
    struct Slot {
        EffectType type = EffectType::ParamEq;
        bool on = false;
        ParametricEqBand eq;
        int reverbIndex = -1;
    };
    std::array<Slot, kMaxEffects> m_slots;
    std::array<std::unique_ptr<Reverb>, kMaxReverbs> m_reverbs;
    std::array<int, kMaxEffects> m_order{};
    int m_count = 0;
};

} // namespace velmora::audio
