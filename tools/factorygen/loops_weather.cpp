// Rain, wind and sea loops. Rain is a granular ring of drops (bubbles, ticks, metallic or
// dull hits by surface) over a hiss bed; wind is noise through filters steered by periodic
// gust curves, with whistles, leaf rustle and creaking boughs; the sea is waves placed on a
// ring over a surf bed.
#include "loop_tools.h"
#include "recipes.h"

namespace velmora::factory {

namespace {

enum class Drop { Bubble, Tin, Roof, Leaf, Splash, Fine, Tent };

struct RainSpec {
    float rate; ///< drops per second on average
    Drop drop;
    float bedLevel;        ///< hiss relative to drops
    float bedLow, bedHigh; ///< hiss band
    float dropLevel;
};

const RainSpec kRain[8] = {
    {70, Drop::Tin, 0.25f, 1500, 9000, 1.0f},     // hail on tin roof
    {180, Drop::Roof, 0.6f, 200, 2500, 1.0f},     // rain on car roof
    {60, Drop::Bubble, 0.45f, 2500, 12000, 1.0f}, // light rain: fine and even, no drop stands out
    {450, Drop::Splash, 1.6f, 600, 10000, 0.6f},  // heavy rain
    {220, Drop::Leaf, 0.7f, 1500, 9000, 0.9f},    // rain on leaves
    {320, Drop::Splash, 1.1f, 800, 12000, 0.8f},  // rain on pavement
    {90, Drop::Fine, 0.9f, 3000, 14000, 0.5f},    // drizzle
    {120, Drop::Tent, 0.35f, 300, 3000, 1.0f},    // rain on tent
};

Buffer drop(Drop kind, Rng& rng) {
    switch (kind) {
    case Drop::Tin: { // metal modes ring briefly after each hailstone
        Buffer b = dampedSine(rng.range(1700, 2100), rng.range(0.02f, 0.05f));
        mixInto(b, dampedSine(rng.range(2900, 3400), 0.02f), 0, 0.6f);
        mixInto(b, dampedSine(rng.range(4300, 5200), 0.012f), 0, 0.4f);
        mixInto(b, noiseClick(rng, 6000, 1.0f, 0.0015f), 0, 1.5f);
        return b;
    }
    case Drop::Roof: {
        Buffer b = dampedSine(rng.range(260, 520), 0.008f);
        mixInto(b, noiseClick(rng, rng.range(2000, 6000), 1.0f, 0.002f), 0, 6.0f);
        return b;
    }
    case Drop::Tent: {
        Buffer b = dampedSine(rng.range(140, 300), 0.012f);
        mixInto(b, noiseClick(rng, rng.range(1000, 4000), 0.8f, 0.003f), 0, 5.0f);
        return b;
    }
    case Drop::Leaf:
        return noiseClick(rng, rng.range(2500, 7000), 1.5f, rng.range(0.001f, 0.004f));
    case Drop::Splash: {
        Buffer b = noiseClick(rng, rng.range(1500, 7000), 0.7f, rng.range(0.002f, 0.008f));
        if (rng.chance(0.15))
            mixInto(b, dampedSine(rng.range(1500, 3500), 0.008f, 1.6f), frames(0.003), 0.5f);
        return b;
    }
    case Drop::Fine:
        return noiseClick(rng, rng.range(5000, 10000), 1.2f, 0.0008f);
    case Drop::Bubble:
    default: { // a drop hitting water: a click and a rising bubble note
        Buffer b = noiseClick(rng, rng.range(3000, 8000), 1.0f, 0.001f);
        if (rng.chance(0.6))
            mixInto(b,
                    dampedSine(rng.logRange(1200, 4000), rng.range(0.008f, 0.02f),
                               rng.range(1.3f, 2.0f)),
                    0, 0.7f);
        return b;
    }
    }
}

Buffer rainLoop(int variant, long length, Rng& rng) {
    const RainSpec& s = kRain[variant % 8];
    Ring ring(length);
    PeriodicCurve intensity(rng, length, 9, 0.6f, 1.4f);
    PeriodicCurve rate(rng, length, 9, s.rate * 0.7f, s.rate * 1.3f);
    for (long at : eventTimes(rng, length, rate)) {
        const float level = s.dropLevel * std::pow(rng.range(0.05f, 1.0f), 2.0f) * intensity.at(at);
        ring.add(at, drop(s.drop, rng), level);
    }
    Buffer out = std::move(ring.buffer());
    PinkNoise pink;
    Biquad hp = Biquad::highpass(s.bedLow), lp = Biquad::lowpass(s.bedHigh);
    OnePole flutter(8.0f);
    Buffer bed = seamlessBed(length, [&](long i) {
        return lp.process(hp.process(pink.next(rng))) * intensity.at(i) *
               (1.0f + 0.3f * flutter.process(rng.white()));
    });
    addInto(out, bed, s.bedLevel * 0.5f);
    if (variant == 1 || variant == 7) { // the drumming of a whole surface: low resonance
        Biquad body = Biquad::bandpass(variant == 1 ? 320.0f : 180.0f, 2.0f);
        Buffer drum = out;
        filterCircular(drum, body);
        addInto(out, drum, 0.15f);
    }
    return out;
}

struct WindSpec {
    float cutoff, cutoffSwing, gustDepth, whistle, leaves, roar, creaks;
    int gustPoints;
    float rustleLow, rustleHigh; ///< band of the leaves' rustle
};

const WindSpec kWind[8] = {
    {500, 700, 0.7f, 0.8f, 0.0f, 0.4f, 0.0f, 12, 3000, 8000},  // winter wind: cold, whistling
    {350, 250, 0.4f, 0.0f, 0.25f, 0.2f, 0.0f, 8, 2500, 7000},  // light breeze
    {450, 900, 1.0f, 0.3f, 0.1f, 0.6f, 0.0f, 16, 2500, 7000},  // gusty wind
    {600, 400, 0.6f, 0.0f, 2.2f, 0.05f, 0.0f, 10, 3000, 8000}, // wind in leaves: small, stiff
    {450, 300, 0.5f, 0.0f, 2.0f, 0.04f, 0.0f, 8, 1000, 4000},  // wind in foliage: soft, broad
    {300, 500, 0.7f, 0.1f, 0.6f, 0.8f, 1.0f, 10, 2000, 6000},  // wind in trees
    {400, 500, 0.7f, 0.1f, 0.7f, 0.3f, 0.3f, 12, 2500, 7000},  // autumn wind
    {250, 600, 0.8f, 0.9f, 0.0f, 1.0f, 0.0f, 10, 3000, 8000},  // mountain wind
};

// Leaves rustling: many tiny dry contacts, each a short burst of band-passed noise, coming
// thicker and louder as the gusts press on the leaves.
void addRustle(Buffer& out, Rng& rng, const WindSpec& s, const PeriodicCurve& gusts) {
    const long length = static_cast<long>(out.size());
    Ring ring(length);
    PeriodicCurve rate(rng, length, s.gustPoints, 120.0f, 420.0f);
    for (long at : eventTimes(rng, length, rate)) {
        const float g = std::clamp(gusts.at(at), 0.0f, 1.0f);
        if (!rng.chance(0.25 + 0.75 * g)) continue;
        ring.add(at,
                 noiseClick(rng, rng.logRange(s.rustleLow, s.rustleHigh), 1.2f,
                            rng.range(0.001f, 0.005f)),
                 s.leaves * 0.5f * (0.15f + g) * rng.range(0.2f, 1.0f));
    }
    addInto(out, ring.buffer());
}

Buffer creak(Rng& rng) {
    // A bough rubbing: a slow, rough, gliding squeak.
    const float seconds = rng.range(0.4f, 1.1f);
    const int n = frames(seconds);
    Buffer b(static_cast<std::size_t>(n));
    const float f0 = rng.range(160, 320), f1 = f0 * rng.range(0.8f, 1.3f);
    double ph = 0.0;
    Biquad bp = Biquad::bandpass(900, 1.0f);
    for (int i = 0; i < n; ++i) {
        const float u = static_cast<float>(i) / static_cast<float>(n);
        ph += (f0 + (f1 - f0) * u) / kRate;
        const float saw = static_cast<float>(2.0 * (ph - std::floor(ph)) - 1.0);
        b[static_cast<std::size_t>(i)] = bp.process(saw) * hann(u) * (0.7f + 0.3f * rng.white());
    }
    return b;
}

Buffer windLoop(int variant, long length, Rng& rng) {
    const WindSpec& s = kWind[variant % 8];
    PeriodicCurve gusts(rng, length, s.gustPoints, 0.0f, 1.0f);
    PeriodicCurve whistlePitch(rng, length, 7, 500, 1100);
    PinkNoise pink;
    BrownNoise brown;
    Svf body, whistle, whistle2;
    Biquad leafHp = Biquad::highpass(s.rustleLow), leafLp = Biquad::lowpass(s.rustleHigh);
    Biquad roarLp = Biquad::lowpass(180);
    // A small speaker cannot play the lowest rumble, and a big one makes it a drone.
    Biquad subCut = Biquad::highpass(100);
    OnePole rustle(12.0f);
    Buffer out = seamlessBed(length, [&](long i) {
        // Even between gusts the air keeps moving: never below a fifth of the gust swing.
        const float g = 0.2f + 0.8f * std::clamp(gusts.at(i), 0.0f, 1.0f);
        const float level = 1.0f - s.gustDepth + s.gustDepth * g;
        if ((i & 15) == 0) {
            body.set(s.cutoff + s.cutoffSwing * g, 0.7f);
            const float wp = whistlePitch.at(i) * (0.8f + 0.4f * g);
            whistle.set(wp, 18.0f);
            whistle2.set(wp * 1.5f, 22.0f);
        }
        const float p = pink.next(rng);
        body.tick(p);
        whistle.tick(p);
        whistle2.tick(p);
        float x = body.low() * level;
        x += s.whistle * (whistle.band() + 0.5f * whistle2.band()) * g * g * 0.8f;
        x += s.roar * roarLp.process(brown.next(rng)) * level * 1.5f;
        if (s.leaves > 0) {
            const float r = std::max(0.0f, rustle.process(rng.white() * 3.0f) + 0.2f);
            x += s.leaves * 0.1f * leafLp.process(leafHp.process(rng.white())) * (0.2f + g) * r;
        }
        return subCut.process(x);
    });
    if (s.leaves > 0) addRustle(out, rng, s, gusts);
    if (s.creaks > 0) {
        Ring ring(length);
        PeriodicCurve rate(rng, length, 4, 0.05f, 0.25f);
        for (long at : eventTimes(rng, length, rate))
            ring.add(at, creak(rng), s.creaks * rng.range(0.05f, 0.15f));
        addInto(out, ring.buffer());
    }
    return out;
}

Buffer seaLoop(int variant, long length, Rng& rng) {
    // wave variants to draw from, mean gap (s), bed level, bed cut-off
    struct SeaSpec {
        int waveFrom, waveTo;
        float gap, bed, bedCutoff;
    };
    static const SeaSpec kSea[6] = {
        {0, 1, 7.5f, 0.3f, 700},  // shingle ocean
        {3, 7, 4.5f, 2.2f, 2400}, // rough sea: whitecaps hiss between the breakers
        {2, 6, 7.0f, 0.25f, 500}, // gentle ocean
        {8, 8, 1.6f, 0.35f, 450}, // harbour: lapping against the quay
        {8, 8, 2.2f, 0.3f, 400},  // lake shore
        {7, 0, 6.0f, 0.8f, 800},  // surf
    };
    const SeaSpec& s = kSea[variant % 6];
    Ring ring(length);
    PeriodicCurve swell(rng, length, 6, 0.5f, 1.0f);
    // Waves come in on a rhythm of their own, never regular enough to count along to.
    for (long at : jitteredTimes(rng, length, s.gap, 0.95f)) {
        const int from = std::min(s.waveFrom, s.waveTo), to = std::max(s.waveFrom, s.waveTo);
        const int v = from + rng.below(to - from + 1);
        Buffer w = renderWeather(Category::Wave, v, rng);
        if (variant >= 3) { // small water: shorter and duller
            Biquad lp = Biquad::lowpass(variant == 3 ? 2500.0f : 1800.0f);
            lp.processInPlace(w);
            w.resize(std::min<std::size_t>(w.size(), static_cast<std::size_t>(frames(2.5))));
            for (std::size_t i = 0; i < w.size(); ++i)
                w[i] *= std::min(1.0f, static_cast<float>(w.size() - i) / frames(0.5));
        }
        ring.add(at, w, rng.range(0.3f, 1.0f) * swell.at(at));
    }
    if (variant == 3) { // harbour: rigging clinks and hull knocks
        PeriodicCurve r(rng, length, 4, 0.1f, 0.4f);
        for (long at : eventTimes(rng, length, r)) {
            Buffer clink = dampedSine(rng.range(2200, 2600), 0.15f);
            mixInto(clink, dampedSine(rng.range(5600, 6400), 0.08f), 0, 0.4f);
            ring.add(at, clink, rng.range(0.02f, 0.06f));
        }
        PeriodicCurve k(rng, length, 4, 0.2f, 0.5f);
        for (long at : eventTimes(rng, length, k))
            ring.add(at, dampedSine(rng.range(90, 140), 0.05f), rng.range(0.1f, 0.25f));
    }
    if (variant == 4) { // lake shore: a distant bird now and then
        PeriodicCurve r(rng, length, 3, 0.05f, 0.12f);
        for (long at : eventTimes(rng, length, r)) {
            Buffer b = songbirdPhrase(rng.below(10), rng);
            Biquad lp = Biquad::lowpass(4000);
            lp.processInPlace(b);
            ring.add(at, b, 0.04f);
        }
    }
    Buffer out = std::move(ring.buffer());
    PinkNoise pink;
    Svf bedF;
    Buffer bed = seamlessBed(length, [&](long i) {
        if ((i & 31) == 0) bedF.set(s.bedCutoff * (0.7f + 0.6f * swell.at(i)), 0.6f);
        bedF.tick(pink.next(rng));
        return bedF.low() * swell.at(i);
    });
    addInto(out, bed, s.bed);
    return out;
}

} // namespace

Buffer renderWeatherLoop(Category c, int variant, int length, Rng& rng) {
    switch (c) {
    case Category::RainLoop:
        return rainLoop(variant, length, rng);
    case Category::WindLoop:
        return windLoop(variant, length, rng);
    default:
        return seaLoop(variant, length, rng);
    }
}

} // namespace velmora::factory
