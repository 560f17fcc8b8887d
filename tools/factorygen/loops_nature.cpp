// Water, habitat, insect and fire loops. Running water is a dense ring of rising bubble notes
// over a rushing bed; habitats are rings of calls (birds, frogs, insects, at several distances)
// over a soft air bed; insect choruses are rings of overlapping songs; fire is a flame roar
// with bursts of crackles and pops.
#include "loop_tools.h"
#include "recipes.h"
#include "voice.h"

namespace velmora::factory {

namespace {

// A call heard from further away: quieter and duller.
Buffer distant(Buffer b, float distance) {
    Biquad lp = Biquad::lowpass(9000.0f / (1.0f + 2.5f * distance));
    lp.processInPlace(b);
    return b;
}

Buffer airBed(long length, Rng& rng, float low, float high, int points) {
    PeriodicCurve level(rng, length, points, 0.4f, 1.0f);
    PinkNoise pink;
    Biquad hp = Biquad::highpass(low), lp = Biquad::lowpass(high);
    return seamlessBed(
        length, [&](long i) { return lp.process(hp.process(pink.next(rng))) * level.at(i); });
}

Buffer waterLoop(int variant, long length, Rng& rng) {
    // bubbles per second, bubble pitch range, bed level, bed band, roar
    struct Water {
        float rate, lowHz, highHz, bed, bedLow, bedHigh, roar;
    };
    static const Water kWater[5] = {
        {700, 1500, 5000, 0.9f, 1500, 12000, 0.0f}, // fountain: splashing droplets
        {260, 500, 2500, 0.35f, 300, 6000, 0.2f},   // stream: babbling
        {600, 300, 1800, 0.8f, 150, 5000, 0.8f},    // river: a broad rush
        {900, 400, 3000, 2.0f, 100, 9000, 1.2f},    // waterfall: a roar
        {180, 700, 3200, 0.25f, 400, 7000, 0.1f},   // brook: small and clear
    };
    const Water& w = kWater[variant % 5];
    Ring ring(length);
    PeriodicCurve rate(rng, length, 11, w.rate * 0.6f, w.rate * 1.4f);
    PeriodicCurve pitch(rng, length, 7, 0.8f, 1.25f);
    for (long at : eventTimes(rng, length, rate)) {
        const float hz = rng.logRange(w.lowHz, w.highHz) * pitch.at(at);
        Buffer b = dampedSine(hz, rng.range(0.004f, 0.012f) * (1500.0f / hz + 0.5f),
                              rng.range(1.2f, 1.9f));
        ring.add(at, b, std::pow(rng.range(0.1f, 1.0f), 2.0f));
    }
    Buffer out = std::move(ring.buffer());
    PinkNoise pink;
    BrownNoise brown;
    Biquad hp = Biquad::highpass(w.bedLow), lp = Biquad::lowpass(w.bedHigh),
           roarLp = Biquad::lowpass(400);
    PeriodicCurve surge(rng, length, 13, 0.7f, 1.0f);
    OnePole churn(3.0f);
    Buffer bed = seamlessBed(length, [&](long i) {
        const float c = 1.0f + 0.4f * churn.process(rng.white() * 3.0f);
        return (lp.process(hp.process(pink.next(rng))) * c +
                w.roar * 2.0f * roarLp.process(brown.next(rng))) *
               surge.at(i);
    });
    addInto(out, bed, w.bed * 0.4f);
    return out;
}

// Jungle calls: hoots, whoops and rising koel-like cries built from whistles.
Buffer jungleCall(Rng& rng, bool indian) {
    std::vector<Chirp> s;
    const int notes = 2 + rng.below(4);
    const float base = indian ? rng.range(800, 1300) : rng.range(500, 1600);
    float t = 0.0f;
    for (int i = 0; i < notes; ++i) {
        Chirp c;
        c.start = t;
        c.duration = rng.range(0.15f, 0.45f);
        const float f =
            base * (indian ? 1.0f + 0.12f * static_cast<float>(i) : rng.range(0.8f, 1.3f));
        c.freq = {{0.0f, f * 0.8f}, {0.6f, f * 1.15f}, {1.0f, f}};
        c.h2 = 0.2f;
        c.h3 = 0.1f;
        s.push_back(c);
        t += c.duration + rng.range(0.08f, 0.3f);
    }
    return renderChirps(s);
}

Buffer habitatLoop(int variant, long length, Rng& rng) {
    Ring ring(length);
    auto scatter = [&](float perSecond, float gain, auto&& make) {
        PeriodicCurve rate(rng, length, 6, perSecond * 0.4f, perSecond * 1.6f);
        for (long at : eventTimes(rng, length, rate)) {
            const float d = rng.range(0.0f, 1.0f);
            ring.add(at, distant(make(), d), gain * (1.0f - 0.8f * d));
        }
    };
    auto birds = [&](float perSecond, float gain) {
        scatter(perSecond, gain, [&] { return songbirdPhrase(rng.below(11), rng); });
    };
    auto crickets = [&](int kind, float perSecond, float gain) {
        scatter(perSecond, gain, [&] { return cricketSong(kind, rng.range(3.0f, 8.0f), rng); });
    };
    auto frogs = [&](int from, int count, float perSecond, float gain) {
        scatter(perSecond, gain, [&] { return frogCall(from + rng.below(count), rng); });
    };
    auto cicadas = [&](int kind, float perSecond, float gain) {
        scatter(perSecond, gain, [&] { return cicadaSong(kind, rng.range(4.0f, 10.0f), rng); });
    };
    Buffer bed;
    switch (variant) {
    case 0: // pine forest: needles hissing in the wind, a few far birds
        bed = airBed(length, rng, 1500, 7000, 9);
        birds(0.12f, 0.15f);
        scatter(0.03f, 0.1f, [&] { return renderBird(Category::Woodpecker, 0, rng); });
        break;
    case 1: // woodland birds
        bed = airBed(length, rng, 200, 3000, 7);
        birds(0.9f, 0.3f);
        scatter(0.05f, 0.2f, [&] { return renderBird(Category::Dove, rng.below(3), rng); });
        break;
    case 2: // country meadow: larks high up, crickets in the grass, a passing bee
        bed = airBed(length, rng, 300, 4000, 7);
        scatter(0.1f, 0.2f, [&] { return renderBird(Category::Lark, rng.below(3), rng); });
        crickets(5, 0.35f, 0.06f);
        scatter(0.05f, 0.15f, [&] { return renderInsect(Category::Bee, rng.below(6), rng); });
        birds(0.15f, 0.15f);
        break;
    case 3: // country lake: lapping water, ducks and frogs, birds across the water
        bed = airBed(length, rng, 100, 1200, 9);
        scatter(0.4f, 0.2f, [&] { return renderWeather(Category::Wave, 8, rng); });
        scatter(0.06f, 0.15f, [&] { return renderBird(Category::Duck, 0, rng); });
        frogs(0, 3, 0.12f, 0.12f);
        birds(0.25f, 0.15f);
        break;
    case 4: // African jungle
        bed = airBed(length, rng, 200, 5000, 7);
        cicadas(0, 0.12f, 0.08f);
        scatter(0.35f, 0.2f, [&] { return jungleCall(rng, false); });
        birds(0.3f, 0.12f);
        frogs(4, 2, 0.15f, 0.08f);
        break;
    case 5: // Indian jungle
        bed = airBed(length, rng, 200, 5000, 7);
        cicadas(3, 0.1f, 0.07f);
        scatter(0.25f, 0.22f, [&] { return jungleCall(rng, true); });
        crickets(4, 0.25f, 0.05f);
        birds(0.3f, 0.12f);
        break;
    case 6: // rainforest: insects, drips, frogs and birds, dense and humid
        bed = airBed(length, rng, 1500, 9000, 9);
        cicadas(rng.below(5), 0.25f, 0.07f);
        frogs(4, 2, 0.4f, 0.1f);
        scatter(3.0f, 0.1f, [&] { return dampedSine(rng.logRange(900, 3000), 0.01f, 1.6f); });
        scatter(0.3f, 0.18f, [&] { return jungleCall(rng, false); });
        birds(0.3f, 0.1f);
        break;
    case 7: // dawn chorus: every bird at once
        bed = airBed(length, rng, 200, 2500, 7);
        birds(2.2f, 0.3f);
        break;
    default: // marsh at dusk: frogs, crickets, the last birds
        bed = airBed(length, rng, 100, 1500, 7);
        frogs(0, 3, 0.6f, 0.2f);
        frogs(4, 2, 0.3f, 0.1f);
        crickets(0, 0.3f, 0.05f);
        birds(0.05f, 0.08f);
        break;
    }
    Buffer out = std::move(ring.buffer());
    addInto(out, bed, 0.08f);
    return out;
}

Buffer insectLoop(int variant, long length, Rng& rng) {
    Ring ring(length);
    // Each singer keeps singing round the whole loop, with short pauses between songs, so the
    // chorus never drops out; singers start at random places and differ in distance.
    auto singers = [&](auto&& make, int count, float gain, float maxPause) {
        for (int v = 0; v < count; ++v) {
            const float level = gain * rng.range(0.3f, 1.0f);
            long t = static_cast<long>(rng.uniform() * static_cast<double>(length));
            long covered = 0;
            while (covered < length) {
                const Buffer song = make();
                ring.add(t, song, level);
                const long step =
                    static_cast<long>(song.size()) + frames(rng.range(0.2f, maxPause));
                t += step;
                covered += step;
            }
        }
    };
    switch (variant) {
    case 0: // night crickets: a few slow singers near and far
        singers([&] { return cricketSong(4 + rng.below(2), rng.range(4.0f, 12.0f), rng); }, 4, 0.5f,
                3.0f);
        singers([&] { return cricketSong(0, rng.range(6.0f, 14.0f), rng); }, 1, 0.2f, 4.0f);
        break;
    case 1: // crickets by day: many, busy
        singers([&] { return cricketSong(rng.below(6), rng.range(3.0f, 9.0f), rng); }, 6, 0.5f,
                2.0f);
        break;
    case 2:
        singers([&] { return cicadaSong(3, rng.range(5.0f, 12.0f), rng); }, 4, 0.6f, 2.0f);
        break;
    case 3:
        singers([&] { return cicadaSong(0, rng.range(6.0f, 14.0f), rng); }, 4, 0.6f, 2.0f);
        break;
    case 4:
        singers([&] { return cicadaSong(1 + rng.below(2), rng.range(4.0f, 10.0f), rng); }, 5, 0.6f,
                2.0f);
        break;
    case 5: // summer night: crickets, a katydid, a far frog
        singers([&] { return cricketSong(5, rng.range(4.0f, 10.0f), rng); }, 4, 0.5f, 3.0f);
        singers([&] { return renderInsect(Category::Katydid, rng.below(3), rng); }, 1, 0.3f, 6.0f);
        singers([&] { return distant(frogCall(rng.below(3), rng), 0.8f); }, 1, 0.08f, 12.0f);
        break;
    default: // cicada grove: many cicadas swelling together
        singers([&] { return cicadaSong(rng.below(5), rng.range(5.0f, 12.0f), rng); }, 7, 0.5f,
                2.0f);
        break;
    }
    Buffer out = std::move(ring.buffer());
    addInto(out, airBed(length, rng, 150, 1500, 6), 0.03f);
    return out;
}

Buffer fireLoop(int variant, long length, Rng& rng) {
    // crackles per second, pops per second, roar level, hiss level, muffle cut-off
    struct Fire {
        float crackles, pops, roar, hiss, muffle;
    };
    static const Fire kFire[3] = {{30, 0.6f, 0.3f, 0.4f, 14000},
                                  {70, 1.5f, 0.2f, 0.5f, 16000},
                                  {22, 0.3f, 0.2f, 0.25f, 8000}};
    const Fire& f = kFire[variant % 3];
    Ring ring(length);
    // Crackles come in bursts as pockets of sap burst: the rate itself flickers.
    // (Point counts follow the length, so a longer fire flickers at the same pace.)
    const int seconds = static_cast<int>(length / kRate);
    PeriodicCurve burst(rng, length, 2 * seconds, 0.1f, 2.2f);
    PeriodicCurve crackleRate(rng, length, 3, f.crackles, f.crackles);
    for (long at : eventTimes(rng, length, crackleRate)) {
        if (!rng.chance(std::min(1.0f, std::max(0.0f, burst.at(at)) * 0.6f))) continue;
        ring.add(at, noiseClick(rng, rng.range(1500, 7000), 0.8f, rng.range(0.0003f, 0.002f)),
                 std::pow(rng.range(0.1f, 1.0f), 2.0f) * 5.0f);
    }
    PeriodicCurve popRate(rng, length, 3, f.pops, f.pops);
    for (long at : eventTimes(rng, length, popRate)) {
        Buffer pop = noiseClick(rng, rng.range(700, 1800), 0.7f, rng.range(0.003f, 0.008f));
        mixInto(pop, dampedSine(rng.range(120, 250), 0.02f), 0, 0.5f);
        ring.add(at, pop, rng.range(0.4f, 1.0f) * 2.0f);
    }
    Buffer out = std::move(ring.buffer());
    BrownNoise brown;
    Biquad roarLp = Biquad::lowpass(220), hissHp = Biquad::highpass(3000);
    PeriodicCurve flame(rng, length, 4 * seconds / 3, 0.5f, 1.0f);
    OnePole flicker(6.0f);
    Buffer bed = seamlessBed(length, [&](long i) {
        const float fl = flame.at(i) * (1.0f + 0.5f * flicker.process(rng.white() * 3.0f));
        return f.roar * 3.0f * roarLp.process(brown.next(rng)) * fl +
               f.hiss * 0.15f * hissHp.process(rng.white()) * fl;
    });
    addInto(out, bed);
    filterCircular(out, Biquad::lowpass(f.muffle));
    return out;
}

} // namespace

Buffer renderNatureLoop(Category c, int variant, int length, Rng& rng) {
    switch (c) {
    case Category::WaterLoop:
        return waterLoop(variant, length, rng);
    case Category::HabitatLoop:
        return habitatLoop(variant, length, rng);
    case Category::InsectLoop:
        return insectLoop(variant, length, rng);
    default:
        return fireLoop(variant, length, rng);
    }
}

} // namespace velmora::factory
