#include "audio/parametric_eq.h"

#include "audio/simd4.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace velmora::audio {

BiquadCoefficients designPeakingEq(float centreHz, float bandwidthSemitones, float gainDb,
                                   double sampleRate) {
    if (!std::isfinite(centreHz) || !std::isfinite(bandwidthSemitones) || !std::isfinite(gainDb))
        return {};
    const double nyquistGuard = sampleRate * 0.49;
    const double f0 =
        std::clamp(static_cast<double>(centreHz), 20.0, std::min(20000.0, nyquistGuard));
    const double octaves = std::clamp(static_cast<double>(bandwidthSemitones), 1.0, 36.0) / 12.0;
    const double gain = std::clamp(static_cast<double>(gainDb), -15.0, 15.0);
    if (gain == 0.0) return {};
    const double a = std::pow(10.0, gain / 40.0);
    const double w0 = 2.0 * std::numbers::pi * f0 / sampleRate;
    const double sinW = std::sin(w0);
    const double cosW = std::cos(w0);
    // Bandwidth between the digital band edges, corrected for the bilinear warp.
    const double alpha = sinW * std::sinh(std::numbers::ln2 / 2.0 * octaves * w0 / sinW);
    const double a0 = 1.0 + alpha / a;
    BiquadCoefficients c;
    c.b0 = static_cast<float>((1.0 + alpha * a) / a0);
    c.b1 = static_cast<float>(-2.0 * cosW / a0);
    c.b2 = static_cast<float>((1.0 - alpha * a) / a0);
    c.a1 = c.b1;
    c.a2 = static_cast<float>((1.0 - alpha / a) / a0);
    return c;
}

void ParametricEqBand::reset() {
    m_z1[0] = m_z1[1] = m_z2[0] = m_z2[1] = 0.0f;
}

void ParametricEqBand::process(float* left, float* right, int n) {
    if (m_c.isIdentity()) return;
    const float b0 = m_c.b0, b1 = m_c.b1, b2 = m_c.b2, a1 = m_c.a1, a2 = m_c.a2;
    // Transposed direct form II; the two channels are independent chains the CPU overlaps.
    float z1l = m_z1[0], z2l = m_z2[0], z1r = m_z1[1], z2r = m_z2[1];
    for (int i = 0; i < n; ++i) {
        const float xl = left[i];
        const float xr = right[i];
        const float yl = b0 * xl + z1l;
        const float yr = b0 * xr + z1r;
        z1l = b1 * xl - a1 * yl + z2l;
        z1r = b1 * xr - a1 * yr + z2r;
        z2l = b2 * xl - a2 * yl;
        z2r = b2 * xr - a2 * yr;
        left[i] = yl;
        right[i] = yr;
    }
    m_z1[0] = z1l;
    m_z1[1] = z1r;
    m_z2[0] = z2l;
    m_z2[1] = z2r;
}

