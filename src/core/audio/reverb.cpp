#include "core/audio/reverb.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace velmora::audio {
namespace {

// Delay-line lengths at full density (frames): mutually prime, 32..63 ms, so the modes of
// the lines interleave instead of piling up.
constexpr std::array<int, kReverbLines> kBaseLengths = {1433, 1601, 1867, 2053, 2251, 2399, 2617, 2797};
constexpr std::array<int, kReverbDiffusers> kDiffuserLengths = {113, 163, 241, 337};

// Early reflections: offsets after the first reflection (ms) and relative levels, a
// different pattern per ear so the room is wide.
constexpr int kTaps = 6;
constexpr std::array<float, kTaps> kTapMsLeft = {0.0f, 4.3f, 9.7f, 14.1f, 19.9f, 27.1f};
constexpr std::array<float, kTaps> kTapMsRight = {1.9f, 6.1f, 11.3f, 17.3f, 23.3f, 29.9f};
constexpr std::array<float, kTaps> kTapGains = {0.54f, 0.46f, 0.40f, 0.34f, 0.29f, 0.25f};

// Signs of each line in the two output mixes and the injection: orthogonal patterns keep
// left and right decorrelated.
constexpr std::array<float, kReverbLines> kOutLeft = {1, -1, 1, -1, 1, -1, 1, -1};
constexpr std::array<float, kReverbLines> kOutRight = {1, 1, -1, -1, 1, 1, -1, -1};

double millibelsToGain(double mB)
{
    return mB <= -10000.0 ? 0.0 : std::pow(10.0, mB / 2000.0);
}

float clampOr(float value, float lo, float hi, float fallback)
{
    return std::isfinite(value) ? std::clamp(value, lo, hi) : fallback;
}

// One-pole low-pass with unity DC gain whose gain at w is ratio (<= 1). Returns the pole.
double lowpassPoleForRatio(double ratio, double w)
{
    const double r2 = ratio * ratio;
    if (r2 >= 1.0)
        return 0.0;
    const double b = 1.0 - r2 * std::cos(w);
    const double disc = std::max(0.0, b * b - (1.0 - r2) * (1.0 - r2));
    return (b - std::sqrt(disc)) / (1.0 - r2);
}

} // namespace

ReverbDesign designReverb(const ReverbParams& p, double rate)
{
    const ReverbParams defaults;
    const double room = millibelsToGain(std::clamp(p.room, -10000, 0));
    const double roomHF = millibelsToGain(std::clamp(p.roomHF, -10000, 0));
    const double rolloff = clampOr(p.roomRolloffFactor, 0.0f, 10.0f, 0.0f);
    const double decay = clampOr(p.decayTime, 0.1f, 20.0f, defaults.decayTime);
    const double hfRatio = clampOr(p.decayHFRatio, 0.1f, 2.0f, defaults.decayHFRatio);
    const double reflections = millibelsToGain(std::clamp(p.reflections, -10000, 1000));
    const double reflectionsDelay = clampOr(p.reflectionsDelay, 0.0f, 0.3f, defaults.reflectionsDelay);
    const double reverb = millibelsToGain(std::clamp(p.reverb, -10000, 2000));
    const double reverbDelay = clampOr(p.reverbDelay, 0.0f, 0.1f, defaults.reverbDelay);
    const double diffusion = clampOr(p.diffusion, 0.0f, 100.0f, 100.0f) / 100.0;
    const double density = clampOr(p.density, 0.0f, 100.0f, 100.0f) / 100.0;
    const double hfReference = clampOr(p.hfReference, 20.0f, 20000.0f, 5000.0f);

    ReverbDesign d;
    const double wRef = 2.0 * std::numbers::pi * std::min(hfReference, rate * 0.49) / rate;
    const double inPole = lowpassPoleForRatio(roomHF, wRef);
    d.inputB0 = static_cast<float>(1.0 - inPole);
    d.inputA1 = static_cast<float>(-inPole);

    // The listener sits at twice the reference distance, so roll-off 1 halves the room.
    const double distanceGain = 1.0 / (1.0 + rolloff);
    d.earlyGain = static_cast<float>(room * reflections * distanceGain);
    d.lateGain = static_cast<float>(room * reverb * distanceGain / std::sqrt(double(kReverbLines)));
    d.earlyDelay = static_cast<int>(std::lround(reflectionsDelay * rate));
    d.lateDelay = d.earlyDelay + static_cast<int>(std::lround(reverbDelay * rate));
    d.diffusion = static_cast<float>(0.75 * diffusion);

    // Low density shortens the lines: fewer modes per hertz, a grainier, more metallic tail.
    const double lengthScale = 0.35 + 0.65 * density;
    for (int i = 0; i < kReverbLines; ++i) {
        const int len = std::max(64, static_cast<int>(std::lround(kBaseLengths[i] * lengthScale)));
        d.lineLength[i] = len;
        // Loop gains that make every line lose 60 dB in the decay time (at the HF
        // reference: decay time x HF ratio).
        const double gLow = std::pow(10.0, -3.0 * len / (decay * rate));
        const double gHigh = std::pow(10.0, -3.0 * len / (decay * hfRatio * rate));
        if (gHigh <= gLow) {
            const double c = lowpassPoleForRatio(gHigh / gLow, wRef);
            d.lineB0[i] = static_cast<float>(gLow * (1.0 - c));
            d.lineB1[i] = 0.0f;
            d.lineA1[i] = static_cast<float>(-c);
        } else {
            // Highs outlast lows: a first-order shelf rising from gLow to gHigh around the
            // HF reference, never above gHigh (< 1), so the loop stays stable.
            const double pole = std::exp(-wRef);
            d.lineB0[i] = static_cast<float>(gHigh + (gLow - gHigh) * (1.0 - pole));
            d.lineB1[i] = static_cast<float>(-gHigh * pole);
            d.lineA1[i] = static_cast<float>(-pole);
        }
    }
    return d;
}

