#include "voice.h"

namespace velmora::factory {

namespace {

// Magnitude of a formant set at hz: resonance peaks over a floor, in linear gain.
float formantGain(const std::vector<Formant>& a, const std::vector<Formant>* b, float mix, float hz,
                  float floorGain) {
    float g = floorGain;
    for (std::size_t i = 0; i < a.size(); ++i) {
        float fc = a[i].hz, bw = a[i].bandwidthHz, gd = a[i].gainDb;
        if (b && i < b->size()) {
            fc += mix * ((*b)[i].hz - fc);
            bw += mix * ((*b)[i].bandwidthHz - bw);
            gd += mix * ((*b)[i].gainDb - gd);
        }
        const float x = (hz - fc) / (0.5f * bw);
        g += dbToGain(gd) / std::sqrt(1.0f + x * x * x * x);
    }
    return g;
}

constexpr int kBlock = 32;

} // namespace

Buffer renderVoice(const VoiceSpec& s, Rng& rng) {
    const int n = frames(s.duration);
    Buffer out(static_cast<std::size_t>(n));
    const bool morphing = !s.formantsTo.empty();
    const float floorGain = dbToGain(s.formantFloorDb);
    std::vector<float> harmGain(static_cast<std::size_t>(s.maxHarmonics) + 1, 0.0f);
    std::vector<float> harmGainNext(harmGain.size(), 0.0f);

    // Breath noise goes through a band-pass per formant, retuned once per block.
    std::vector<Svf> noiseFilters(s.formants.size());
    OnePole jitterLp(3.0f);
    double phase = 0.0;
    float amp = 0.0f;

    auto computeGains = [&](float u, float f0, std::vector<float>& g) {
        const float mix =
            morphing ? std::clamp(s.morph.empty() ? u : s.morph.at(u), 0.0f, 1.0f) : 0.0f;
        for (int k = 1; k <= s.maxHarmonics; ++k) {
            const float hz = f0 * static_cast<float>(k);
            if (hz > 0.45f * kRate) {
                g[static_cast<std::size_t>(k)] = 0.0f;
                continue;
            }
            const float fade =
                hz > 16000.0f ? (0.45f * kRate - hz) / (0.45f * kRate - 16000.0f) : 1.0f;
            g[static_cast<std::size_t>(k)] =
                fade * std::pow(static_cast<float>(k), -s.tilt) *
                (s.formants.empty() ? 1.0f
                                    : formantGain(s.formants, morphing ? &s.formantsTo : nullptr,
                                                  mix, hz, floorGain));
        }
        for (std::size_t i = 0; i < noiseFilters.size(); ++i) {
            float fc = s.formants[i].hz, bw = s.formants[i].bandwidthHz;
            if (morphing) {
                fc += mix * (s.formantsTo[i].hz - fc);
                bw += mix * (s.formantsTo[i].bandwidthHz - bw);
            }
            noiseFilters[i].set(fc, fc / std::max(bw, 20.0f));
        }
    };

    for (int b0 = 0; b0 < n; b0 += kBlock) {
        const int b1 = std::min(n, b0 + kBlock);
        const float u0 = static_cast<float>(b0) / static_cast<float>(n);
        const float u1 = static_cast<float>(b1) / static_cast<float>(n);
        const float f0Start = std::max(s.pitch.at(u0), 20.0f);
        const float f0End = std::max(s.pitch.at(u1), 20.0f);
        if (b0 == 0) computeGains(u0, f0Start, harmGain);
        computeGains(u1, f0End, harmGainNext);
        for (int i = b0; i < b1; ++i) {
            const float frac = static_cast<float>(i - b0) / kBlock;
            const float u = static_cast<float>(i) / static_cast<float>(n);
            const float t = static_cast<float>(i) / kRate;
            float f0 = f0Start + (f0End - f0Start) * frac;
            f0 *= 1.0f + s.vibratoDepth * std::sin(kTwoPi * s.vibratoHz * t);
            f0 *= 1.0f + s.jitter * 8.0f * jitterLp.process(rng.white());
            phase += kTwoPiD * f0 / kRate;
            if (phase > 1e6) phase = std::fmod(phase, kTwoPiD * 2.0);
            const float sn = static_cast<float>(std::sin(phase));
            const float cs = static_cast<float>(std::cos(phase));
            float sPrev = 0.0f, sCur = sn, acc = 0.0f;
            for (int k = 1; k <= s.maxHarmonics; ++k) {
                const std::size_t kk = static_cast<std::size_t>(k);
                const float g = harmGain[kk] + (harmGainNext[kk] - harmGain[kk]) * frac;
                acc += g * sCur;
                const float sNext = 2.0f * cs * sCur - sPrev;
                sPrev = sCur;
                sCur = sNext;
            }
            if (s.roughness > 0.0f)
                acc *= 1.0f + s.roughness * static_cast<float>(std::sin(phase * 0.5));
            float noise = 0.0f;
            if (s.breath > 0.0f) {
                const float w = rng.white();
                for (auto& f : noiseFilters) {
                    f.tick(w);
                    noise += f.band();
                }
                noise *= s.breath;
            }
            amp = s.amp.at(u);
            if (s.tremoloDepth > 0.0f)
                amp *= 1.0f - s.tremoloDepth * (0.5f + 0.5f * std::sin(kTwoPi * s.tremoloHz * t));
            out[static_cast<std::size_t>(i)] = amp * (acc + noise);
        }
        harmGain.swap(harmGainNext);
    }
    normalisePeak(out, 1.0f);
    return out;
}

Buffer renderChirps(const std::vector<Chirp>& chirps) {
    float end = 0.0f;
    for (const Chirp& c : chirps)
        end = std::max(end, c.start + c.duration);
    Buffer out(static_cast<std::size_t>(frames(end) + 1), 0.0f);
    for (const Chirp& c : chirps) {
        const int start = frames(c.start);
        const int n = std::max(frames(c.duration), 2);
        double phase = 0.0;
        for (int i = 0; i < n; ++i) {
            const float u = static_cast<float>(i) / static_cast<float>(n);
            const float t = static_cast<float>(i) / kRate;
            float f = c.freq.at(u);
            if (c.fmDepth > 0) f *= 1.0f + c.fmDepth * std::sin(kTwoPi * c.fmHz * t);
            phase += kTwoPiD * f / kRate;
            float env = 1.0f;
            if (u < c.attack)
                env = std::sin(0.5f * std::numbers::pi_v<float> * u / c.attack);
            else if (u > 1.0f - c.release)
                env = std::cos(0.5f * std::numbers::pi_v<float> * (u - (1.0f - c.release)) /
                               c.release);
            if (c.amDepth > 0)
                env *= 1.0f - c.amDepth * (0.5f + 0.5f * std::cos(kTwoPi * c.amHz * t));
            const double p = phase;
            float v = static_cast<float>(std::sin(p));
            if (2 * f < 0.45f * kRate) v += c.h2 * static_cast<float>(std::sin(2 * p));
            if (3 * f < 0.45f * kRate) v += c.h3 * static_cast<float>(std::sin(3 * p));
            const std::size_t j = static_cast<std::size_t>(start + i);
            if (j < out.size()) out[j] += c.amp * env * v;
        }
    }
    return out;
}

} // namespace velmora::factory
