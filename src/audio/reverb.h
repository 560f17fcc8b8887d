#pragma once
// The master-bus room reverb, driven by the twelve environmental-reverb values: a
// pre-delay line with early-reflection taps, a chain of allpass diffusers and an
// eight-line feedback delay network whose per-line filters set the decay time at low
// frequencies and at the HF reference.
//
// Thread: designReverb() runs on the UI thread (it does the maths); Reverb::process()
// runs on the audio thread and only reads the design it was handed. All memory is
// allocated in the constructor.

#include "audio/sound_engine.h"

#include <array>
#include <vector>

namespace velmora::audio {

inline constexpr int kReverbLines = 8;
inline constexpr int kReverbDiffusers = 4;

/// Everything the audio thread needs, precomputed from ReverbParams.
struct ReverbDesign {
    float inputB0 = 1.0f, inputA1 = 0.0f; ///< room-HF one-pole low-pass on the reverb input
    float earlyGain = 0.0f;               ///< linear gain of the early reflections
    float lateGain = 0.0f;                ///< linear gain of the late reverb
    int earlyDelay = 0;                   ///< frames from the dry sound to the first reflection
    int lateDelay = 0;                    ///< frames from the dry sound to the late reverb
    float diffusion = 0.0f;               ///< allpass coefficient, 0 (none) .. 0.75
    std::array<int, kReverbLines> lineLength{};
    /// Per-line absorbing filter y = b0 x + b1 x' - a1 y' (loop gain and HF damping).
    std::array<float, kReverbLines> lineB0{}, lineB1{}, lineA1{};
};

/// Clamps every value to its valid range and derives the filter and delay values.
/// Room roll-off is applied for a listener at twice the reference distance.
[[nodiscard]] ReverbDesign designReverb(const ReverbParams& params, double sampleRate);

class Reverb {
  public:
    Reverb();
    void setDesign(const ReverbDesign& design) { m_d = design; }
    /// Clears every delay line and filter memory.
    void reset();
    /// Takes over other's sound in flight (delay lines, filters, design) without
    /// allocating, so a copy can ring on with one design while this one changes.
    void copyStateFrom(const Reverb& other);
    /// Adds the reverb to two planar channels in place (the dry signal passes unchanged).
    void process(float* left, float* right, int n);
    /// Bytes of delay memory, for the memory budget.
    [[nodiscard]] std::size_t memoryBytes() const;

  private:
    static constexpr int kPreSize = 1 << 15;  // > 0.3 s + 0.1 s + tap spread at 44.1 kHz
    static constexpr int kLineSize = 1 << 12; // > longest line at full density
    static constexpr int kDiffuserSize = 1 << 9;
    /// Frames per processing step: no longer than the shortest line, so a whole step of
    /// line outputs is known before any of the step's inputs are written.
    static constexpr int kChunk = 256;

    void processChunk(float* left, float* right, int n);

    ReverbDesign m_d;
    std::vector<float> m_pre;
    std::vector<float> m_lines; // kReverbLines rows of kLineSize
    std::vector<float> m_diffusers;
    std::array<float, kReverbLines> m_prevIn{}, m_prevOut{};
    // Per-step scratch (kept here so processing never allocates).
    alignas(64) std::array<float, kChunk> m_input{};
    alignas(64) std::array<float, kChunk> m_earlyL{}, m_earlyR{};
    alignas(64) std::array<float, kChunk> m_late{};
    alignas(64) std::array<float, kChunk> m_work{};
    alignas(64) std::array<float, kChunk * kReverbLines> m_lineOut{}; // [frame][line]
    alignas(64) std::array<float, kChunk * kReverbLines> m_lineIn{};  // [frame][line]
    float m_inputState = 0.0f;
    unsigned m_preWrite = 0;
    unsigned m_lineWrite = 0;
    unsigned m_diffuserWrite = 0;
};

} // namespace velmora::audio
