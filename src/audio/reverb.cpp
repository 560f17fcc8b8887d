#include "audio/reverb.h"

#include "audio/simd4.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace velmora::audio {
namespace {

// Delay-line lengths at full density (frames): mutually prime, 32..63 ms, so the modes of
// the lines interleave instead of piling up.
constexpr std::array<int, kReverbLines> kBaseLengths = {1433, 1601, 1867, 2053,
                                                        2251, 2399, 2617, 2797};
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

double millibelsToGain(double mB) {
    return mB <= -10000.0 ? 0.0 : std::pow(10.0, mB / 2000.0);
}

float clampOr(float value, float lo, float hi, float fallback) {
    return std::isfinite(value) ? std::clamp(value, lo, hi) : fallback;
}

// One-pole low-pass with unity DC gain whose gain at w is ratio (<= 1). Returns the pole.
double lowpassPoleForRatio(double ratio, double w) {
    const double r2 = ratio * ratio;
    if (r2 >= 1.0) return 0.0;
    const double b = 1.0 - r2 * std::cos(w);
    const double disc = std::max(0.0, b * b - (1.0 - r2) * (1.0 - r2));
    return (b - std::sqrt(disc)) / (1.0 - r2);
}

} // namespace

ReverbDesign designReverb(const ReverbParams& p, double rate) {
    const ReverbParams defaults;
    const double room = millibelsToGain(std::clamp(p.room, -10000, 0));
    const double roomHF = millibelsToGain(std::clamp(p.roomHF, -10000, 0));
    const double rolloff = clampOr(p.roomRolloffFactor, 0.0f, 10.0f, 0.0f);
    const double decay = clampOr(p.decayTime, 0.1f, 20.0f, defaults.decayTime);
    const double hfRatio = clampOr(p.decayHFRatio, 0.1f, 2.0f, defaults.decayHFRatio);
    const double reflections = millibelsToGain(std::clamp(p.reflections, -10000, 1000));
    const double reflectionsDelay =
        clampOr(p.reflectionsDelay, 0.0f, 0.3f, defaults.reflectionsDelay);
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
        const int len = std::max(256, static_cast<int>(std::lround(kBaseLengths[i] * lengthScale)));
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
    : m_pre(kPreSize, 0.0f), m_lines(static_cast<std::size_t>(kReverbLines) * kLineSize, 0.0f),
      m_diffusers(static_cast<std::size_t>(kReverbDiffusers) * kDiffuserSize, 0.0f) {}

void Reverb::reset() {
    std::fill(m_pre.begin(), m_pre.end(), 0.0f);
    std::fill(m_lines.begin(), m_lines.end(), 0.0f);
    std::fill(m_diffusers.begin(), m_diffusers.end(), 0.0f);
    m_prevIn.fill(0.0f);
    m_prevOut.fill(0.0f);
    m_inputState = 0.0f;
}

void Reverb::copyStateFrom(const Reverb& other) {
    std::copy(other.m_pre.begin(), other.m_pre.end(), m_pre.begin());
    std::copy(other.m_lines.begin(), other.m_lines.end(), m_lines.begin());
    std::copy(other.m_diffusers.begin(), other.m_diffusers.end(), m_diffusers.begin());
    m_d = other.m_d;
    m_prevIn = other.m_prevIn;
    m_prevOut = other.m_prevOut;
    m_inputState = other.m_inputState;
    m_preWrite = other.m_preWrite;
    m_lineWrite = other.m_lineWrite;
    m_diffuserWrite = other.m_diffuserWrite;
}

std::size_t Reverb::memoryBytes() const {
    return (m_pre.size() + m_lines.size() + m_diffusers.size()) * sizeof(float) + sizeof(*this);
}

namespace {

// Ring-buffer runs: the run [start, start + n) of a power-of-two ring, split where it wraps,
// so the loops over it are plain contiguous (vectorisable) loops.
template <class F> void forRun(unsigned start, int n, unsigned mask, F f) {
    const unsigned first = start & mask;
    const int head =
        static_cast<int>(std::min<unsigned>(static_cast<unsigned>(n), mask + 1 - first));
    f(first, 0, head);
    if (head < n) f(0u, head, n - head);
}

void addFromRing(float* dst, const float* ring, unsigned mask, unsigned start, int n, float gain) {
    forRun(start, n, mask, [&](unsigned at, int offset, int count) {
        for (int i = 0; i < count; ++i)
            dst[offset + i] += gain * ring[at + i];
    });
}

void copyFromRing(float* dst, const float* ring, unsigned mask, unsigned start, int n) {
    forRun(start, n, mask, [&](unsigned at, int offset, int count) {
        std::copy_n(ring + at, count, dst + offset);
    });
}

void copyToRing(float* ring, unsigned mask, unsigned start, const float* src, int n) {
    forRun(start, n, mask, [&](unsigned at, int offset, int count) {
        std::copy_n(src + offset, count, ring + at);
    });
}

} // namespace

void Reverb::process(float* left, float* right, int n) {
    for (int at = 0; at < n; at += kChunk)
        processChunk(left + at, right + at, std::min(kChunk, n - at));
}

void Reverb::processChunk(float* left, float* right, int n) {
    constexpr unsigned preMask = kPreSize - 1;
    constexpr unsigned lineMask = kLineSize - 1;
    constexpr unsigned diffMask = kDiffuserSize - 1;
    constexpr float kInvSqrtLines = 0.35355339f; // orthonormal 8-point Hadamard mix
    constexpr int L = kReverbLines;

    // Mono input through the room-HF filter into the pre-delay line.
    float state = m_inputState;
    for (int i = 0; i < n; ++i) {
        state = m_d.inputB0 * (0.5f * (left[i] + right[i])) - m_d.inputA1 * state;
        m_input[i] = state;
    }
    m_inputState = state;
    copyToRing(m_pre.data(), preMask, m_preWrite, m_input.data(), n);

    // Early reflections: taps on the pre-delay line (taps may reach into this step).
    std::fill_n(m_earlyL.data(), n, 0.0f);
    std::fill_n(m_earlyR.data(), n, 0.0f);
    for (int t = 0; t < kTaps; ++t) {
        const auto tapL =
            static_cast<unsigned>(m_d.earlyDelay + std::lround(kTapMsLeft[t] * 44.1f));
        const auto tapR =
            static_cast<unsigned>(m_d.earlyDelay + std::lround(kTapMsRight[t] * 44.1f));
        addFromRing(m_earlyL.data(), m_pre.data(), preMask, m_preWrite - tapL, n, kTapGains[t]);
        addFromRing(m_earlyR.data(), m_pre.data(), preMask, m_preWrite - tapR, n, kTapGains[t]);
    }

    // Allpass diffusers smear the late input into a dense wash; at zero diffusion they
    // are plain delays and the tail keeps its discrete echoes. Each runs in pieces no
    // longer than its delay, so every delayed value it reads is already written.
    float* late = m_late.data();
    copyFromRing(late, m_pre.data(), preMask, m_preWrite - static_cast<unsigned>(m_d.lateDelay), n);
    const float g = m_d.diffusion;
    for (int k = 0; k < kReverbDiffusers; ++k) {
        float* buf = m_diffusers.data() + k * kDiffuserSize;
        const int delay = kDiffuserLengths[k];
        for (int c = 0; c < n; c += delay) {
            const int m = std::min(delay, n - c);
            float* delayed = m_work.data();
            copyFromRing(delayed, buf, diffMask, m_diffuserWrite + c - delay, m);
            float* x = late + c;
            for (int i = 0; i < m; ++i) {
                const float w = x[i] + g * delayed[i];
                x[i] = delayed[i] - g * w;
                delayed[i] = w;
            }
            copyToRing(buf, diffMask, m_diffuserWrite + c, delayed, m);
        }
    }

    // Feedback delay network. Lines are at least one step long, so this step's outputs
    // were all written by earlier steps.
    float* out = m_lineOut.data();
    float* in = m_lineIn.data();
    for (int j = 0; j < L; ++j) {
        const float* line = m_lines.data() + j * kLineSize;
        forRun(m_lineWrite - static_cast<unsigned>(m_d.lineLength[j]), n, lineMask,
               [&](unsigned at, int offset, int count) {
                   for (int i = 0; i < count; ++i)
                       out[(offset + i) * L + j] = line[at + i];
               });
    }
    using simd::F4;
    // Lines 0-3 and 4-7 as two vectors.
    const F4 b0lo = simd::load(&m_d.lineB0[0]), b0hi = simd::load(&m_d.lineB0[4]);
    const F4 b1lo = simd::load(&m_d.lineB1[0]), b1hi = simd::load(&m_d.lineB1[4]);
    const F4 a1lo = simd::load(&m_d.lineA1[0]), a1hi = simd::load(&m_d.lineA1[4]);
    const F4 outLlo = simd::load(&kOutLeft[0]), outLhi = simd::load(&kOutLeft[4]);
    const F4 outRlo = simd::load(&kOutRight[0]), outRhi = simd::load(&kOutRight[4]);
    const F4 norm = simd::splat(kInvSqrtLines);
    F4 pinLo = simd::load(&m_prevIn[0]), pinHi = simd::load(&m_prevIn[4]);
    F4 poutLo = simd::load(&m_prevOut[0]), poutHi = simd::load(&m_prevOut[4]);
    for (int i = 0; i < n; ++i) {
        const float* o = out + i * L;
        const F4 oLo = simd::load(o), oHi = simd::load(o + 4);
        // Absorbing filters (all lines side by side), then a lossless Hadamard mix.
        const F4 fLo = b0lo * oLo + b1lo * pinLo - a1lo * poutLo;
        const F4 fHi = b0hi * oHi + b1hi * pinHi - a1hi * poutHi;
        pinLo = oLo;
        pinHi = oHi;
        poutLo = fLo;
        poutHi = fHi;
        const F4 mixLo = simd::hadamard4(fLo + fHi);
        const F4 mixHi = simd::hadamard4(fLo - fHi);
        const F4 lateIn = simd::splat(late[i]);
        simd::store(in + i * L, mixLo * norm + lateIn);
        simd::store(in + i * L + 4, mixHi * norm + lateIn);
        // The diffused input itself opens the late field, so it starts at the reverb
        // delay and not one line length later.
        const float sumL = late[i] + simd::sum(oLo * outLlo + oHi * outLhi);
        const float sumR = late[i] + simd::sum(oLo * outRlo + oHi * outRhi);
        left[i] += m_d.earlyGain * m_earlyL[i] + m_d.lateGain * sumL;
        right[i] += m_d.earlyGain * m_earlyR[i] + m_d.lateGain * sumR;
    }
    simd::store(&m_prevIn[0], pinLo);
    simd::store(&m_prevIn[4], pinHi);
    simd::store(&m_prevOut[0], poutLo);
    simd::store(&m_prevOut[4], poutHi);
    for (int j = 0; j < L; ++j) {
        float* line = m_lines.data() + j * kLineSize;
        forRun(m_lineWrite, n, lineMask, [&](unsigned at, int offset, int count) {
            for (int i = 0; i < count; ++i)
                line[at + i] = in[(offset + i) * L + j];
        });
    }

    m_preWrite += static_cast<unsigned>(n);
    m_lineWrite += static_cast<unsigned>(n);
    m_diffuserWrite += static_cast<unsigned>(n);
}

} // namespace velmora::audio
