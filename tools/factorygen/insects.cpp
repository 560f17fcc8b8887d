// Insects, frogs and lizards: buzzes are harmonic voices with a fly-by; cicadas, crickets and
// katydids are resonant carriers gated by pulse trains in each species' rhythm; frogs are
// pulsed voices; lizards are trains of short resonant clicks.
#include "recipes.h"
#include "voice.h"

namespace velmora::factory {

namespace {

Buffer buzz(int variant, Rng& rng) {
    struct Fly {
        float hz, seconds, wander, speed, closest, pass; ///< pass: where it comes closest, 0..1
    };
    // Bumble bee and wasp cruise past; hoverflies hang in the air, dart, and slip by fast.
    static const Fly kFlies[6] = {
        {145, 3.6f, 0.0f, 4.0f, 0.5f, 0.5f},     {215, 2.8f, 0.0f, 6.0f, 0.8f, 0.5f},
        {185, 2.4f, 0.015f, 8.0f, 0.4f, 0.3f},   {240, 3.0f, 0.012f, 7.0f, 0.35f, 0.65f},
        {205, 2.0f, 0.018f, 9.0f, 0.45f, 0.45f}, {260, 3.4f, 0.01f, 7.5f, 0.3f, 0.75f}};
    const Fly& f = kFlies[variant % 6];
    // Darting: the hum steps to a new pitch between hovering spells.
    Curve dart;
    for (float u = 0.0f; u < 1.0f;) {
        const float step = 1.0f + rng.range(-f.wander, f.wander);
        dart.add(u, step);
        u += rng.range(0.08f, 0.2f);
        dart.add(std::min(u, 1.0f) - 0.02f, step);
    }
    // A wing beat never holds still: a wobble of uneven rate and depth, not a steady sine.
    Curve wobble;
    for (float t = 0.0f, sign = 1.0f; t < f.seconds; sign = -sign) {
        wobble.add(t / f.seconds, 1.0f + sign * rng.range(0.003f, 0.014f));
        t += 0.5f / rng.range(3.5f, 9.0f);
    }
    VoiceSpec v;
    v.duration = f.seconds;
    // Flying past the listener: the hum is highest coming in and drops as it goes by (the
    // Doppler shift), loudest at the closest point and fading with distance either side.
    Curve pitch, amp;
    constexpr int kSteps = 120;
    for (int k = 0; k <= kSteps; ++k) {
        const float u = static_cast<float>(k) / kSteps;
        const float x = f.speed * (u - f.pass) * f.seconds, dist = std::hypot(x, f.closest);
        // It darts while hovering at a distance and flies straight as it passes.
        const float darting = 1.0f + (dart.at(u) - 1.0f) * (1.0f - f.closest / dist);
        pitch.add(u, f.hz * 343.0f / (343.0f + f.speed * x / dist) * darting * wobble.at(u));
        amp.add(u, f.closest / dist * std::min({1.0f, u * 20.0f, (1.0f - u) * 20.0f}));
    }
    v.pitch = pitch;
    v.amp = amp;
    v.formants = {{f.hz * 1.1f, f.hz, 0}, {900, 700, -6}, {2200, 1500, -12}};
    v.tilt = 0.9f;
    v.maxHarmonics = 40;
    v.breath = 0.05f;
    v.jitter = 0.004f;
    return renderVoice(v, rng);
}

// A carrier near `hz` gated by a pulse train; `shape` sharpens each pulse.
float pulseGate(double phase, float shape) {
    const float c = 0.5f - 0.5f * static_cast<float>(std::cos(kTwoPiD * phase));
    return std::pow(c, shape);
}

Buffer katydid(int variant, Rng& rng) {
    // (rasps per call, calls, rasp length, gap): spotted, common ("ka-ty-did"), leaf roller
    struct Pattern {
        int rasps, calls;
        float raspSeconds, gap, centre;
    };
    static const Pattern kPatterns[3] = {
        {2, 4, 0.06f, 0.11f, 9000}, {3, 3, 0.09f, 0.16f, 7000}, {1, 6, 0.2f, 0.2f, 11000}};
    const Pattern& p = kPatterns[variant % 3];
    std::vector<std::pair<float, Buffer>> parts;
    float t = 0.0f;
    for (int c = 0; c < p.calls; ++c) {
        for (int r = 0; r < p.rasps; ++r) {
            const int n = frames(p.raspSeconds);
            Buffer b(static_cast<std::size_t>(n));
            Biquad bp = Biquad::bandpass(p.centre * rng.range(0.95f, 1.05f), 1.6f);
            Biquad hp = Biquad::highpass(4000);
            const float teeth = rng.range(180, 260);
            for (int i = 0; i < n; ++i) {
                const float u = static_cast<float>(i) / static_cast<float>(n);
                const double ph = static_cast<double>(i) * teeth / kRate;
                b[static_cast<std::size_t>(i)] =
                    hann(u) * pulseGate(ph, 3.0f) * hp.process(bp.process(rng.white()));
            }
            parts.push_back({t, b});
            t += p.raspSeconds + p.gap * 0.5f;
        }
        t += p.gap * 4.0f + rng.range(0.0f, 0.2f);
    }
    return arrange(parts);
}

Buffer lizard(int variant, Rng& rng) {
    std::vector<std::pair<float, Buffer>> parts;
    auto click = [&](float level, float hz) {
        Buffer k = noiseClick(rng, hz, 2.0f, 0.003f);
        mixInto(k, dampedSine(hz * 0.7f, 0.004f), 0, 0.5f);
        for (float& x : k)
            x *= level;
        return k;
    };
    if (variant == 2) { // branch climber: claws scrabbling over bark
        float t = 0.0f;
        while (t < 1.6f) {
            parts.push_back(
                {t, click(rng.range(0.2f, 1.0f) * hann(t / 1.6f + 0.02f), rng.range(2500, 6000))});
            t += rng.range(0.008f, 0.05f);
        }
        return arrange(parts);
    }
    const int count = variant == 0 ? 7 : variant == 1 ? 5 : 12;
    float t = 0.0f, gap = variant == 0 ? 0.12f : variant == 1 ? 0.22f : 0.09f;
    for (int i = 0; i < count; ++i) {
        const float hz = (variant == 3 ? 4200.0f : 3200.0f) * rng.range(0.95f, 1.05f);
        parts.push_back({t, click(1.0f - 0.05f * static_cast<float>(i), hz)});
        parts.push_back({t + 0.012f, click(0.5f, hz * 1.2f)});
        t += gap;
        if (variant == 0) gap *= 1.12f; // slows like a gecko's chuckle
    }
    return arrange(parts);
}

} // namespace

Buffer cricketSong(int kind, float seconds, Rng& rng) {
    // carrier Hz, pulse rate, pulses per chirp (0 = continuous trill), chirp period s, noise
    struct Song {
        float hz, pulseRate;
        int pulses;
        float chirpPeriod, noise;
    };
    static const Song kSongs[6] = {
        {2900, 45, 0, 0.0f, 0.0f},   // tree cricket: an even, long trill
        {6500, 70, 6, 0.45f, 0.8f},  // raspy cricket
        {5200, 14, 1, 0.09f, 0.5f},  // creek hopper: dry ticking
        {6200, 90, 0, 0.0f, 0.1f},   // leaf cricket: high soft trills in bursts
        {4300, 30, 3, 0.4f, 0.05f},  // Indian cricket: three-pulse chirps
        {4600, 32, 4, 0.33f, 0.05f}, // field cricket
    };
    const Song& s = kSongs[kind % 6];
    const float hz = s.hz * rng.range(0.97f, 1.03f);
    const int n = frames(seconds);
    Buffer out(static_cast<std::size_t>(n));
    Biquad bp = Biquad::bandpass(hz, 3.0f);
    double carrier = rng.uniform(), pulsePhase = 0.0;
    const float pulseDuty = 0.6f;
    for (int i = 0; i < n; ++i) {
        const float t = static_cast<float>(i) / kRate;
        carrier += hz / kRate;
        pulsePhase += s.pulseRate / kRate;
        float gate;
        if (s.pulses == 0) {
            gate = pulseGate(pulsePhase, 2.0f);
            if (kind == 3) gate *= pulseGate(t * 0.9, 0.5f); // bursts
        } else {
            const float inChirp = std::fmod(t, s.chirpPeriod);
            const float chirpLen = static_cast<float>(s.pulses) / s.pulseRate;
            if (inChirp < chirpLen * pulseDuty / pulseDuty) {
                gate = pulseGate(inChirp * s.pulseRate, kind == 2 ? 12.0f : 2.0f);
            } else {
                gate = 0.0f;
            }
        }
        const float tone = static_cast<float>(std::sin(kTwoPiD * carrier)) +
                           0.08f * static_cast<float>(std::sin(2 * kTwoPiD * carrier));
        out[static_cast<std::size_t>(i)] =
            gate * ((1.0f - s.noise) * tone + s.noise * 3.0f * bp.process(rng.white()));
    }
    // Soft edges on the whole song.
    const int edge = std::min(n / 4, frames(0.02));
    for (int i = 0; i < edge; ++i) {
        const float g = static_cast<float>(i) / static_cast<float>(edge);
        out[static_cast<std::size_t>(i)] *= g;
        out[static_cast<std::size_t>(n - 1 - i)] *= g;
    }
    return out;
}

Buffer cicadaSong(int kind, float seconds, Rng& rng) {
    // resonance Hz (start, end), pulse rate, gating pattern rate, pattern shape
    struct Song {
        float hzStart, hzEnd, pulseRate, patternRate, patternShape, q;
    };
    static const Song kSongs[5] = {
        {4800, 5000, 320, 0.0f, 0, 6}, // African: a loud steady drone
        {6500, 6300, 450, 5.0f, 4, 8}, // prairie: rapid ticking bursts
        {7200, 7000, 260, 2.2f, 1, 5}, // grassland: buzzy rattles
        {4200, 6200, 520, 0.0f, 0, 7}, // Indian: a rising whine
        {5600, 3600, 380, 0.0f, 0, 6}, // brown: a falling zee-oo
    };
    const Song& s = kSongs[kind % 5];
    const int n = frames(seconds);
    Buffer out(static_cast<std::size_t>(n));
    Svf res;
    double pulse = 0.0, pattern = rng.uniform();
    for (int i = 0; i < n; ++i) {
        const float u = static_cast<float>(i) / static_cast<float>(n);
        const float hz = s.hzStart + (s.hzEnd - s.hzStart) * u;
        if ((i & 31) == 0) res.set(hz, s.q);
        pulse += s.pulseRate / kRate;
        pattern += s.patternRate / kRate;
        // Each tymbal buckle is a short click ringing the body resonance.
        const float click = pulseGate(pulse, 16.0f) * (0.6f + 0.4f * rng.white());
        res.tick(click + 0.15f * rng.white());
        float gate = 1.0f;
        if (s.patternRate > 0) gate = pulseGate(pattern, s.patternShape);
        const float swell = std::min({1.0f, u * 6.0f, (1.0f - u) * 4.0f});
        out[static_cast<std::size_t>(i)] = res.band() * gate * swell;
    }
    Biquad hp = Biquad::highpass(2000, 0.7f);
    hp.processInPlace(out);
    return out;
}

Buffer frogCall(int kind, Rng& rng) {
    // F0, pulse rate (Hz), pulses, first/second formant, note length, notes, note gap
    struct Call {
        float f0, pulseRate, formant1, formant2, noteSeconds;
        int notes;
        float gap;
    };
    static const Call kCalls[6] = {
        {190, 60, 500, 1300, 0.16f, 3, 0.45f},   // green frog: a banjo-like gunk
        {480, 9, 1100, 2300, 1.1f, 1, 0.0f},     // marsh frog: laughing re-ke-ke-ke
        {420, 12, 900, 2100, 0.7f, 2, 0.35f},    // marsh frog 2: a croaking rattle
        {105, 35, 260, 520, 0.6f, 3, 0.35f},     // bullfrog: deep jug-o-rum
        {2100, 55, 2200, 4200, 0.12f, 5, 0.12f}, // tree frog: crek-crek
        {1700, 42, 1900, 3600, 0.2f, 4, 0.25f},  // tree frog 2
    };
    const Call& c = kCalls[kind % 6];
    std::vector<std::pair<float, Buffer>> parts;
    float t = 0.0f;
    for (int i = 0; i < c.notes; ++i) {
        VoiceSpec v;
        v.duration = c.noteSeconds;
        v.pitch = {{0.0f, c.f0 * 0.97f}, {0.3f, c.f0 * 1.02f}, {1.0f, c.f0 * 0.93f}};
        v.amp = {{0.0f, 0.0f}, {0.06f, 1.0f}, {0.7f, 0.85f}, {1.0f, 0.0f}};
        v.formants = {{c.formant1, c.formant1 * 0.5f, 0}, {c.formant2, c.formant2 * 0.4f, -6}};
        v.tilt = c.f0 > 1000 ? 1.6f : 0.8f;
        v.maxHarmonics = c.f0 > 1000 ? 8 : 30;
        v.tremoloHz = c.pulseRate;
        v.tremoloDepth = 0.95f;
        v.roughness = kind == 0 || kind == 3 ? 0.3f : 0.1f;
        v.breath = 0.05f;
        v.jitter = 0.005f;
        parts.push_back({t, renderVoice(v, rng)});
        t += c.noteSeconds + c.gap * rng.range(0.9f, 1.1f);
    }
    return arrange(parts);
}

Buffer renderInsect(Category c, int variant, Rng& rng) {
    switch (c) {
    case Category::Bee:
        return buzz(variant, rng);
    case Category::Cicada:
        return cicadaSong(variant, 3.5f + 0.5f * static_cast<float>(variant % 3), rng);
    case Category::Cricket:
        return cricketSong(variant, variant == 0 ? 3.5f : 2.5f, rng);
    case Category::Katydid:
        return katydid(variant, rng);
    case Category::Lizard:
        return lizard(variant, rng);
    case Category::Frog:
        return frogCall(variant, rng);
    default:
        return frogCall(4 + variant, rng);
    }
}

} // namespace velmora::factory
