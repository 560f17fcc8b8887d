#pragma once
// One band of the master-bus equaliser: a peaking biquad (constant-Q, the gain is exact at
// the centre frequency) applied to both channels.
//
// Thread: coefficients are designed on the UI thread; process() runs on the audio thread.

namespace velmora::audio {

struct BiquadCoefficients {
    float b0 = 1.0f, b1 = 0.0f, b2 = 0.0f, a1 = 0.0f, a2 = 0.0f;
    /// True when the filter passes audio unchanged (a band at 0 dB).
    [[nodiscard]] bool isIdentity() const { return b0 == 1.0f && b1 == a1 && b2 == a2; }
};

/// Peaking band. centreHz is clamped to 20..20000 (below Nyquist), bandwidth to 1..36
/// semitones and gain to -15..+15 dB, the ranges the equaliser offers; non-finite values
/// give a flat band.
[[nodiscard]] BiquadCoefficients designPeakingEq(float centreHz, float bandwidthSemitones,
                                                 float gainDb, double sampleRate);

class ParametricEqBand {
  public:
    void setCoefficients(const BiquadCoefficients& c) { m_c = c; }
    /// Clears the filter memory (used when the band is removed and later reused).
    void reset();
    /// Filters two planar channels in place; n frames.
    void process(float* left, float* right, int n);

  private:
    friend class EqCascade;
    BiquadCoefficients m_c;
    float m_z1[2] = {0, 0};
    float m_z2[2] = {0, 0};
};

/// Runs consecutive bands as one cascade. A plain cascade is one long serial dependency
/// per sample; here band k works on sample t - k while band 0 works on sample t, so all
/// bands of both channels advance together in vector lanes. The result is the same as
/// running the bands one after another (no extra latency: the pipeline fills and drains
/// within each call).
class EqCascade {
  public:
    static constexpr int kMaxBands = 16;
    /// bands: count (<= kMaxBands) bands in processing order; planar stereo in place.
    static void process(ParametricEqBand* const* bands, int count, float* left, float* right,
                        int n);
};

} // namespace velmora::audio
