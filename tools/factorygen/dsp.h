#pragma once
// Signal-processing building blocks of the factory generator: a seeded random source,
// filters, noise colours, smooth curves. Everything is deterministic: the same seed gives
// the same samples on every machine, so the factory library is bit-identical per build.
//
// Threads: every object here belongs to the one worker thread that renders one sound.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <numbers>
#include <utility>
#include <vector>

namespace velmora::factory {

inline constexpr int kRate = 44100;
inline constexpr float kTwoPi = 2.0f * std::numbers::pi_v<float>;
inline constexpr double kTwoPiD = 2.0 * std::numbers::pi;

using Buffer = std::vector<float>;

/// Seconds -> frames at 44 100 Hz.
inline int frames(double seconds) {
    return static_cast<int>(std::lround(seconds * kRate));
}

inline float dbToGain(float db) {
    return std::pow(10.0f, db / 20.0f);
}

/// xoshiro256** seeded through splitmix64: fast, good statistics, identical everywhere.
/// A frozen copy of the same algorithm as the program's SeededRandom, kept here on purpose:
/// every factory sound and picture is a function of this stream, so the shipped bytes must
/// never move when the program's generator is changed, tuned or reseeded differently.
/// Change this class only together with a deliberate new factory library.
class Rng {
  public:
    explicit Rng(std::uint64_t seed);
    std::uint64_t next();
    /// Uniform in [0, 1).
    double uniform() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
    /// Uniform in [lo, hi).
    float range(float lo, float hi) { return lo + static_cast<float>(uniform()) * (hi - lo); }
    /// Uniform integer in [0, n).
    int below(int n) { return static_cast<int>(uniform() * n); }
    bool chance(double p) { return uniform() < p; }
    /// Standard normal (Box-Muller; the second value is dropped for simplicity).
    float gauss();
    /// White noise in [-1, 1).
    float white() { return static_cast<float>(uniform() * 2.0 - 1.0); }
    /// Log-uniform in [lo, hi): natural for frequencies and durations.
    float logRange(float lo, float hi) {
        return lo * std::pow(hi / lo, static_cast<float>(uniform()));
    }
    /// A child generator for an independent stream (events, layers).
    Rng fork() { return Rng(next()); }

  private:
    std::uint64_t m_s[4];
};

/// Transposed direct-form II biquad with the usual audio cookbook designs.
class Biquad {
  public:
    static Biquad lowpass(float hz, float q = 0.7071f);
    static Biquad highpass(float hz, float q = 0.7071f);
    /// Band-pass with 0 dB at the centre.
    static Biquad bandpass(float hz, float q);
    static Biquad peaking(float hz, float q, float gainDb);
    static Biquad lowShelf(float hz, float gainDb);
    static Biquad highShelf(float hz, float gainDb);
    /// Normalised coefficients (a0 = 1).
    static Biquad fromCoefficients(double b0, double b1, double b2, double a1, double a2) {
        Biquad f;
        f.m_b0 = static_cast<float>(b0);
        f.m_b1 = static_cast<float>(b1);
        f.m_b2 = static_cast<float>(b2);
        f.m_a1 = static_cast<float>(a1);
        f.m_a2 = static_cast<float>(a2);
        return f;
    }

    float process(float x) {
        const float y = m_b0 * x + m_z1;
        m_z1 = m_b1 * x - m_a1 * y + m_z2;
        m_z2 = m_b2 * x - m_a2 * y;
        return y;
    }
    void processInPlace(Buffer& b) {
        for (float& x : b)
            x = process(x);
    }