namespace {

// Lane layout: band k's left channel in lane 2k, its right channel in lane 2k + 1.
template <int Lanes> struct alignas(64) CascadeLanes {
    float b0[Lanes], b1[Lanes], b2[Lanes], a1[Lanes], a2[Lanes], z1[Lanes], z2[Lanes];
    float in[Lanes + 2]; // in[2k..2k+1]: band k's input this step (band k-1's last output)
    float out[Lanes];
};

template <int Lanes>
void maskedStep(CascadeLanes<Lanes>& c, int count, float* left, float* right, int n, int t) {
    c.in[0] = t < n ? left[t] : 0.0f;
    c.in[1] = t < n ? right[t] : 0.0f;
    for (int k = 0; k < 2 * count; ++k) {
        const int sample = t - k / 2;
        if (sample < 0 || sample >= n) continue;
        const float x = c.in[k];
        const float y = c.b0[k] * x + c.z1[k];
        c.z1[k] = c.b1[k] * x - c.a1[k] * y + c.z2[k];
        c.z2[k] = c.b2[k] * x - c.a2[k] * y;
        c.out[k] = y;
    }
    for (int k = 0; k < Lanes; ++k)
        c.in[k + 2] = c.out[k];
    const int last = count - 1;
    if (t - last >= 0 && t - last < n) {
        left[t - last] = c.out[2 * last];
        right[t - last] = c.out[2 * last + 1];
    }
}

// Steps [from, to): the same arithmetic as maskedStep with every lane active, on V
// vectors of four lanes; band k's input is band k-1's output of the previous step.
template <int V, int Lanes>
void fullSteps(CascadeLanes<Lanes>& c, float* left, float* right, int from, int to, int last) {
    using simd::F4;
    F4 b0[V], b1[V], b2[V], a1[V], a2[V], z1[V], z2[V], out[V];
    for (int v = 0; v < V; ++v) {
        b0[v] = simd::load(c.b0 + 4 * v);
        b1[v] = simd::load(c.b1 + 4 * v);
        b2[v] = simd::load(c.b2 + 4 * v);
        a1[v] = simd::load(c.a1 + 4 * v);
        a2[v] = simd::load(c.a2 + 4 * v);
        z1[v] = simd::load(c.z1 + 4 * v);
        z2[v] = simd::load(c.z2 + 4 * v);
        out[v] = simd::load(c.in + 2 + 4 * v); // last step's outputs
    }
    const int outVector = (2 * last) / 4;
    const int outLane = (2 * last) % 4;
    for (int t = from; t < to; ++t) {
        F4 in[V];
        in[0] = F4{left[t], right[t], out[0][0], out[0][1]};
        for (int v = 1; v < V; ++v)
            in[v] = simd::joinHalves(out[v - 1], out[v]);
        for (int v = 0; v < V; ++v) {
            const F4 y = b0[v] * in[v] + z1[v];
            z1[v] = b1[v] * in[v] - a1[v] * y + z2[v];
            z2[v] = b2[v] * in[v] - a2[v] * y;
            out[v] = y;
        }
        left[t - last] = out[outVector][outLane];
        right[t - last] = out[outVector][outLane + 1];
    }
    for (int v = 0; v < V; ++v) {
        simd::store(c.z1 + 4 * v, z1[v]);
        simd::store(c.z2 + 4 * v, z2[v]);
        simd::store(c.out + 4 * v, out[v]);
        simd::store(c.in + 2 + 4 * v, out[v]);
    }
}

template <int Lanes>
void runCascade(ParametricEqBand* const* bands, int count, float* left, float* right, int n,
                CascadeLanes<Lanes>& c, const BiquadCoefficients* coeffs, float* z1s, float* z2s) {
    for (int k = 0; k < Lanes; ++k) {
        const int band = k / 2;
        const BiquadCoefficients& q = band < count ? coeffs[band] : BiquadCoefficients{};
        c.b0[k] = q.b0;
        c.b1[k] = q.b1;
        c.b2[k] = q.b2;
        c.a1[k] = q.a1;
        c.a2[k] = q.a2;
        c.z1[k] = band < count ? z1s[k] : 0.0f;
        c.z2[k] = band < count ? z2s[k] : 0.0f;
        c.in[k + 2] = 0.0f;
        c.out[k] = 0.0f;
    }
    (void)bands;
    const int last = count - 1;
    // Filling: band k joins at step k.
    const int fillEnd = std::min(last, n + last);
    for (int t = 0; t < fillEnd; ++t)
        maskedStep(c, count, left, right, n, t);
    // Every band has a sample: straight-line vector work, lanes shifted in registers.
    if (n > last) fullSteps<Lanes / 4>(c, left, right, last, n, last);
    // Draining: band k leaves after its last sample.
    for (int t = std::max(n, last); t < n + last; ++t)
        maskedStep(c, count, left, right, n, t);
    for (int k = 0; k < 2 * count; ++k) {
        z1s[k] = c.z1[k];
        z2s[k] = c.z2[k];
    }
}

template <int Lanes>
void cascadeWith(ParametricEqBand* const* bands, int count, float* left, float* right, int n,
                 const BiquadCoefficients* coeffs, float* z1s, float* z2s) {
    CascadeLanes<Lanes> lanes;
    runCascade<Lanes>(bands, count, left, right, n, lanes, coeffs, z1s, z2s);
}

} // namespace

void EqCascade::process(ParametricEqBand* const* bands, int count, float* left, float* right,
                        int n) {
    if (count <= 0 || n <= 0) return;
    if (count == 1) {
        bands[0]->process(left, right, n);
        return;
    }
    BiquadCoefficients coeffs[kMaxBands];
    float z1s[2 * kMaxBands], z2s[2 * kMaxBands];
    for (int b = 0; b < count; ++b) {
        coeffs[b] = bands[b]->m_c;
        z1s[2 * b] = bands[b]->m_z1[0];
        z1s[2 * b + 1] = bands[b]->m_z1[1];
        z2s[2 * b] = bands[b]->m_z2[0];
        z2s[2 * b + 1] = bands[b]->m_z2[1];
    }
    switch ((2 * count + 3) / 4) {
    case 1:
        cascadeWith<4>(bands, count, left, right, n, coeffs, z1s, z2s);
        break;
    case 2:
        cascadeWith<8>(bands, count, left, right, n, coeffs, z1s, z2s);
        break;
    case 3:
        cascadeWith<12>(bands, count, left, right, n, coeffs, z1s, z2s);
        break;
    case 4:
        cascadeWith<16>(bands, count, left, right, n, coeffs, z1s, z2s);
        break;
    case 5:
        cascadeWith<20>(bands, count, left, right, n, coeffs, z1s, z2s);
        break;
    case 6:
        cascadeWith<24>(bands, count, left, right, n, coeffs, z1s, z2s);
        break;
    case 7:
        cascadeWith<28>(bands, count, left, right, n, coeffs, z1s, z2s);
        break;
    default:
        cascadeWith<32>(bands, count, left, right, n, coeffs, z1s, z2s);
        break;
    }
    for (int b = 0; b < count; ++b) {
        bands[b]->m_z1[0] = z1s[2 * b];
        bands[b]->m_z1[1] = z1s[2 * b + 1];
        bands[b]->m_z2[0] = z2s[2 * b];
        bands[b]->m_z2[1] = z2s[2 * b + 1];
    }
}

} // namespace velmora::audio
