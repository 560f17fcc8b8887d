#include "audio/limiter.h"

#include <algorithm>
#include <cmath>

namespace velmora::audio {

Limiter::Limiter() : m_releaseCoef(static_cast<float>(1.0 - std::exp(-1.0 / (0.15 * 44100.0)))) {
    reset();
}

void Limiter::reset() {
    m_delayL.fill(0.0f);
    m_delayR.fill(0.0f);
    m_runMins.fill(1.0f);
    m_partialMin = m_completeMin = 1.0f;
    m_runFill = m_runSlot = 0;
    m_mins.fill(1.0f);
    m_pos = 0;
    m_minSum = kLookahead;
    m_release = 1.0f;
    m_quietRun = 2 * kLookahead;
}

float Limiter::requiredGain(float l, float r) const {
    const float peak = std::max(std::fabs(l), std::fabs(r));
    return peak > kThreshold ? kThreshold / peak : 1.0f;
}

void Limiter::process(const float* left, const float* right, float* out, int n) {
    // Fast path: a quiet block after a quiet stretch only needs the delay.
    float peak = 0.0f;
    for (int i = 0; i < n; ++i)
        peak = std::max(peak, std::max(std::fabs(left[i]), std::fabs(right[i])));
    if (peak <= kThreshold && idle()) {
        for (int i = 0; i < n; ++i) {
            out[2 * i] = m_delayL[m_pos];
            out[2 * i + 1] = m_delayR[m_pos];
            m_delayL[m_pos] = left[i];
            m_delayR[m_pos] = right[i];
            m_pos = (m_pos + 1) % kLookahead;
        }
        m_quietRun += n;
        return;
    }

    if (n > static_cast<int>(m_need.size())) {
        // Longer calls are split so the per-frame gain table stays fixed-size.
        for (int at = 0; at < n; at += static_cast<int>(m_need.size())) {
            const int m = std::min(static_cast<int>(m_need.size()), n - at);
            process(left + at, right + at, out + 2 * at, m);
        }
        return;
    }
    // Required gains first, in a loop of its own that vectorises; the serial part below
    // then only tracks minima and the release.
    for (int i = 0; i < n; ++i)
        m_need[i] = requiredGain(left[i], right[i]);
    for (int i = 0; i < n; ++i) {
        const float need = m_need[i];
        // The oldest stored frame leaves now.
        const float outL = m_delayL[m_pos];
        const float outR = m_delayR[m_pos];
        m_delayL[m_pos] = left[i];
        m_delayR[m_pos] = right[i];

        // Minimum of the required gains over the look-ahead window (including the frame
        // leaving now), held and released slowly; averaging that over the window again
        // gives a ramp that has reached every peak's gain by the time the peak leaves.
        m_partialMin = std::min(m_partialMin, need);
        const float windowMin = std::min(m_partialMin, m_completeMin);
        if (++m_runFill == kRun) {
            m_runMins[m_runSlot] = m_partialMin;
            m_runSlot = (m_runSlot + 1) % static_cast<int>(m_runMins.size());
            m_completeMin = *std::min_element(m_runMins.begin(), m_runMins.end());
            m_partialMin = 1.0f;
            m_runFill = 0;
        }
        m_release = std::min(windowMin, m_release + (1.0f - m_release) * m_releaseCoef);
        if (m_release > 0.99999f) m_release = 1.0f;
        m_minSum += static_cast<double>(m_release) - m_mins[m_pos];
        m_mins[m_pos] = m_release;
        const float gain = std::min(1.0f, static_cast<float>(m_minSum / kLookahead));
        m_pos = (m_pos + 1) % kLookahead;

        out[2 * i] = outL * gain;
        out[2 * i + 1] = outR * gain;
        m_quietRun = (need >= 1.0f && m_release >= 1.0f) ? m_quietRun + 1 : 0;
    }
    // Keep the running sum exact once everything is back at unity.
    if (idle()) m_minSum = kLookahead;
}

} // namespace velmora::audio
