// Farm animals: every call is a source-filter voice (pitch contour, formants for the vowel,
// tremolo for bleats, roughness for crows and honks); hooves are modal knocks in gait rhythm.
#include "recipes.h"
#include "voice.h"

namespace velmora::factory {

namespace {

// Vowel-like formant sets scaled for animal vocal tracts.
const std::vector<Formant> kMoo = {{300, 160, 0}, {650, 220, -6}, {2300, 500, -20}};
const std::vector<Formant> kMooOpen = {{520, 200, 0}, {950, 260, -5}, {2400, 500, -18}};
const std::vector<Formant> kBaa = {{800, 250, 0}, {1500, 300, -4}, {2800, 500, -14}};
const std::vector<Formant> kMeowI = {{700, 300, 0}, {2600, 500, -4}, {4200, 800, -12}};
const std::vector<Formant> kMeowOw = {{900, 300, 0}, {1300, 400, -4}, {3200, 800, -14}};

Buffer cow(int variant, Rng& rng) {
    VoiceSpec v;
    // A moo starts low through the nose, climbs as the mouth opens, and sinks back: about
    // 90 -> 140 -> 100 Hz, each cow in her own voice.
    const float scale = 0.94f + 0.07f * static_cast<float>(variant);
    v.duration = 1.8f + 0.5f * static_cast<float>(variant);
    // Where the climb peaks and how the breath runs: a plain moo, a hummed start breaking into
    // a full one, a long call fading out.
    const float peak[3] = {0.35f, 0.55f, 0.2f};
    const float p = peak[variant % 3];
    v.pitch = {{0.0f, 90.0f * scale},
               {p, 140.0f * scale},
               {p + (1.0f - p) * 0.5f, 125.0f * scale},
               {1.0f, 100.0f * scale}};
    if (variant % 3 == 1)
        v.amp = {{0.0f, 0.0f},  {0.1f, 0.5f},  {0.3f, 0.25f},
                 {0.45f, 1.0f}, {0.85f, 0.8f}, {1.0f, 0.0f}};
    else if (variant % 3 == 2)
        v.amp = {{0.0f, 0.0f}, {0.08f, 0.8f}, {0.2f, 1.0f}, {0.6f, 0.5f}, {1.0f, 0.0f}};
    else
        v.amp = {{0.0f, 0.0f}, {0.12f, 0.6f}, {0.35f, 1.0f}, {0.8f, 0.85f}, {1.0f, 0.0f}};
    v.formants = kMoo;
    v.formantsTo = kMooOpen;
    v.morph = {{0.0f, 0.0f}, {p + 0.05f, 1.0f}, {0.85f, 0.6f}, {1.0f, 0.0f}};
    v.tilt = 0.9f;
    v.maxHarmonics = 40;
    v.breath = 0.25f;
    v.roughness = 0.15f;
    v.jitter = 0.006f;
    return renderVoice(v, rng);
}

Buffer cat(int variant, Rng& rng) {
    VoiceSpec v;
    const float f0 = variant == 0 ? 560.0f : 680.0f;
    v.duration = variant == 0 ? 0.95f : 0.7f;
    v.pitch = {{0.0f, f0 * 0.85f}, {0.35f, f0 * 1.15f}, {1.0f, f0 * 0.8f}};
    v.amp = {{0.0f, 0.0f}, {0.1f, 0.8f}, {0.4f, 1.0f}, {0.85f, 0.6f}, {1.0f, 0.0f}};
    v.formants = kMeowI;
    v.formantsTo = kMeowOw;
    v.morph = {{0.0f, 0.0f}, {0.3f, 0.2f}, {1.0f, 1.0f}};
    v.tilt = 1.1f;
    v.maxHarmonics = 25;
    v.breath = 0.1f;
    v.jitter = 0.006f;
    v.vibratoHz = 7.0f;
    v.vibratoDepth = 0.006f;
    return renderVoice(v, rng);
}

Buffer rooster(int variant, Rng& rng) {
    // cock-a-doodle-doo: short, short, short, long falling
    const float base = variant == 0 ? 520.0f : 600.0f;
    const float lengths[5] = {0.18f, 0.14f, 0.22f, 0.3f, 1.0f};
    const float pitches[5] = {0.85f, 1.0f, 1.05f, 1.15f, 1.1f};
    std::vector<std::pair<float, Buffer>> parts;
    float t = 0.0f;
    for (int i = 0; i < 5; ++i) {
        VoiceSpec v;
        v.duration = lengths[i] * (variant == 0 ? 1.0f : 0.9f);
        const float f = base * pitches[i];
        if (i == 4)
            v.pitch = {{0.0f, f}, {0.3f, f * 1.05f}, {1.0f, f * 0.7f}};
        else
            v.pitch = {{0.0f, f * 0.9f}, {0.5f, f}, {1.0f, f * 0.95f}};
        v.amp = {{0.0f, 0.0f}, {0.1f, 1.0f}, {0.8f, 0.85f}, {1.0f, 0.0f}};
        v.formants = {{1000, 400, 0}, {2200, 600, -3}, {3500, 900, -10}};
        v.tilt = 0.7f;
        v.maxHarmonics = 30;
        v.roughness = 0.45f;
        v.breath = 0.2f;
        v.jitter = 0.01f;
        v.vibratoHz = 12.0f;
        v.vibratoDepth = i == 4 ? 0.01f : 0.0f;
        parts.push_back({t, renderVoice(v, rng)});
        t += v.duration + 0.03f;
    }
    return arrange(parts);
}

Buffer bark(Rng& rng, float f0, float seconds, float growl) {
    VoiceSpec v;
    v.duration = seconds;
    v.pitch = {{0.0f, f0 * 0.8f}, {0.15f, f0 * 1.1f}, {1.0f, f0 * 0.7f}};
    v.amp = {{0.0f, 0.0f}, {0.05f, 1.0f}, {0.35f, 0.7f}, {1.0f, 0.0f}};
    v.formants = {{650, 300, 0}, {1500, 400, -3}, {2700, 700, -8}};
    v.tilt = 0.6f;
    v.maxHarmonics = 40;
    v.breath = 0.5f;
    v.roughness = growl;
    v.jitter = 0.02f;
    return renderVoice(v, rng);
}

Buffer dog(int variant, Rng& rng) {
    // big dog, small yappy dog, double bark, distant single woof, excited run
    struct Dog {
        float f0, seconds, gap, growl;
        int barks;
    };
    static const Dog kDogs[5] = {{260, 0.22f, 0.45f, 0.4f, 2},
                                 {620, 0.12f, 0.22f, 0.1f, 4},
                                 {380, 0.18f, 0.16f, 0.25f, 2},
                                 {200, 0.3f, 0.0f, 0.5f, 1},
                                 {450, 0.15f, 0.28f, 0.2f, 5}};
    const Dog& d = kDogs[variant % 5];
    std::vector<std::pair<float, Buffer>> parts;
    float t = 0.0f;
    for (int i = 0; i < d.barks; ++i) {
        parts.push_back({t, bark(rng, d.f0 * rng.range(0.95f, 1.05f),
                                 d.seconds * rng.range(0.9f, 1.1f), d.growl)});
        t += d.seconds + d.gap * rng.range(0.85f, 1.15f);
    }
    Buffer out = arrange(parts);
    if (variant == 3) { // distant: duller
        Biquad lp = Biquad::lowpass(1800);
        lp.processInPlace(out);
    }
    return out;
}

Buffer bleat(Rng& rng, float f0, float seconds, float quaver, float nasal) {
    VoiceSpec v;
    v.duration = seconds;
    v.pitch = {{0.0f, f0 * 0.9f}, {0.2f, f0 * 1.05f}, {1.0f, f0 * 0.88f}};
    v.amp = {{0.0f, 0.0f}, {0.1f, 1.0f}, {0.75f, 0.8f}, {1.0f, 0.0f}};
    v.formants = kBaa;
    if (nasal > 0) v.formants.push_back({2400, 300, -6 + 6 * nasal});
    v.tilt = 0.8f;
    v.maxHarmonics = 35;
    v.tremoloHz = quaver;
    v.tremoloDepth = 0.6f;
    v.vibratoHz = quaver;
    v.vibratoDepth = 0.025f;
    v.breath = 0.15f;
    v.roughness = 0.1f;
    v.jitter = 0.006f;
    return renderVoice(v, rng);
}

// One hoof landing: the wall of the hoof knocking the ground, the ground's thud, grit
// scuffed aside and, now and then, the iron shoe clipping a stone. `pitch` scales every
// frequency (the Doppler shift of a passing horse), `soft` is how yielding the ground is.
Buffer hoofHit(Rng& rng, float pitch, float soft) {
    Buffer hit = dampedSine(rng.range(300, 420) * pitch, 0.018f * (1.0f + soft));
    mixInto(hit, dampedSine(rng.range(850, 1100) * pitch, 0.01f), 0, 0.5f * (1.0f - 0.6f * soft));
    mixInto(hit, dampedSine(rng.range(95, 140) * pitch, 0.035f), 0, 0.8f + soft);
    mixInto(hit, noiseClick(rng, rng.range(1500, 3000) * pitch, 0.7f, rng.range(0.003f, 0.008f)),
            frames(0.002f), rng.range(0.6f, 1.3f));
    if (rng.chance(0.3 * (1.0 - soft)))
        mixInto(hit, dampedSine(rng.range(2800, 4200) * pitch, 0.012f),
                frames(rng.range(0.0f, 0.01f)), rng.range(0.2f, 0.45f));
    return hit;
}

Buffer hooves(int variant, Rng& rng) {
    // trot: two-beat, each diagonal pair landing almost together; canter: three-beat, then a
    // moment with all four hooves off the ground. A horse cantering past is heard through
    // the Doppler shift and the swell and fade of its distance.
    struct Gait {
        float seconds, stride;
        bool trot;
        float closest, speed, passAt, soft; ///< m, m/s, s, ground
    };
    static const Gait kGaits[3] = {
        {4.0f, 0.66f, true, 0.0f, 0.0f, 0.0f, 0.1f},   // trotting on a lane
        {5.0f, 0.58f, false, 5.0f, 9.0f, 2.3f, 0.15f}, // cantering past, close, on a track
        {6.0f, 0.64f, false, 14.0f, 7.0f, 3.4f, 0.6f}, // cantering past across a field
    };
    const Gait& g = kGaits[variant % 3];
    Buffer out(static_cast<std::size_t>(frames(g.seconds + 0.3)), 0.0f);
    Biquad lp = Biquad::lowpass(g.trot ? 4500.0f : 3800.0f);
    constexpr float sound = 343.0f;
    for (float t = 0.05f; t < g.seconds;) {
        const float stride = g.stride * rng.range(0.95f, 1.05f);
        std::vector<float> beats;
        if (g.trot) {
            for (float b : {0.0f, 0.5f}) { // a diagonal pair lands with a slight flam
                beats.push_back(b * stride);
                beats.push_back(b * stride + rng.range(0.006f, 0.025f));
            }
        } else {
            beats = {0.0f, stride * rng.range(0.17f, 0.22f), stride * rng.range(0.3f, 0.36f),
                     stride * rng.range(0.36f, 0.42f)};
        }
        for (float b : beats) {
            const float at = t + b + rng.range(-0.012f, 0.012f);
            float pitch = 1.0f, level = rng.range(0.7f, 1.0f);
            if (g.closest > 0) {
                const float x = g.speed * (at - g.passAt), dist = std::hypot(x, g.closest);
                // Approaching sounds higher, leaving lower; nearer is louder.
                pitch = sound / (sound + g.speed * x / dist);
                level *= g.closest / dist;
            }
            if (at < g.seconds) mixInto(out, hoofHit(rng, pitch, g.soft), frames(at), level);
        }
        t += stride;
    }
    for (float& x : out)
        x = lp.process(x);
    return out;
}

Buffer whinny(int variant, Rng& rng) {
    VoiceSpec v;
    v.duration = variant == 0 ? 1.6f : 1.3f;
    const float f = variant == 0 ? 1050.0f : 900.0f;
    v.pitch = {{0.0f, f * 0.7f},
               {0.12f, f * 1.25f},
               {0.35f, f * 1.1f},
               {0.75f, f * 0.7f},
               {1.0f, f * 0.45f}};
    v.amp = {{0.0f, 0.0f}, {0.06f, 1.0f}, {0.6f, 0.8f}, {0.9f, 0.4f}, {1.0f, 0.0f}};
    v.formants = {{1100, 500, 0}, {2400, 700, -6}, {3800, 1000, -14}};
    v.tilt = 0.9f;
    v.maxHarmonics = 18;
    // The whinny's shake is uneven: the second horse's wanders more and breaks into a nicker.
    v.vibratoHz = variant == 0 ? 11.0f : 8.5f;
    v.vibratoDepth = variant == 0 ? 0.06f : 0.09f;
    v.jitter = variant == 0 ? 0.02f : 0.04f;
    if (variant == 1) {
        v.duration = 2.1f;
        v.pitch = {{0.0f, f * 0.8f},  {0.08f, f * 1.3f}, {0.3f, f * 1.0f},
                   {0.5f, f * 1.15f}, {0.7f, f * 0.6f},  {1.0f, f * 0.35f}};
        v.amp = {{0.0f, 0.0f}, {0.05f, 1.0f}, {0.35f, 0.6f},
                 {0.5f, 0.9f}, {0.8f, 0.5f},  {1.0f, 0.0f}};
    }
    v.tremoloHz = 11.0f;
    v.tremoloDepth = 0.5f;
    v.breath = 0.2f;
    v.roughness = 0.2f;
    return renderVoice(v, rng);
}

Buffer snort(Rng& rng) {
    // A fluttering blast of air through the nostrils, then a smaller one.
    Buffer out(static_cast<std::size_t>(frames(1.5)), 0.0f);
    for (int k = 0; k < 2; ++k) {
        const float len = k == 0 ? 0.7f : 0.35f;
        const int n = frames(len);
        Biquad f1 = Biquad::bandpass(rng.range(450, 550), 2.0f);
        Biquad f2 = Biquad::bandpass(rng.range(1500, 1800), 2.0f);
        Biquad lp = Biquad::lowpass(4500);
        Buffer b(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i) {
            const float t = static_cast<float>(i) / kRate;
            const float env = attackDecay(t, 0.02f, len * 0.35f);
            const float flutter = 0.55f + 0.45f * std::sin(kTwoPi * 28.0f * t);
            const float w = rng.white();
            b[static_cast<std::size_t>(i)] =
                env * flutter * (lp.process(w) * 0.5f + 1.5f * f1.process(w) + f2.process(w));
        }
        mixInto(out, b, frames(k == 0 ? 0.0 : 0.8), k == 0 ? 1.0f : 0.55f);
    }
    return out;
}

Buffer geese(int variant, Rng& rng) {
    // a few honks; a flock passing over (honks crowding, swelling and fading); a low pair
    const int honks = 4 + 2 * variant + (variant == 1 ? 6 : 0);
    std::vector<std::pair<float, Buffer>> parts;
    float t = 0.0f;
    for (int i = 0; i < honks; ++i) {
        VoiceSpec v;
        v.duration = rng.range(0.16f, 0.28f);
        const float f = rng.range(380, 520) * (variant == 2 ? 0.85f : 1.0f);
        v.pitch = {{0.0f, f * 0.85f}, {0.3f, f * 1.1f}, {1.0f, f * 0.9f}};
        v.amp = {{0.0f, 0.0f}, {0.1f, 1.0f}, {0.7f, 0.8f}, {1.0f, 0.0f}};
        v.formants = {{1100, 250, 0}, {2500, 350, -2}, {3600, 600, -10}};
        v.tilt = 0.5f;
        v.maxHarmonics = 30;
        v.roughness = 0.6f;
        v.breath = 0.25f;
        v.jitter = 0.015f;
        Buffer honk = renderVoice(v, rng);
        if (variant == 1) { // the flock overhead halfway through
            const float u = static_cast<float>(i) / static_cast<float>(honks - 1);
            for (float& x : honk)
                x *= 0.25f + 0.75f * std::sin(3.1415927f * u) * rng.range(0.7f, 1.0f);
        }
        parts.push_back({t, std::move(honk)});
        t += variant == 1 ? rng.range(0.05f, 0.3f) : rng.range(0.12f, 0.45f);
    }
    return arrange(parts);
}

} // namespace

Buffer renderAnimal(Category c, int variant, Rng& rng) {
    switch (c) {
    case Category::Cow:
        return cow(variant, rng);
    case Category::Cat:
        return cat(variant, rng);
    case Category::Rooster:
        return rooster(variant, rng);
    case Category::Dog:
        return dog(variant, rng);
    case Category::Sheep: {
        // lamb: high, thin; sheep: lower, one or two baas each
        if (variant == 0)
            return arrange(
                {{0.0f, bleat(rng, 460, 0.6f, 9, 0)}, {0.9f, bleat(rng, 490, 0.5f, 9, 0)}});
        const float f0 = 190.0f + 30.0f * static_cast<float>(variant);
        if (variant % 2)
            return bleat(rng, f0, 1.0f + 0.1f * static_cast<float>(variant), 7.0f, 0.0f);
        return arrange(
            {{0.0f, bleat(rng, f0, 0.8f, 6.5f, 0)}, {1.2f, bleat(rng, f0 * 0.95f, 0.9f, 6.5f, 0)}});
    }
    case Category::Goat:
        return variant == 0 ? bleat(rng, 330, 1.0f, 11.0f, 1.0f)
                            : arrange({{0.0f, bleat(rng, 380, 0.6f, 12.0f, 1.0f)},
                                       {0.8f, bleat(rng, 360, 0.8f, 12.0f, 1.0f)}});
    case Category::Hooves:
        return hooves(variant, rng);
    case Category::Whinny:
        return whinny(variant, rng);
    case Category::Snort:
        return snort(rng);
    default:
        return geese(variant, rng);
    }
}

} // namespace velmora::factory
