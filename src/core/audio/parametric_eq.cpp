#include "core/audio/parametric_eq.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace velmora::audio {

BiquadCoefficients designPeakingEq(float centreHz, float bandwidthSemitones, float gainDb, double sampleRate)
{
    if (!std::isfinite(centreHz) || !std::isfinite(bandwidthSemitones) || !std::isfinite(gainDb))
        return {};
    const double nyquistGuard = sampleRate * 0.49;
    const double f0 = std::clamp(static_cast<double>(centreHz), 20.0, std::min(20000.0, nyquistGuard));
    const double octaves = std::clamp(static_cast<double>(bandwidthSemitones), 1.0, 36.0) / 12.0;
    const double gain = std::clamp(static_cast<double>(gainDb), -15.0, 15.0);
    if (gain == 0.0)
        return {};
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

void ParametricEqBand::reset()
{
    m_z1[0] = m_z1[1] = m_z2[0] = m_z2[1] = 0.0f;
}

void ParametricEqBand::process(float* left, float* right, int n)
{
    if (m_c.isIdentity())
        return;
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

} // namespace velmora::audio
