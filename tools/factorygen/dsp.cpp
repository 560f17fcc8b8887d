#include "dsp.h"

namespace velmora::factory {

namespace {
std::uint64_t splitmix(std::uint64_t& x) {
    std::uint64_t z = (x += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}
std::uint64_t rotl(std::uint64_t x, int k) {
    return (x << k) | (x >> (64 - k));
}

struct Coeffs {
    double b0, b1, b2, a0, a1, a2;
};
} // namespace

Rng::Rng(std::uint64_t seed) {
    for (auto& s : m_s)
        s = splitmix(seed);
}

std::uint64_t Rng::next() {
    const std::uint64_t result = rotl(m_s[1] * 5, 7) * 9;
    const std::uint64_t t = m_s[1] << 17;
    m_s[2] ^= m_s[0];
    m_s[3] ^= m_s[1];
    m_s[1] ^= m_s[2];
    m_s[0] ^= m_s[3];
    m_s[2] ^= t;
    m_s[3] = rotl(m_s[3], 45);
    return result;
}

float Rng::gauss() {
    const double u1 = std::max(uniform(), 1e-12);
    const double u2 = uniform();
    return static_cast<float>(std::sqrt(-2.0 * std::log(u1)) * std::cos(kTwoPiD * u2));
}

namespace {
Biquad make(const Coeffs& c) {
    return Biquad::fromCoefficients(c.b0 / c.a0, c.b1 / c.a0, c.b2 / c.a0, c.a1 / c.a0,
                                    c.a2 / c.a0);
}
} // namespace

// The cookbook formulas, computed in double so low cut-offs stay accurate.
#define VELMORA_BQ_PRE                                                                             \
    const double w = kTwoPiD * std::clamp(static_cast<double>(hz), 5.0, 0.45 * kRate) / kRate;     \
    const double cw = std::cos(w), sw = std::sin(w);

Biquad Biquad::lowpass(float hz, float q) {
    VELMORA_BQ_PRE
    const double alpha = sw / (2 * q);
    return make({(1 - cw) / 2, 1 - cw, (1 - cw) / 2, 1 + alpha, -2 * cw, 1 - alpha});
}

Biquad Biquad::highpass(float hz, float q) {
    VELMORA_BQ_PRE
    const double alpha = sw / (2 * q);
    return make({(1 + cw) / 2, -(1 + cw), (1 + cw) / 2, 1 + alpha, -2 * cw, 1 - alpha});
}

Biquad Biquad::bandpass(float hz, float q) {
    VELMORA_BQ_PRE
    const double alpha = sw / (2 * q);
    return make({alpha, 0, -alpha, 1 + alpha, -2 * cw, 1 - alpha});
}

Biquad Biquad::peaking(float hz, float q, float gainDb) {
    VELMORA_BQ_PRE
    const double a = std::pow(10.0, gainDb / 40.0);
    const double alpha = sw / (2 * q);
    return make({1 + alpha * a, -2 * cw, 1 - alpha * a, 1 + alpha / a, -2 * cw, 1 - alpha / a});
}

Biquad Biquad::lowShelf(float hz, float gainDb) {
    VELMORA_BQ_PRE
    const double a = std::pow(10.0, gainDb / 40.0);
    const double alpha = sw / 2 * std::sqrt(2.0);
    const double sa = 2 * std::sqrt(a) * alpha;
    return make({a * ((a + 1) - (a - 1) * cw + sa), 2 * a * ((a - 1) - (a + 1) * cw),
                 a * ((a + 1) - (a - 1) * cw - sa), (a + 1) + (a - 1) * cw + sa,
                 -2 * ((a - 1) + (a + 1) * cw), (a + 1) + (a - 1) * cw - sa});
}

Biquad Biquad::highShelf(float hz, float gainDb) {
    VELMORA_BQ_PRE
    const double a = std::pow(10.0, gainDb / 40.0);
    const double alpha = sw / 2 * std::sqrt(2.0);
    const double sa = 2 * std::sqrt(a) * alpha;
    return make({a * ((a + 1) + (a - 1) * cw + sa), -2 * a * ((a - 1) + (a + 1) * cw),
                 a * ((a + 1) + (a - 1) * cw - sa), (a + 1) - (a - 1) * cw + sa,
                 2 * ((a - 1) - (a + 1) * cw), (a + 1) - (a - 1) * cw - sa});
}
#undef VELMORA_BQ_PRE

float PinkNoise::next(Rng& rng) {
    const float w = rng.white();
    m_b[0] = 0.99886f * m_b[0] + w * 0.0555179f;
    m_b[1] = 0.99332f * m_b[1] + w * 0.0750759f;
    m_b[2] = 0.96900f * m_b[2] + w * 0.1538520f;
    m_b[3] = 0.86650f * m_b[3] + w * 0.3104856f;
    m_b[4] = 0.55000f * m_b[4] + w * 0.5329522f;
    m_b[5] = -0.7616f * m_b[5] - w * 0.0168980f;
    const float y = m_b[0] + m_b[1] + m_b[2] + m_b[3] + m_b[4] + m_b[5] + m_b[6] + w * 0.5362f;
    m_b[6] = w * 0.115926f;
    return y * 0.11f;
}

float Curve::at(float x) const {
    if (m_pts.empty()) return 0.0f;
    if (x <= m_pts.front().first) return m_pts.front().second;
    if (x >= m_pts.back().first) return m_pts.back().second;
    auto it = std::upper_bound(m_pts.begin(), m_pts.end(), x,
                               [](float v, const auto& p) { return v < p.first; });
    const auto& [x1, y1] = *it;
    const auto& [x0, y0] = *(it - 1);
    const float u = (x - x0) / std::max(x1 - x0, 1e-9f);
    const float e = 0.5f - 0.5f * std::cos(std::numbers::pi_v<float> * u);
    return y0 + (y1 - y0) * e;
}

void mixInto(Buffer& dst, const Buffer& src, long offset, float gain) {
    for (std::size_t i = 0; i < src.size(); ++i) {
        const long j = offset + static_cast<long>(i);
        if (j < 0) continue;
        if (j >= static_cast<long>(dst.size())) break;
        dst[static_cast<std::size_t>(j)] += gain * src[i];
    }
}

float peakOf(const Buffer& b) {
    float p = 0.0f;
    for (float x : b)
        p = std::max(p, std::fabs(x));
    return p;
}

void normalisePeak(Buffer& b, float peak) {
    const float p = peakOf(b);
    if (p <= 0) return;
    for (float& x : b)
        x *= peak / p;
}

Buffer dampedSine(float hz, float decaySeconds, float glide, float phase) {
    // Five time constants (-43 dB), then a short taper to exact silence.
    const double length = decaySeconds * 5.0;
    const int n = std::max(frames(length), 2);
    Buffer out(static_cast<std::size_t>(n));
    const double k = std::log(static_cast<double>(glide)) / length;
    // A rotating phasor, retuned every 32 samples for the glide: no sine per sample.
    double re = std::cos(phase), im = std::sin(phase);
    double amp = 1.0;
    const double ampStep = std::exp(-1.0 / (decaySeconds * kRate));
    const int rise = std::max(1, frames(0.001)); // a 1 ms rise keeps the start free of a step
    const int taper = std::min(n / 2, 64);
    for (int b = 0; b < n; b += 32) {
        const double w = kTwoPiD * hz * std::exp(k * b / kRate) / kRate;
        const double cr = std::cos(w), ci = std::sin(w);
        for (int i = b; i < std::min(n, b + 32); ++i) {
            double g = amp;
            if (i < rise) g *= static_cast<double>(i) / rise;
            if (i >= n - taper) g *= static_cast<double>(n - 1 - i) / taper;
            out[static_cast<std::size_t>(i)] = static_cast<float>(im * g);
            const double nr = re * cr - im * ci;
            im = re * ci + im * cr;
            re = nr;
            amp *= ampStep;
        }
    }
    return out;
}

Buffer noiseClick(Rng& rng, float centreHz, float q, float decaySeconds) {
    const int n = std::max(frames(decaySeconds * 6.0), 8);
    Buffer out(static_cast<std::size_t>(n));
    Biquad bp = Biquad::bandpass(centreHz, q);
    const float step = std::exp(-1.0f / (decaySeconds * kRate));
    float env = 1.0f;
    for (int i = 0; i < n; ++i) {
        out[static_cast<std::size_t>(i)] = bp.process(rng.white() * env);
        env *= step;
    }
    return out;
}

} // namespace velmora::factory
