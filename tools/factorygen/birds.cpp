// Birds: hoots, coos and cries are voices (source-filter with pitch contours); songbirds are
// whistled syllables; wing beats and woodpecker drumming are shaped noise and wood modes.
#include "recipes.h"
#include "voice.h"

namespace velmora::factory {

Buffer arrange(const std::vector<std::pair<float, Buffer>>& parts) {
    long end = 0;
    for (const auto& [start, b] : parts)
        end = std::max(end, frames(start) + static_cast<long>(b.size()));
    Buffer out(static_cast<std::size_t>(end), 0.0f);
    for (const auto& [start, b] : parts)
        mixInto(out, b, frames(start));
    return out;
}

namespace {

// A soft hoot: nearly pure, a little breath, a gentle swell.
Buffer hoot(Rng& rng, float hz, float seconds, float rise, float quaver = 0.0f) {
    VoiceSpec v;
    v.duration = seconds;
    v.pitch = {{0.0f, hz * 0.94f}, {0.3f, hz * rise}, {1.0f, hz * 0.92f}};
    v.amp = {{0.0f, 0.0f}, {0.12f, 1.0f}, {0.7f, 0.8f}, {1.0f, 0.0f}};
    v.tilt = 2.6f;
    v.maxHarmonics = 6;
    v.breath = 0.08f;
    v.formants = {{hz * 1.1f, hz * 1.5f, 0.0f}};
    v.vibratoHz = quaver > 0 ? 11.0f : 0.0f;
    v.vibratoDepth = quaver;
    v.tremoloHz = quaver > 0 ? 11.0f : 0.0f;
    v.tremoloDepth = quaver * 8.0f;
    v.jitter = 0.002f;
    return renderVoice(v, rng);
}

// A barn owl's screech: a hiss through the bird's resonances at 2.5-4 kHz with only a faint
// harsh tone under it, never a sung note.
Buffer screech(Rng& rng, float seconds, float hz) {
    VoiceSpec v;
    v.duration = seconds;
    v.pitch = {{0.0f, hz * 0.9f}, {0.2f, hz}, {1.0f, hz * 0.82f}};
    v.amp = {{0.0f, 0.0f}, {0.1f, 1.0f}, {0.75f, 0.7f}, {1.0f, 0.0f}};
    v.formants = {{2700, 900, 0}, {3600, 1100, -2}};
    v.tilt = 1.5f;
    v.maxHarmonics = 12;
    v.breath = 6.0f;
    v.roughness = 0.6f;
    v.jitter = 0.01f;
    v.formantFloorDb = -40.0f;
    Buffer b = renderVoice(v, rng);
    // The resonances' skirts would leave a hiss up to 20 kHz; the cry is dull above 5 kHz.
    for (int pass = 0; pass < 2; ++pass)
        Biquad::lowpass(5000).processInPlace(b);
    return b;
}

Buffer owl(int variant, Rng& rng) {
    switch (variant) {
    case 0: // barn owl: one long screech
        return screech(rng, 1.6f, 720.0f);
    case 1: // barn owl: two short ones in a row
        return arrange({{0.0f, screech(rng, 0.55f, 660.0f)}, {0.85f, screech(rng, 0.7f, 620.0f)}});
    case 2: // tawny owl: hoo ... hu-hoooo with a quaver
        return arrange({{0.0f, hoot(rng, 430, 0.55f, 1.04f)},
                        {1.5f, hoot(rng, 400, 0.16f, 1.0f)},
                        {1.9f, hoot(rng, 415, 1.3f, 1.05f, 0.012f)}});
    case 3: { // long-eared owl: a run of low, even hoots
        std::vector<std::pair<float, Buffer>> parts;
        for (int i = 0; i < 4; ++i)
            parts.push_back(
                {i * 1.1f + rng.range(0, 0.06f), hoot(rng, 330 + rng.range(-8, 8), 0.32f, 1.02f)});
        return arrange(parts);
    }
    default: { // little owl: a rising-falling mewing kiew
        std::vector<std::pair<float, Buffer>> parts;
        for (int i = 0; i < 2; ++i) {
            VoiceSpec v;
            v.duration = 0.5f;
            v.pitch = {{0.0f, 620}, {0.35f, 820}, {1.0f, 600}};
            v.amp = {{0.0f, 0.0f}, {0.15f, 1.0f}, {1.0f, 0.0f}};
            v.formants = {{800, 500, 0}, {2000, 1200, -12}};
            v.tilt = 1.6f;
            v.breath = 0.15f;
            parts.push_back({i * 1.4f, renderVoice(v, rng)});
        }
        return arrange(parts);
    }
    }
}

Buffer wings(int variant, Rng& rng) {
    const int flaps = variant == 0 ? 9 : 6;
    const float rate = variant == 0 ? 7.5f : 10.0f;
    Buffer out(static_cast<std::size_t>(frames(flaps / rate + 0.4)), 0.0f);
    for (int k = 0; k < flaps; ++k) {
        const float start = k / rate + rng.range(-0.01f, 0.01f);
        // A pigeon clattering up, loud at once; a smaller bird's wings, lighter and brighter,
        // beating harder as it climbs away.
        const float level = (variant == 0 ? std::pow(0.94f, static_cast<float>(k))
                                          : 0.5f + 0.5f * static_cast<float>(k) / flaps) *
                            rng.range(0.85f, 1.0f);
        Biquad body = variant == 0 ? Biquad::bandpass(rng.range(550, 1000), 0.8f)
                                   : Biquad::bandpass(rng.range(1100, 1800), 1.0f);
        Biquad thump = Biquad::lowpass(260);
        const int n = frames(0.12);
        Buffer flap(static_cast<std::size_t>(n));
        Biquad feathers = Biquad::lowpass(3500); // a whoosh of air, not a hiss
        for (int i = 0; i < n; ++i) {
            const float t = static_cast<float>(i) / kRate;
            const float env = attackDecay(t, 0.012f, 0.028f);
            const float w = rng.white();
            flap[static_cast<std::size_t>(i)] =
                env * feathers.process(body.process(w) + 2.5f * thump.process(w));
        }
        mixInto(out, flap, frames(std::max(start, 0.0f)), level);
    }
    return out;
}

Buffer dove(int variant, Rng& rng) {
    // Each pattern is (start, length, pitch, swell) of one coo.
    struct Coo {
        float start, length, hz, swell;
    };
    static const std::vector<Coo> patterns[3] = {
        {{0.0f, 0.35f, 470, 1.06f}, {0.5f, 0.55f, 520, 1.08f}, {1.2f, 0.3f, 450, 1.0f}},
        {{0.0f, 0.7f, 410, 1.1f},
         {0.9f, 0.25f, 430, 1.0f},
         {1.25f, 0.25f, 430, 1.0f},
         {1.6f, 0.45f, 400, 0.95f}},
        {{0.0f, 0.3f, 560, 1.04f},
         {0.4f, 0.6f, 590, 1.07f},
         {1.25f, 0.35f, 540, 0.98f},
         {1.9f, 0.3f, 560, 1.04f},
         {2.3f, 0.6f, 590, 1.06f}},
    };
    std::vector<std::pair<float, Buffer>> parts;
    for (const Coo& c : patterns[variant % 3]) {
        VoiceSpec v;
        v.duration = c.length;
        v.pitch = {{0.0f, c.hz * 0.9f}, {0.4f, c.hz * c.swell}, {1.0f, c.hz * 0.88f}};
        v.amp = {{0.0f, 0.0f}, {0.3f, 1.0f}, {0.8f, 0.7f}, {1.0f, 0.0f}};
        v.tilt = 2.2f;
        v.maxHarmonics = 8;
        v.formants = {{c.hz, 300, 0}, {c.hz * 2.2f, 500, -14}};
        v.breath = 0.05f;
        v.jitter = 0.003f;
        parts.push_back({c.start, renderVoice(v, rng)});
    }
    return arrange(parts);
}

Buffer gullCry(Rng& rng, float hz, float seconds, bool laugh) {
    VoiceSpec v;
    v.duration = seconds;
    if (laugh)
        v.pitch = {{0.0f, hz * 1.15f}, {0.3f, hz * 1.2f}, {1.0f, hz * 0.9f}};
    else
        v.pitch = {{0.0f, hz * 0.8f}, {0.15f, hz * 1.25f}, {0.5f, hz * 1.1f}, {1.0f, hz * 0.75f}};
    v.amp = {{0.0f, 0.0f}, {0.08f, 1.0f}, {0.6f, 0.8f}, {1.0f, 0.0f}};
    v.formants = {{hz * 1.2f, 600, 0}, {2900, 1200, -4}, {5200, 1800, -12}};
    v.tilt = 0.8f;
    v.breath = 0.12f;
    v.roughness = 0.15f;
    v.jitter = 0.01f;
    return renderVoice(v, rng);
}

Buffer gull(int variant, Rng& rng) {
    std::vector<std::pair<float, Buffer>> parts;
    if (variant == 0) {
        parts.push_back({0.0f, gullCry(rng, 850, 0.7f, false)});
        for (int i = 0; i < 5; ++i)
            parts.push_back({0.95f + i * 0.21f, gullCry(rng, 900 - 20.0f * i, 0.16f, true)});
    } else {
        const int calls = variant == 1 ? 7 : 10;
        float t = 0.0f;
        for (int i = 0; i < calls; ++i) {
            const bool laugh = rng.chance(0.4);
            const float len = laugh ? rng.range(0.12f, 0.2f) : rng.range(0.35f, 0.8f);
            parts.push_back({t, gullCry(rng, rng.range(700, 1150), len, laugh)});
            t += rng.range(0.12f, 0.5f) + (laugh ? 0.0f : len * 0.4f);
        }
    }
    return arrange(parts);
}

Buffer loon(int variant, Rng& rng) {
    VoiceSpec v;
    v.tilt = 2.0f;
    v.maxHarmonics = 10;
    v.formants = {{1000, 900, 0}, {2500, 1500, -12}};
    v.breath = 0.03f;
    v.jitter = 0.002f;
    if (variant == 0) { // wail: two long notes joined by a glide
        v.duration = 3.6f;
        v.pitch = {{0.0f, 620}, {0.08f, 680}, {0.4f, 690}, {0.55f, 960}, {0.9f, 940}, {1.0f, 860}};
        v.amp = {{0.0f, 0.0f}, {0.1f, 1.0f}, {0.45f, 0.8f},
                 {0.6f, 1.0f}, {0.9f, 0.8f}, {1.0f, 0.0f}};
        v.vibratoHz = 5.0f;
        v.vibratoDepth = 0.004f;
    } else if (variant == 1) { // tremolo: a quavering laugh
        v.duration = 2.2f;
        v.pitch = {{0.0f, 800}, {0.3f, 900}, {1.0f, 780}};
        v.amp = {{0.0f, 0.0f}, {0.08f, 1.0f}, {0.8f, 0.9f}, {1.0f, 0.0f}};
        v.tremoloHz = 9.5f;
        v.tremoloDepth = 0.9f;
        v.vibratoHz = 9.5f;
        v.vibratoDepth = 0.03f;
    } else { // yodel: rising swoops
        v.duration = 4.2f;
        v.pitch = {{0.0f, 600},  {0.15f, 900},  {0.25f, 1050}, {0.35f, 820}, {0.45f, 1080},
                   {0.55f, 830}, {0.65f, 1100}, {0.75f, 840},  {1.0f, 760}};
        v.amp = {{0.0f, 0.0f}, {0.06f, 1.0f}, {0.85f, 0.85f}, {1.0f, 0.0f}};
    }
    return renderVoice(v, rng);
}

Chirp note(float start, float dur, float f0, float f1, float amp = 1.0f) {
    Chirp c;
    c.start = start;
    c.duration = dur;
    c.freq = {{0.0f, f0}, {1.0f, f1}};
    c.amp = amp;
    return c;
}

Buffer lark(int variant, Rng& rng) {
    std::vector<Chirp> song;
    if (variant == 2) { // skylark: a long unbroken torrent of notes
        float t = 0.0f;
        while (t < 7.5f) {
            const float dur = rng.range(0.035f, 0.11f);
            const float f = rng.logRange(2200, 6000);
            Chirp c = note(t, dur, f, f * rng.range(0.7f, 1.4f), rng.range(0.5f, 1.0f));
            if (rng.chance(0.25)) {
                c.fmHz = rng.range(40, 90);
                c.fmDepth = 0.08f;
            }
            song.push_back(c);
            t += dur + rng.range(0.0f, 0.03f);
        }
    } else { // woodlark-like: a falling, slowing series of liquid lu notes
        const int count = variant == 0 ? 12 : 16;
        float t = 0.0f;
        for (int i = 0; i < count; ++i) {
            const float f = (variant == 0 ? 3400.0f : 3000.0f) - 60.0f * static_cast<float>(i) +
                            rng.range(-80, 80);
            Chirp c = note(t, 0.09f, f * 1.15f, f * 0.85f, 1.0f - 0.03f * static_cast<float>(i));
            c.fmHz = 30;
            c.fmDepth = 0.02f;
            song.push_back(c);
            t += 0.13f + 0.012f * static_cast<float>(i);
        }
    }
    return renderChirps(song);
}

Buffer woodpecker(Rng& rng) {
    Buffer out(static_cast<std::size_t>(frames(2.8)), 0.0f);
    for (int roll = 0; roll < 2; ++roll) {
        const float base = roll * 1.6f;
        const int knocks = 18 + rng.below(5);
        for (int k = 0; k < knocks; ++k) {
            const float t = base + k / 19.0f;
            const float level =
                0.6f + 0.4f * std::sin(std::numbers::pi_v<float> * (k + 1) / (knocks + 1));
            Buffer knock = dampedSine(rng.range(900, 1000), 0.012f);
            mixInto(knock, dampedSine(rng.range(1700, 1850), 0.007f), 0, 0.6f);
            mixInto(knock, noiseClick(rng, 3000, 1.0f, 0.002f), 0, 1.5f);
            mixInto(out, knock, frames(t), level);
        }
    }
    return out;
}

Buffer pureCall(Rng& rng, float seconds, Curve pitch, float formantHz, float roughness,
                float breath, float tilt) {
    VoiceSpec v;
    v.duration = seconds;
    v.pitch = std::move(pitch);
    v.amp = {{0.0f, 0.0f}, {0.1f, 1.0f}, {0.7f, 0.8f}, {1.0f, 0.0f}};
    v.formants = {{formantHz, formantHz * 0.7f, 0}, {formantHz * 2.3f, formantHz, -6}};
    v.tilt = tilt;
    v.breath = breath;
    v.roughness = roughness;
    v.jitter = 0.008f;
    return renderVoice(v, rng);
}

// A wren's song runs through several trills, 10-20 notes a second in 4-8 kHz, and changes
// its note at every section: a falling slur, a rising one, a hooked note, a dry tick, a
// buzzy rattle. Pitch drifts a little across a section rather than wobbling round a centre.
void wrenSong(std::vector<Chirp>& s, Rng& rng) {
    enum Type { Falling, Rising, Hooked, Tick, Buzz, Flat, kTypes };
    // Every section its own note: the types in a shuffled order.
    int order[kTypes] = {Falling, Rising, Hooked, Tick, Buzz, Flat};
    for (int i = kTypes - 1; i > 0; --i)
        std::swap(order[i], order[rng.below(i + 1)]);
    const int sections = 4 + rng.below(3);
    float t = 0.0f;
    for (int k = 0; k < sections; ++k) {
        const int type = order[k];
        const float rate = rng.range(10.0f, 20.0f);
        const int count = 5 + rng.below(8);
        const float f = rng.range(4800.0f, 6200.0f), drift = rng.range(-0.08f, 0.08f);
        const float level = rng.range(0.7f, 1.0f);
        for (int i = 0; i < count; ++i) {
            const float fi = f *
                             (1.0f + drift * static_cast<float>(i) / static_cast<float>(count)) *
                             rng.range(0.98f, 1.02f);
            Chirp c;
            c.start = t + static_cast<float>(i) / rate;
            c.duration = 0.6f / rate;
            c.amp = level;
            switch (type) {
            case Falling:
                c.freq = {{0.0f, fi * 1.2f}, {1.0f, fi * 0.82f}};
                break;
            case Rising:
                c.freq = {{0.0f, fi * 0.84f}, {1.0f, fi * 1.18f}};
                break;
            case Hooked:
                c.freq = {{0.0f, fi * 0.88f}, {0.4f, fi * 1.15f}, {1.0f, fi * 0.9f}};
                break;
            case Tick:
                c.duration = 0.018f;
                c.freq = {{0.0f, fi * 1.25f}, {1.0f, fi * 0.8f}};
                c.h2 = 0.25f;
                c.h3 = 0.15f;
                break;
            case Buzz:
                c.freq = {{0.0f, fi * 0.97f}, {1.0f, fi * 0.95f}};
                c.amHz = rng.range(110.0f, 160.0f);
                c.amDepth = 0.8f;
                break;
            default:
                c.freq = {{0.0f, fi}, {1.0f, fi * 0.96f}};
                break;
            }
            s.push_back(c);
        }
        t += static_cast<float>(count) / rate + rng.range(0.12f, 0.2f);
    }
}

} // namespace

Buffer songbirdPhrase(int species, Rng& rng) {
    std::vector<Chirp> s;
    float t = 0.0f;
    switch (species) {
    case 0: // finch: bright twitter of swoops
        for (int i = 0; i < 22; ++i) {
            const float f = rng.range(2800, 5200);
            s.push_back(note(t, rng.range(0.03f, 0.07f), f, f * rng.range(0.6f, 1.5f),
                             rng.range(0.5f, 1.0f)));
            t += rng.range(0.06f, 0.12f);
        }
        break;
    case 1: // blue tit: two thin tsee notes, then a falling trill
        s.push_back(note(0.0f, 0.14f, 7200, 7000));
        s.push_back(note(0.22f, 0.14f, 7300, 7100));
        for (int i = 0; i < 8; ++i)
            s.push_back(note(0.5f + i * 0.075f, 0.05f, 4600 - 60.0f * i, 3900 - 60.0f * i, 0.8f));
        break;
    case 2:
    case 3:
    case 8: { // starling: whistles, clicks and rattles
        const int parts = species == 3 ? 14 : 11;
        for (int i = 0; i < parts; ++i) {
            const int kind = rng.below(3);
            if (kind == 0)
                s.push_back(
                    note(t, rng.range(0.2f, 0.4f), rng.range(3000, 4200), rng.range(1300, 2000)));
            else if (kind == 1) {
                Chirp c = note(t, rng.range(0.15f, 0.3f), rng.range(2500, 5000),
                               rng.range(2500, 5000), 0.7f);
                c.amHz = rng.range(40, 70);
                c.amDepth = 0.95f;
                c.h2 = 0.4f;
                c.h3 = 0.3f;
                s.push_back(c);
            } else {
                Chirp c = note(t, rng.range(0.06f, 0.12f), rng.range(5000, 7000),
                               rng.range(3000, 6000), 0.8f);
                c.fmHz = 120;
                c.fmDepth = 0.1f;
                s.push_back(c);
            }
            t += s.back().duration + rng.range(0.04f, 0.15f);
        }
        break;
    }
    case 4: // robin: liquid warble of wide leaps
        for (int i = 0; i < 16; ++i) {
            const float f = rng.logRange(2500, 7500);
            Chirp c = note(t, rng.range(0.04f, 0.12f), f, f * rng.range(0.8f, 1.25f),
                           rng.range(0.4f, 1.0f));
            if (rng.chance(0.3)) {
                c.fmHz = rng.range(25, 60);
                c.fmDepth = 0.05f;
            }
            s.push_back(c);
            t += c.duration + rng.range(0.01f, 0.06f);
        }
        break;
    case 5: // chaffinch: an accelerating, falling trill with a flourish at the end
        for (int i = 0; i < 5; ++i)
            s.push_back(note(t + i * 0.12f, 0.07f, 6200, 5600));
        t += 0.65f;
        for (int i = 0; i < 7; ++i)
            s.push_back(note(t + i * 0.075f, 0.05f, 4800 - 150.0f * i, 4000 - 150.0f * i));
        t += 0.6f;
        s.push_back(note(t, 0.2f, 2900, 4200));
        s.push_back(note(t + 0.22f, 0.18f, 4300, 2600));
        break;
    case 6: // sparrow: harsh repeated cheeps
        for (int i = 0; i < 8; ++i) {
            Chirp c;
            c.start = t;
            c.duration = rng.range(0.08f, 0.13f);
            const float f = rng.range(3200, 4300);
            c.freq = {{0.0f, f * 0.8f}, {0.3f, f * 1.1f}, {1.0f, f * 0.85f}};
            c.h2 = 0.35f;
            c.h3 = 0.2f;
            s.push_back(c);
            t += c.duration + rng.range(0.12f, 0.25f);
        }
        break;
    case 7: { // song thrush: short phrases, each sung two or three times
        for (int p = 0; p < 3; ++p) {
            std::vector<Chirp> phrase;
            float pt = 0.0f;
            for (int i = 0; i < 3 + rng.below(2); ++i) {
                const float f = rng.logRange(2000, 5500);
                phrase.push_back(note(pt, rng.range(0.05f, 0.1f), f, f * rng.range(0.8f, 1.3f),
                                      rng.range(0.6f, 1.0f)));
                pt += phrase.back().duration + 0.03f;
            }
            const int repeats = 2 + rng.below(2);
            for (int r = 0; r < repeats; ++r) {
                for (Chirp c : phrase) {
                    c.start += t;
                    s.push_back(c);
                }
                t += pt + 0.12f;
            }
            t += 0.25f;
        }
        break;
    }
    case 9: // kingfisher: shrill piping whistles
        for (int i = 0; i < 5; ++i) {
            s.push_back(note(t, 0.12f, 6400, 7000));
            t += rng.range(0.25f, 0.45f);
        }
        break;
    default: // wren: a loud, fast song of trilled sections, each of its own note
        wrenSong(s, rng);
        break;
    }
    return renderChirps(s);
}

Buffer renderBird(Category c, int variant, Rng& rng) {
    switch (c) {
    case Category::Owl:
        return owl(variant, rng);
    case Category::WingsFlap:
        return wings(variant, rng);
    case Category::Dove:
        return dove(variant, rng);
    case Category::Gull:
        return gull(variant, rng);
    case Category::Loon:
        return loon(variant, rng);
    case Category::Lark:
        return lark(variant, rng);
    case Category::Woodpecker:
        return woodpecker(rng);
    case Category::Cuckoo:
        return arrange(
            {{0.0f, pureCall(rng, 0.25f, {{0.0f, 690}, {1.0f, 670}}, 700, 0, 0.03f, 2.8f)},
             {0.35f, pureCall(rng, 0.4f, {{0.0f, 575}, {1.0f, 555}}, 580, 0, 0.03f, 2.8f)},
             {1.2f, pureCall(rng, 0.25f, {{0.0f, 690}, {1.0f, 670}}, 700, 0, 0.03f, 2.8f)},
             {1.55f, pureCall(rng, 0.4f, {{0.0f, 575}, {1.0f, 555}}, 580, 0, 0.03f, 2.8f)}});
    case Category::Crow: {
        std::vector<std::pair<float, Buffer>> parts;
        for (int i = 0; i < 3; ++i)
            parts.push_back(
                {i * 0.55f, pureCall(rng, 0.38f, {{0.0f, 560}, {0.3f, 600}, {1.0f, 430}}, 1300,
                                     0.8f, 0.7f, 0.5f)});
        return arrange(parts);
    }
    case Category::Duck: {
        std::vector<std::pair<float, Buffer>> parts;
        for (int i = 0; i < 4; ++i)
            parts.push_back(
                {i * 0.32f, pureCall(rng, 0.2f, {{0.0f, 330 - 15.0f * i}, {1.0f, 260 - 15.0f * i}},
                                     1100, 0.5f, 0.5f, 0.4f)});
        return arrange(parts);
    }
    default:
        return songbirdPhrase(variant, rng);
    }
}

} // namespace velmora::factory
