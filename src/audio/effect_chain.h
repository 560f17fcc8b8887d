#pragma once
// The master-bus effects in the order they were enabled: equaliser bands and reverbs.
// The reverbs' memory is allocated once up front, so enabling an effect on the audio
// thread only flips a slot on.
//
// Changes never jump: commands edit a target layout, and the next process() crossfades
// from the sound of the running layout to the sound of the target over kFadeFrames. The
// new layout starts from the old one's filter and delay memory wherever an effect stays
// on, so a reverb tail rings on through a change instead of restarting from silence.
// Changes that arrive during a crossfade are gathered and heard at its end.
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
    /// Length of the crossfade between an old and a new effect setting (20 ms).
    static constexpr int kFadeFrames = kSampleRate / 50;

    EffectChain();
    /// Appends the slot to the chain (after every effect already on).
    void enable(int slot, EffectType type, int reverbIndex);
    /// Removes every effect.
    void disableAll();
    void setEq(int slot, const BiquadCoefficients& c);
    void setReverb(int slot, const ReverbDesign& d);
    /// Clears filter and delay memory without removing effects (after long silence).
    void clearMemory();
    /// True when no effect is on and nothing is fading: the bus passes unchanged.
    [[nodiscard]] bool empty() const { return m_live.count == 0 && !m_dirty && !m_fading; }
    /// Runs the chain over planar stereo in place.
    void process(float* left, float* right, int n);
    /// Bytes of effect state, for the memory budget.
    [[nodiscard]] std::size_t memoryBytes() const;

  private:
    struct SlotSetting {
        EffectType type = EffectType::ParamEq;
        bool on = false;
        int reverbIndex = -1;
        BiquadCoefficients eq;
        ReverbDesign reverb;
    };
    /// What is enabled, in which order, with which values (no audio memory).
    struct Layout {
        std::array<SlotSetting, kMaxEffects> slots{};
        std::array<int, kMaxEffects> order{};
        int count = 0;
        [[nodiscard]] int reverbsOn() const;
    };
    static constexpr int kChunk = 256;

    /// Moves the running effects to the target layout, keeping the old sound in m_old.
    void beginChange();
    /// Puts the target layout on the live effects without a crossfade.
    void adoptTarget();
    static void runChain(const Layout& layout, ParametricEqBand* bands, Reverb* const* reverbs,
                         float* left, float* right, int n);
    /// The live layout during a crossfade: effects that start from silence fade in.
    void runLiveFading(float* left, float* right, int n);
    /// Weight of the new sound at frame i of the current step, rising to 1 over the fade.
    [[nodiscard]] float fadeGain(int i) const {
        const float g = float(m_fadePos + i + 1) / float(kFadeFrames);
        return g < 1.0f ? g : 1.0f;
    }
    void processFading(float* left, float* right, int n);

    Layout m_target; ///< edited by commands
    Layout m_live;   ///< what the live effects below are set to
    Layout m_old;    ///< what is fading out
    bool m_dirty = false;
    bool m_fading = false;
    int m_fadePos = 0;
    std::array<ParametricEqBand, kMaxEffects> m_eq{};
    std::array<ParametricEqBand, kMaxEffects> m_oldEq{};
    /// Effects of the live layout that started from silence at the last change.
    std::array<bool, kMaxEffects> m_fresh{};
    std::array<std::unique_ptr<Reverb>, kMaxReverbs> m_reverbs;
    /// The old layout's reverb while it fades out (only one reverb is ever crossfaded).
    std::unique_ptr<Reverb> m_oldReverb;
    alignas(64) std::array<float, kChunk> m_oldL{};
    alignas(64) std::array<float, kChunk> m_oldR{};
    alignas(64) std::array<float, kChunk> m_rampL{};
    alignas(64) std::array<float, kChunk> m_rampR{};
};

} // namespace velmora::audio