  private:
    float m_b0 = 1, m_b1 = 0, m_b2 = 0, m_a1 = 0, m_a2 = 0, m_z1 = 0, m_z2 = 0;
};

/// Trapezoidal state-variable filter: stable under fast modulation, so the cut-off may
/// change every sample (wind, sweeps, formant glides).
class Svf {
  public:
    void set(float hz, float q) {
        hz = std::clamp(hz, 10.0f, 0.45f * kRate);
        m_g = std::tan(std::numbers::pi_v<float> * hz / kRate);
        m_k = 1.0f / std::max(q, 0.05f);
        m_a1 = 1.0f / (1.0f + m_g * (m_g + m_k));
    }
    /// One step; low, band and high outputs are read afterwards.
    void tick(float x) {
        const float v3 = x - m_ic2;
        const float v1 = m_a1 * m_ic1 + m_g * m_a1 * v3;
        const float v2 = m_ic2 + m_g * v1;
        m_ic1 = 2 * v1 - m_ic1;
        m_ic2 = 2 * v2 - m_ic2;
        m_low = v2;
        m_band = v1;
        m_high = x - m_k * v1 - v2;
    }
    float low() const { return m_low; }
    /// Band output scaled to 0 dB at the centre.
    float band() const { return m_band * m_k; }
    float high() const { return m_high; }

  private:
    float m_g = 0.1f, m_k = 1.4f, m_a1 = 1, m_ic1 = 0, m_ic2 = 0;
    float m_low = 0, m_band = 0, m_high = 0;
};

/// One-pole smoother / low-pass.
class OnePole {
  public:
    explicit OnePole(float hz = 1000.0f) { setHz(hz); }
    void setHz(float hz) { m_a = 1.0f - std::exp(-kTwoPi * hz / kRate); }
    float process(float x) { return m_y += m_a * (x - m_y); }
    float value() const { return m_y; }
    void reset(float v) { m_y = v; }

  private:
    float m_a = 0.1f, m_y = 0.0f;
};

/// Pink noise (-3 dB/octave) from white, by a sum of one-pole sections.
class PinkNoise {
  public:
    float next(Rng& rng);

  private:
    float m_b[7] = {};
};

/// Brown (red) noise, -6 dB/octave, with a leak so it never wanders off.
class BrownNoise {
  public:
    float next(Rng& rng) {
        m_y = 0.997f * m_y + 0.06f * rng.white();
        return m_y;
    }

  private:
    float m_y = 0.0f;
};

/// A curve through (x, y) points with cosine easing between them; x ascending.
class Curve {
  public:
    Curve() = default;
    Curve(std::initializer_list<std::pair<float, float>> pts) : m_pts(pts) {}
    void add(float x, float y) { m_pts.emplace_back(x, y); }
    float at(float x) const;
    bool empty() const { return m_pts.empty(); }

  private:
    std::vector<std::pair<float, float>> m_pts;
};

/// Attack-then-exponential-decay envelope value at t seconds (peak 1 at t = attack).
inline float attackDecay(float t, float attack, float decay) {
    if (t < 0) return 0.0f;
    if (t < attack) return std::sin(0.5f * std::numbers::pi_v<float> * t / attack);
    return std::exp(-(t - attack) / decay);
}

/// Raised-cosine window 0..1..0 over [0, 1].
inline float hann(float x) {
    if (x <= 0 || x >= 1) return 0.0f;
    return 0.5f - 0.5f * std::cos(kTwoPi * x);
}

/// Adds src into dst at offset (frames), scaled; samples past the end are dropped.
void mixInto(Buffer& dst, const Buffer& src, long offset, float gain = 1.0f);

/// Peak absolute sample.
float peakOf(const Buffer& b);

/// Scales so the peak is `peak` (nothing for silence).
void normalisePeak(Buffer& b, float peak);

/// A damped sine grain: the impulse response of one resonant mode. Frequency may glide by
/// `glide` (ratio at the end of the decay) like a water bubble.
Buffer dampedSine(float hz, float decaySeconds, float glide = 1.0f, float phase = 0.0f);

/// A short burst of band-passed noise with a sharp attack: clicks, ticks, crackles.
Buffer noiseClick(Rng& rng, float centreHz, float q, float decaySeconds);

} // namespace velmora::factory
