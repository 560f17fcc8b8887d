// Weather one-shots, chimes and beat tones. Thunder is low-passed brown noise shaped by swells,
// overlapping in a rumble and apart in a roll, its top closing as it goes (a crack opens with a
// tearing burst of shock pulses); gusts are noise through filters that open and close with the
// gust; waves are swell, break and wash stages of filtered noise, with pebbles rattling in the
// backwash on shingle. Chimes are sums of decaying bar partials.
#include "recipes.h"

#include <array>

namespace velmora::factory {

namespace {

// Swells: each rises (squared) to its peak, then dies away exponentially.
struct Swell {
    float at, rise, fall, gain;
};

float swellEnvelope(const std::vector<Swell>& swells, float t) {
    float e = 0.0f;
    for (const Swell& s : swells) {
        if (t < s.at - s.rise) continue;
        e += s.gain * (t < s.at ? std::pow((t - (s.at - s.rise)) / s.rise, 2.0f)
                                : std::exp(-(t - s.at) / s.fall));
    }
    return e;
}

struct Storm {
    float seconds;
    int swells;
    float cutoff;     ///< rumble low-pass at the start, Hz
    float cutoffFall; ///< fraction of the cut-off left at the end (distance eats the top)
    bool separated;   ///< rolling: distinct swells with gaps, not one blurred roll
    float crackMs;    ///< length of the tearing burst in front, 0 for none
    int loudest;      ///< which swell peaks (a roll may build before it fades)
};

// The tearing front of a close strike: a dense run of N-shaped pressure pulses (shock waves
// from the channel's many kinks), band-limited because the air has already taken the top
// off, swelling and fading within a tenth of a second or so.
Buffer crackBurst(Rng& rng, float milliseconds) {
    const int n = frames(milliseconds / 1000.0f + 0.05f);
    Buffer out(static_cast<std::size_t>(n), 0.0f);
    const float length = milliseconds / 1000.0f;
    for (float t = 0.0f; t < length;) {
        const float u = t / length;
        const float level = std::pow(1.0f - u, 1.5f) * std::min(1.0f, u * 12.0f + 0.4f);
        const int width = static_cast<int>(rng.range(0.25f, 1.6f) * kRate / 1000.0f);
        const float amp = level * rng.range(0.3f, 1.0f) * (rng.chance(0.5) ? 1.0f : -1.0f);
        const int at = frames(t);
        for (int j = 0; j < width && at + j < n; ++j)
            out[static_cast<std::size_t>(at + j)] +=
                amp * (1.0f - 2.0f * static_cast<float>(j) / static_cast<float>(width));
        t += rng.range(0.0004f, 0.0028f);
    }
    Biquad lp1 = Biquad::lowpass(5200.0f), lp2 = Biquad::lowpass(5800.0f);
    Biquad hp = Biquad::highpass(120.0f);
    for (float& x : out)
        x = hp.process(lp2.process(lp1.process(x)));
    return out;
}

Buffer thunder(Rng& rng, const Storm& st) {
    // A crack runs straight into the first swell; a distant roll builds up more slowly.
    const float first = st.crackMs > 0 ? rng.range(0.08f, 0.25f) : rng.range(0.4f, 0.9f);
    const float span = st.seconds - 2.5f;
    std::vector<Swell> swells;
    float at = first;
    for (int i = 0; i < st.swells; ++i) {
        const float away =
            static_cast<float>(std::abs(i - st.loudest)) / static_cast<float>(st.swells);
        const float gain = i == st.loudest ? 1.0f : (1.0f - 0.4f * away) * rng.range(0.72f, 0.98f);
        if (st.separated) {
            swells.push_back({at, rng.range(0.2f, 0.45f), rng.range(0.3f, 0.7f), gain});
            at += (span - first) / static_cast<float>(st.swells) * rng.range(0.75f, 1.25f);
        } else {
            swells.push_back({i == 0 ? first : rng.range(first, span),
                              i == 0 ? std::min(first, 0.3f) : rng.range(0.2f, 0.8f),
                              rng.range(0.7f, 2.2f), gain});
        }
    }
    const int n = frames(st.seconds);
    Buffer out(static_cast<std::size_t>(n));
    BrownNoise brown;
    PinkNoise pink;
    Svf lp1, lp2, grumble;
    Biquad hp = Biquad::highpass(28);
    OnePole wobble(4.0f);
    const float grumbleHz = rng.range(260.0f, 420.0f);
    for (int i = 0; i < n; ++i) {
        const float t = static_cast<float>(i) / kRate;
        if ((i & 15) == 0) {
            const float fade =
                st.cutoffFall + (1.0f - st.cutoffFall) * std::exp(-t / (0.3f * st.seconds));
            lp1.set(st.cutoff * fade, 0.7f);
            lp2.set(st.cutoff * fade * 1.3f, 0.7f);
            grumble.set(grumbleHz * (0.6f + 0.4f * fade), 0.9f);
        }
        const float tail = std::min(1.0f, (st.seconds - t) / 1.5f);
        const float env = swellEnvelope(swells, t);
        lp1.tick(brown.next(rng));
        lp2.tick(lp1.low());
        grumble.tick(pink.next(rng));
        // The 150-800 Hz grumble keeps thunder thunder on small speakers.
        float x = lp2.low() * env + 1.1f * grumble.band() * env * std::sqrt(env);
        x *= 1.0f + 0.5f * wobble.process(rng.white() * 6.0f);
        out[static_cast<std::size_t>(i)] = hp.process(x) * std::max(tail, 0.0f);
    }
    if (st.crackMs > 0) mixInto(out, crackBurst(rng, st.crackMs), frames(0.005f), 6.0f);
    return out;
}

float smoothstep(float x) {
    x = std::clamp(x, 0.0f, 1.0f);
    return x * x * (3.0f - 2.0f * x);
}

Buffer gust(int variant, Rng& rng) {
    // length, sub-gusts, body band top (Hz), whistle (high winds only), leaves' rustle,
    // bluster (how unevenly the gust dies away), rise of each sub-gust (s), strongest sub-gust
    struct Gust {
        float seconds;
        int parts;
        float top, whistle, leaves, bluster, rise;
        int strongest;
    };
    static const Gust kGusts[10] = {
        {6.0f, 3, 1400, 0.0f, 1.0f, 0.3f, 0.35f, 1}, // treewind gust
        {4.5f, 2, 1100, 0.0f, 0.8f, 0.2f, 0.25f, 0}, // small tree gust
        {3.5f, 2, 900, 0.0f, 0.0f, 0.2f, 0.2f, 0},   // small gust
        {5.5f, 3, 1300, 0.0f, 0.0f, 0.4f, 0.3f, 2},  // medium gust
        {8.0f, 4, 2000, 0.0f, 0.15f, 0.6f, 0.2f, 1}, // stormy gust
        {7.0f, 2, 1800, 0.6f, 0.0f, 0.3f, 0.5f, 0},  // high wind gust
        {8.5f, 3, 1700, 0.5f, 0.0f, 0.5f, 0.6f, 2},  // high wind gust 2
        {6.5f, 4, 1500, 0.0f, 0.0f, 0.9f, 0.15f, 3}, // blustery gust 1
        {7.5f, 3, 1600, 0.0f, 0.1f, 1.0f, 0.1f, 0},  // blustery gust 2
        {5.0f, 2, 700, 0.0f, 0.3f, 0.1f, 0.6f, 1},   // gentle gust
    };
    const Gust& g = kGusts[variant % 10];
    // Sub-gusts: each comes on fast and dies away slowly; the first is not always the strongest.
    struct Part {
        float at, rise, fall, gain;
    };
    std::vector<Part> parts;
    float at = g.rise + 0.3f;
    for (int k = 0; k < g.parts; ++k) {
        parts.push_back({at, (g.rise + 0.25f) * rng.range(0.8f, 1.2f),
                         rng.range(0.8f, 1.4f) * g.seconds / static_cast<float>(g.parts + 1),
                         k == g.strongest ? 1.0f : rng.range(0.35f, 0.75f)});
        at += rng.range(0.6f, 1.3f) * (g.seconds - 2.0f) / static_cast<float>(g.parts);
    }
    auto shape = [&](float t) {
        float e = 0.0f;
        for (const Part& p : parts) {
            if (t < p.at - p.rise) continue;
            // The air moves as fast as its strongest push, not the sum of them.
            e = std::max(e, p.gain * (t < p.at ? smoothstep((t - (p.at - p.rise)) / p.rise)
                                               : std::exp(-(t - p.at) / p.fall)));
        }
        return e;
    };
    const int n = frames(g.seconds);
    Buffer out(static_cast<std::size_t>(n));
    PinkNoise pink;
    Svf body, whistle;
    Biquad low = Biquad::highpass(200), high = Biquad::lowpass(g.top);
    OnePole bluster(1.5f);
    for (int i = 0; i < n; ++i) {
        const float t = static_cast<float>(i) / kRate;
        const float tail = std::clamp((g.seconds - t) / 0.8f, 0.0f, 1.0f);
        float env = shape(t) * (1.0f + g.bluster * 2.0f * bluster.process(rng.white())) * tail;
        env = std::max(env, 0.0f);
        if ((i & 15) == 0) {
            body.set(300.0f + (g.top - 300.0f) * std::min(env, 1.0f), 0.8f);
            whistle.set(450.0f + 600.0f * std::min(env, 1.2f), 14.0f);
        }
        const float p = pink.next(rng);
        body.tick(p);
        whistle.tick(p);
        float x = high.process(low.process(body.low())) * env;
        x += g.whistle * 0.6f * whistle.band() * env * env;
        out[static_cast<std::size_t>(i)] = x;
    }
    if (g.leaves > 0) { // a tree in the gust: rustling grains riding on it
        for (float t = 0.0f; t < g.seconds - 0.2f; t += rng.range(0.002f, 0.008f)) {
            const float e = shape(t);
            if (!rng.chance(std::min(1.0, 0.2 + 0.8 * e))) continue;
            mixInto(
                out,
                noiseClick(rng, rng.logRange(2500.0f, 7000.0f), 1.2f, rng.range(0.001f, 0.004f)),
                frames(t), g.leaves * 0.4f * e * rng.range(0.2f, 1.0f));
        }
    }
    return out;
}

// Pebbles dragged by the backwash: separate short clicks, each a few stones knocking,
// thickening as the water pulls back and thinning as it drains away.
void addShingle(Buffer& out, Rng& rng, float from, float level) {
    const float seconds = static_cast<float>(out.size()) / kRate;
    for (float t = from; t < seconds - 0.1f;) {
        const float d = t - from;
        const float drag = smoothstep(d / 0.5f) * std::exp(-d / 1.4f) *
                           (0.6f + 0.4f * std::sin(6.0f * d + rng.range(0.0f, 0.4f)));
        if (rng.chance(0.7)) {
            const Buffer click = noiseClick(rng, rng.logRange(2000.0f, 8000.0f),
                                            rng.range(1.2f, 3.0f), rng.range(0.0004f, 0.0018f));
            mixInto(out, click, frames(t), level * drag * rng.range(0.2f, 1.0f));
        }
        // Up to ~300 knocks a second at the height of the drag.
        t += 1.0f / (20.0f + 280.0f * std::max(drag, 0.0f)) * rng.range(0.4f, 1.6f);
    }
}

Buffer wave(int variant, Rng& rng) {
    // length, break time, size (cut-off scale), shingle rattle, break glide (s), foam, second
    // break (s after the first, 0 for none), swell curve
    struct Wave {
        float seconds, breakAt, size, shingle, glide, foam, second, swellPower;
    };
    static const Wave kWaves[9] = {
        {7.5f, 2.0f, 1.0f, 1.0f, 0.35f, 0.4f, 2.8f, 2.0f},  // shingle wave
        {5.5f, 1.0f, 0.7f, 0.8f, 0.25f, 0.25f, 2.0f, 1.5f}, // small shingle wave
        {4.5f, 2.8f, 0.45f, 0.0f, 0.3f, 1.0f, 0.0f, 2.5f},  // small waves ...
        {8.0f, 4.5f, 0.9f, 0.0f, 0.45f, 0.6f, 0.0f, 1.0f},
        {3.0f, 0.4f, 0.35f, 0.0f, 0.2f, 1.6f, 0.0f, 1.2f},
        {6.5f, 3.2f, 0.6f, 0.1f, 0.5f, 0.3f, 0.0f, 3.0f},
        {5.2f, 1.5f, 0.8f, 0.0f, 0.3f, 1.3f, 1.0f, 2.0f},
        {9.5f, 3.0f, 1.4f, 0.2f, 0.5f, 0.9f, 2.2f, 2.2f}, // large wave
        {3.2f, 0.8f, 0.4f, 0.0f, 0.2f, 0.6f, 0.0f, 1.6f}, // lapping
    };
    const Wave& w = kWaves[variant % 9];
    // No two waves alike even of one variant: the sea places each break a little differently.
    const float breakAt = w.breakAt * rng.range(0.85f, 1.15f),
                size = w.size * rng.range(0.9f, 1.1f);
    const int n = frames(w.seconds);
    Buffer out(static_cast<std::size_t>(n));
    PinkNoise pink;
    Svf body;
    Biquad foamHp = Biquad::highpass(1000), foamLp = Biquad::lowpass(8000);
    Biquad washHp = Biquad::highpass(2000), washLp = Biquad::lowpass(6000);
    OnePole fizz(30.0f);
    const float wash = (w.seconds - breakAt) * 0.35f;
    for (int i = 0; i < n; ++i) {
        const float t = static_cast<float>(i) / kRate;
        const float u = std::min(t / breakAt, 1.0f), d = std::max(t - breakAt, 0.0f);
        // The swell rises dark; at the break the water opens up over a fraction of a second.
        const float open = smoothstep(d / w.glide);
        float env = 0.3f * std::pow(u, w.swellPower);
        env += open * 0.7f * std::exp(-d / 0.35f) + open * 0.3f * std::exp(-d / wash);
        float cutoff = 300.0f + 500.0f * u - 200.0f * (1.0f - std::exp(-d / 1.0f)) +
                       4300.0f * open * std::exp(-std::max(d - w.glide, 0.0f) / 0.8f);
        if (w.second > 0 && d > w.second) { // a smaller wave breaking in behind
            const float d2 = d - w.second, open2 = smoothstep(d2 / w.glide);
            env += open2 * 0.6f * std::exp(-d2 / 0.4f);
            cutoff += 1800.0f * open2 * std::exp(-d2 / 0.6f);
        }
        if ((i & 15) == 0) body.set(cutoff * size, 0.7f);
        body.tick(pink.next(rng));
        float x = body.low() * env;
        // Foam fizzing on top carries the wave after the break; the backwash hisses over sand.
        const float grain = 0.5f + std::fabs(fizz.process(rng.white() * 4.0f));
        x += w.foam * 0.35f * foamLp.process(foamHp.process(rng.white())) * open *
             std::exp(-d / (wash * 0.8f)) * grain;
        const float back =
            smoothstep((d - 0.6f) / 0.8f) * std::exp(-std::max(d - 0.6f, 0.0f) / wash);
        x += w.foam * 0.15f * washLp.process(washHp.process(rng.white())) * back;
        out[static_cast<std::size_t>(i)] = x;
    }
    if (w.shingle > 0) addShingle(out, rng, breakAt + 0.4f, w.shingle * 1.2f);
    // The wash sinks into the sand over the last 1.5 s.
    for (int i = 0; i < n; ++i) {
        const float end =
            std::clamp((w.seconds - static_cast<float>(i) / kRate) / 1.5f, 0.0f, 1.0f);
        out[static_cast<std::size_t>(i)] *= smoothstep(end);
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

// seconds, swells, cut-off, cut-off left at the end, separated, crack, loudest swell
const Storm kStorms[11] = {
    // thunder rumbles
    {6.5f, 3, 110, 0.6f, false, 0, 0},
    {8.0f, 5, 220, 0.5f, false, 0, 1},
    {5.5f, 2, 380, 0.4f, false, 0, 0},
    {9.5f, 4, 80, 0.7f, false, 0, 2},
    // rolling thunder
    {9.5f, 5, 300, 0.35f, true, 0, 2},
    {9.8f, 8, 200, 0.45f, true, 0, 0},
    {7.5f, 3, 400, 0.3f, true, 0, 2},
    {9.0f, 6, 150, 0.55f, true, 0, 4},
    // thundercracks
    {6.5f, 3, 260, 0.45f, false, 110, 0},
    {7.5f, 4, 420, 0.4f, true, 70, 1},
    {9.5f, 5, 160, 0.3f, true, 150, 0},
};

} // namespace

Buffer renderWeather(Category c, int variant, Rng& rng) {
    switch (c) {
    case Category::ThunderRumble:
        return thunder(rng, kStorms[variant % 4]);
    case Category::RollingThunder:
        return thunder(rng, kStorms[4 + variant % 4]);
    case Category::ThunderCrack:
        return thunder(rng, kStorms[8 + variant % 3]);
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