Reverb::Reverb()
    : m_pre(kPreSize, 0.0f)
    , m_lines(static_cast<std::size_t>(kReverbLines) * kLineSize, 0.0f)
    , m_diffusers(static_cast<std::size_t>(kReverbDiffusers) * kDiffuserSize, 0.0f)
{
}

void Reverb::reset()
{
    std::fill(m_pre.begin(), m_pre.end(), 0.0f);
    std::fill(m_lines.begin(), m_lines.end(), 0.0f);
    std::fill(m_diffusers.begin(), m_diffusers.end(), 0.0f);
    m_prevIn.fill(0.0f);
    m_prevOut.fill(0.0f);
    m_inputState = 0.0f;
}

std::size_t Reverb::memoryBytes() const
{
    return (m_pre.size() + m_lines.size() + m_diffusers.size()) * sizeof(float) + sizeof(*this);
}

void Reverb::process(float* left, float* right, int n)
{
    constexpr unsigned preMask = kPreSize - 1;
    constexpr unsigned lineMask = kLineSize - 1;
    constexpr unsigned diffMask = kDiffuserSize - 1;
    constexpr float kInvSqrtLines = 0.35355339f; // orthonormal 8-point Hadamard mix

    std::array<unsigned, kTaps> tapL{}, tapR{};
    for (int t = 0; t < kTaps; ++t) {
        tapL[t] = static_cast<unsigned>(m_d.earlyDelay + std::lround(kTapMsLeft[t] * 44.1f));
        tapR[t] = static_cast<unsigned>(m_d.earlyDelay + std::lround(kTapMsRight[t] * 44.1f));
    }
    const unsigned lateDelay = static_cast<unsigned>(m_d.lateDelay);
    const float g = m_d.diffusion;
    float* pre = m_pre.data();
    float* lines = m_lines.data();
    float* diff = m_diffusers.data();

    for (int i = 0; i < n; ++i) {
        const float x = 0.5f * (left[i] + right[i]);
        m_inputState = m_d.inputB0 * x - m_d.inputA1 * m_inputState;
        pre[m_preWrite & preMask] = m_inputState;

        float earlyL = 0.0f, earlyR = 0.0f;
        for (int t = 0; t < kTaps; ++t) {
            earlyL += kTapGains[t] * pre[(m_preWrite - tapL[t]) & preMask];
            earlyR += kTapGains[t] * pre[(m_preWrite - tapR[t]) & preMask];
        }

        // Allpass diffusers smear the late input into a dense wash; at zero diffusion they
        // are plain delays and the tail keeps its discrete echoes.
        float in = pre[(m_preWrite - lateDelay) & preMask];
        for (int k = 0; k < kReverbDiffusers; ++k) {
            float* buf = diff + k * kDiffuserSize;
            const float delayed = buf[(m_diffuserWrite - kDiffuserLengths[k]) & diffMask];
            const float w = in + g * delayed;
            buf[m_diffuserWrite & diffMask] = w;
            in = delayed - g * w;
        }

        std::array<float, kReverbLines> out{}, f{};
        for (int j = 0; j < kReverbLines; ++j) {
            out[j] = lines[j * kLineSize + ((m_lineWrite - m_d.lineLength[j]) & lineMask)];
            f[j] = m_d.lineB0[j] * out[j] + m_d.lineB1[j] * m_prevIn[j] - m_d.lineA1[j] * m_prevOut[j];
            m_prevIn[j] = out[j];
            m_prevOut[j] = f[j];
        }
        // Fast Walsh-Hadamard transform: lossless mixing of every line into every other.
        for (int span = 1; span < kReverbLines; span <<= 1)
            for (int j = 0; j < kReverbLines; j += span << 1)
                for (int k = j; k < j + span; ++k) {
                    const float a = f[k], b = f[k + span];
                    f[k] = a + b;
                    f[k + span] = a - b;
                }
        // The diffused input itself opens the late field, so it starts at the reverb delay
        // and not one line length later.
        float lateL = in, lateR = in;
        for (int j = 0; j < kReverbLines; ++j) {
            lines[j * kLineSize + (m_lineWrite & lineMask)] = f[j] * kInvSqrtLines + in;
            lateL += kOutLeft[j] * out[j];
            lateR += kOutRight[j] * out[j];
        }
        left[i] += m_d.earlyGain * earlyL + m_d.lateGain * lateL;
        right[i] += m_d.earlyGain * earlyR + m_d.lateGain * lateR;
        ++m_preWrite;
        ++m_lineWrite;
        ++m_diffuserWrite;
    }
}

} // namespace velmora::audio
