// Weather one-shots, chimes and beat tones. Thunder is low-passed brown noise shaped by
// overlapping swells (with a crackling burst for cracks); gusts are noise through filters that
// open and close with the gust; waves are swell, break and wash stages of filtered noise, with
// pebbles rattling in the backwash on shingle. Chimes are sums of decaying bar partials.
#include "recipes.h"

#include <array>

namespace velmora::factory {

namespace {

// Overlapping swells: rumble envelope built from random bumps.
float rumbleEnvelope(const std::vector<std::array<float, 3>>& bumps, float t) {
    float e = 0.0f;
    for (const auto& [at, rise, fall] : bumps) {
        if (t < at - rise) continue;
        e += t < at ? std::pow((t - (at - rise)) / rise, 2.0f) : std::exp(-(t - at) / fall);
    }
    return e;
}

Buffer thunder(Rng& rng, float seconds, int swells, float cutoff, float crack, float firstSwell) {
    std::vector<std::array<float, 3>> bumps;
    for (int i = 0; i < swells; ++i) {
        const float at = i == 0 ? firstSwell : rng.range(firstSwell, seconds * 0.55f);
        bumps.push_back({at, rng.range(0.15f, 0.6f), rng.range(0.6f, 1.8f)});
    }
    const int n = frames(seconds);
    Buffer out(static_cast<std::size_t>(n));
    BrownNoise brown;
    Biquad lp1 = Biquad::lowpass(cutoff), lp2 = Biquad::lowpass(cutoff * 1.3f);
    Biquad hp = Biquad::highpass(28);
    Biquad crackBand = Biquad::highpass(900);
    OnePole wobble(4.0f);
    PinkNoise pink;
    Biquad grumble = Biquad::bandpass(380.0f, 0.8f);
    for (int i = 0; i < n; ++i) {
        const float t = static_cast<float>(i) / kRate;
        const float tail = std::min(1.0f, (seconds - t) / 1.5f);
        const float env = rumbleEnvelope(bumps, t);
        float x = lp2.process(lp1.process(brown.next(rng))) * env;
        // The grumble above the rumble, so thunder is still thunder on small speakers.
        x += 0.4f * grumble.process(pink.next(rng)) * env * env;
        x *= 1.0f + 0.5f * wobble.process(rng.white() * 6.0f);
        if (crack > 0 && t < 0.6f) {
            // Crackle: sparse sharp impulses, densest at the start.
            const float density = std::exp(-t / 0.12f);
            const float spark = rng.chance(0.02 * density) ? rng.white() * 8.0f : 0.0f;
            x += crack * crackBand.process(spark + 0.3f * rng.white() * density) *
                 std::exp(-t / 0.25f);
        }
        out[static_cast<std::size_t>(i)] = hp.process(x) * std::max(tail, 0.0f);
    }
    return out;
}

Buffer gust(int variant, Rng& rng) {
    // length, peak cut-off, whistle, leaves, blustery sub-gusts
    struct Gust {
        float seconds, cutoff, whistle, leaves, bluster;
    };
    static const Gust kGusts[10] = {
        {6.0f, 900, 0.0f, 0.8f, 0.2f},   {4.5f, 800, 0.0f, 0.6f, 0.1f},
        {4.0f, 700, 0.0f, 0.0f, 0.1f},   {5.5f, 1000, 0.1f, 0.0f, 0.2f},
        {7.5f, 1400, 0.4f, 0.2f, 0.4f},  {7.0f, 1600, 0.6f, 0.0f, 0.3f},
        {8.0f, 1500, 0.5f, 0.1f, 0.35f}, {6.5f, 1100, 0.2f, 0.0f, 0.8f},
        {7.0f, 1200, 0.2f, 0.1f, 0.9f},  {5.0f, 600, 0.0f, 0.3f, 0.05f},
    };
    const Gust& g = kGusts[variant % 10];
    const int n = frames(g.seconds);
    Buffer out(static_cast<std::size_t>(n));
    PinkNoise pink;
    Svf body, whistle;
    Biquad leafBand = Biquad::bandpass(4500, 0.6f);
    OnePole flutter(6.0f), bluster(1.2f);
    const float peakAt = rng.range(0.38f, 0.5f);
    for (int i = 0; i < n; ++i) {
        const float u = static_cast<float>(i) / static_cast<float>(n);
        const float rise =
            u < peakAt ? std::pow(u / peakAt, 1.6f) : std::pow((1.0f - u) / (1.0f - peakAt), 1.3f);
        float env = rise * (1.0f + g.bluster * 2.5f * bluster.process(rng.white()));
        env = std::max(env, 0.0f);
        if ((i & 15) == 0) {
            body.set(150.0f + g.cutoff * env, 0.6f);
            whistle.set(420.0f + 500.0f * env, 12.0f);
        }
        const float p = pink.next(rng);
        body.tick(p);
        whistle.tick(p);
        float x = body.low() * env + g.whistle * 0.7f * whistle.band() * env * env;
        if (g.leaves > 0) {
            const float rustle = std::max(0.0f, flutter.process(rng.white() * 4.0f));
            x += g.leaves * 0.25f * leafBand.process(rng.white()) * env * env * (0.3f + rustle);
        }
        out[static_cast<std::size_t>(i)] = x;
    }
    return out;
}

Buffer wave(int variant, Rng& rng) {
    // length, break time, size (cut-off scale), shingle rattle
    struct Wave {
        float seconds, breakAt, size, shingle;
    };
    static const Wave kWaves[9] = {
        {7.0f, 1.6f, 1.0f, 1.0f},  {5.0f, 1.2f, 0.7f, 0.8f},  {4.5f, 1.1f, 0.6f, 0.0f},
        {5.0f, 1.3f, 0.65f, 0.0f}, {4.0f, 0.9f, 0.55f, 0.0f}, {5.5f, 1.4f, 0.7f, 0.1f},
        {4.8f, 1.0f, 0.6f, 0.0f},  {9.0f, 2.2f, 1.4f, 0.2f},  {3.5f, 0.8f, 0.4f, 0.0f},
    };
    const Wave& w = kWaves[variant % 9];
    const int n = frames(w.seconds);
    Buffer out(static_cast<std::size_t>(n));
    PinkNoise pink;
    Svf body;
    Biquad rattleBand = Biquad::highpass(2500);
    OnePole grain(40.0f);
    for (int i = 0; i < n; ++i) {
        const float t = static_cast<float>(i) / kRate;
        float env, cutoff;
        if (t < w.breakAt) { // swell: rising, dark
            const float u = t / w.breakAt;
            env = 0.35f * u * u;
            cutoff = 300.0f + 500.0f * u;
        } else { // break, then the wash running out
            const float d = t - w.breakAt;
            env = 0.35f + 0.65f * std::exp(-d / 0.25f) * std::min(1.0f, d / 0.06f);
            env *= std::exp(-d / ((w.seconds - w.breakAt) * 0.35f));
            cutoff = 600.0f + 4500.0f * std::exp(-d / 0.8f);
        }
        cutoff *= w.size;
        if ((i & 15) == 0) body.set(cutoff, 0.7f);
        body.tick(pink.next(rng));
        float x = body.low() * env;
        if (w.shingle > 0 && t > w.breakAt + 0.4f) { // pebbles dragged by the backwash
            const float d = t - w.breakAt - 0.4f;
            const float drag = std::min(1.0f, d / 0.6f) * std::exp(-d / 1.5f);
            const float density = std::max(0.0f, grain.process(rng.white() * 3.0f) + 0.3f);
            x += w.shingle * 0.6f * drag * density *
                 rattleBand.process(rng.chance(0.08) ? rng.white() * 3.0f : 0.0f);
        }
        // The wash sinks into the sand over the last 1.5 s.
        const float end = std::clamp((w.seconds - t) / 1.5f, 0.0f, 1.0f);
        out[static_cast<std::size_t>(i)] = x * end * end * (3.0f - 2.0f * end);
    }
    return out;
}

// A struck bar or tube: inharmonic partials with their own decays.
Buffer bell(float hz, float seconds, float level) {
    static const float ratios[4] = {1.0f, 2.756f, 5.404f, 8.933f};
    static const float gains[4] = {1.0f, 0.5f, 0.25f, 0.12f};
    Buffer out(static_cast<std::size_t>(frames(seconds)), 0.0f);
    for (int k = 0; k < 4; ++k) {
        if (hz * ratios[k] > 16000) break;
        Buffer p = dampedSine(hz * ratios[k], seconds / (7.0f * (1.0f + static_cast<float>(k))));
        mixInto(out, p, 0, level * gains[k]);
    }
    return out;
}

} // namespace

Buffer renderWeather(Category c, int variant, Rng& rng) {
    switch (c) {
    case Category::ThunderRumble:
        return thunder(rng, 6.0f + static_cast<float>(variant % 4), 3 + variant % 3,
                       variant == 4 ? 90.0f : 130.0f + 10.0f * static_cast<float>(variant), 0.0f,
                       0.6f);
    case Category::RollingThunder:
        return thunder(rng, 8.5f + 0.4f * static_cast<float>(variant), 7 + variant, 170.0f, 0.0f,
                       0.5f);
    case Category::ThunderCrack:
        return thunder(rng, 6.5f + static_cast<float>(variant), 3 + variant, 180.0f,
                       0.5f + 0.15f * static_cast<float>(variant), 0.15f);
    case Category::Gust:
        return gust(variant, rng);
    default:
        return wave(variant, rng);
    }
}

Buffer renderChime(Category c, int variant, Rng& rng) {
    (void)variant;
    if (c == Category::AlarmChime) { // a rising major arpeggio, twice, the second time higher
        const float notes[4] = {523.25f, 659.25f, 783.99f, 1046.5f};
        std::vector<std::pair<float, Buffer>> parts;
        for (int pass = 0; pass < 2; ++pass)
            for (int i = 0; i < 4; ++i)
                parts.push_back({pass * 1.6f + i * 0.28f,
                                 bell(notes[i] * (pass == 0 ? 1.0f : 2.0f) * 0.5f,
                                      pass == 1 && i == 3 ? 2.5f : 1.4f, 0.8f + 0.05f * i)});
        return arrange(parts);
    }
    // Wind chime: pentatonic tubes struck at random by a passing breeze.
    const float tubes[5] = {1174.7f, 1318.5f, 1568.0f, 1760.0f, 2093.0f};
    std::vector<std::pair<float, Buffer>> parts;
    float t = 0.0f;
    for (int i = 0; i < 9; ++i) {
        parts.push_back({t, bell(tubes[rng.below(5)], 3.0f, rng.range(0.4f, 1.0f))});
        t += rng.range(0.08f, 0.5f);
    }
    return arrange(parts);
}

Buffer renderTone(int index) {
    const ToneSpec& s = toneSpecs()[static_cast<std::size_t>(index)];
    // Integer arithmetic on the phase keeps every period exact, so the file loops perfectly.
    const long period = static_cast<long>(kToneSeconds) * kRate;
    const long m1 = std::lround(s.carrierHz * kToneSeconds);
    const long m2 = std::lround((s.carrierHz + s.beatHz) * kToneSeconds);
    Buffer out(static_cast<std::size_t>(period));
    for (long i = 0; i < period; ++i) {
        const double p1 = static_cast<double>((m1 * i) % period) / static_cast<double>(period);
        const double p2 = static_cast<double>((m2 * i) % period) / static_cast<double>(period);
        out[static_cast<std::size_t>(i)] =
            static_cast<float>(0.5 * std::sin(kTwoPiD * p1) + 0.5 * std::sin(kTwoPiD * p2));
    }
    return out;
}

} // namespace velmora::factory
