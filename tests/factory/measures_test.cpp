// The believability measures: first on made-up sounds whose answer is known, then over the
// whole factory library, which they report on (closest pairs, worst edges, small-speaker
// loudness, loop repetition, size). A measure is asserted once the library meets it.
#include "factory/measures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <numbers>
#include <set>

using namespace velmora::factory;
using namespace velmora::factory::test;
namespace fs = std::filesystem;

namespace {

// White noise from a fixed-seed generator, so the made-up sounds are the same every run.
Samples noise(double seconds, std::uint32_t seed) {
    Samples s(static_cast<std::size_t>(seconds * kRate));
    for (float& x : s) {
        seed = seed * 1664525u + 1013904223u;
        x = static_cast<float>(seed >> 8) / static_cast<float>(1u << 24) - 0.5f;
    }
    return s;
}

Samples shaped(Samples s, double (*shape)(double u)) {
    for (std::size_t i = 0; i < s.size(); ++i)
        s[i] *= static_cast<float>(shape(static_cast<double>(i) / static_cast<double>(s.size())));
    return s;
}

double decaying(double u) {
    return std::exp(-u * 8);
}
double swelling(double u) {
    return u * u;
}

Samples sine(double hz, double seconds, double amp) {
    Samples s(static_cast<std::size_t>(seconds * kRate));
    for (std::size_t i = 0; i < s.size(); ++i)
        s[i] = static_cast<float>(
            amp * std::sin(2 * std::numbers::pi * hz * static_cast<double>(i) / kRate));
    return s;
}

// Noise through a one-pole low-pass whose cut-off follows `cutoffAt(seconds)`.
Samples sweptNoise(double seconds, double (*cutoffAt)(double t)) {
    Samples s = noise(seconds, 7);
    double y1 = 0, y2 = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double a =
            1 - std::exp(-2 * std::numbers::pi * cutoffAt(static_cast<double>(i) / kRate) / kRate);
        y1 += a * (s[i] - y1);
        y2 += a * (y1 - y2);
        s[i] = static_cast<float>(y2);
    }
    return s;
}

bool underLibraryRun() {
    return libraryExpected();
}

// Where the library already meets a measure, it is held to it; the rest is only reported.
// No sound may have a near-twin in its bank.
// Sounds of these kinds may have no hard spectral edge.
const std::set<Category> kEdgeFree = {Category::ThunderRumble, Category::RollingThunder,
                                      Category::ThunderCrack, Category::Wave};

} // namespace

TEST(BelievabilityMeasures, NearTwinsNeedBothOneColourAndOneShape) {
    const Samples a = shaped(noise(3, 1), decaying), quieter = [&] {
        Samples q = shaped(noise(3, 2), decaying);
        for (float& x : q)
            x *= 0.3f;
        return q;
    }();
    // Different noise, different level, one colour and shape: twins.
    const double same = logSpectralDistance(logBandLevels(a), logBandLevels(quieter));
    const double sameShape = envelopeShapeCorrelation(shapeEnvelope(a), shapeEnvelope(quieter));
    EXPECT_LT(same, 1.5);
    EXPECT_GT(sameShape, 0.9);
    EXPECT_TRUE(nearTwins(same, sameShape));

    // One colour, opposite shapes in time: told apart by shape.
    const Samples swell = shaped(noise(3, 3), swelling);
    const double opposite = envelopeShapeCorrelation(shapeEnvelope(a), shapeEnvelope(swell));
    EXPECT_LT(opposite, 0.3);
    EXPECT_FALSE(nearTwins(logSpectralDistance(logBandLevels(a), logBandLevels(swell)), opposite));

    // One shape, dark against bright: told apart by colour.
    Samples dark = a, bright = shaped(noise(3, 4), decaying);
    lowPass(dark, 500);
    highPass(bright, 4000);
    EXPECT_GT(logSpectralDistance(logBandLevels(dark), logBandLevels(bright)), 10.0);
    // A longer copy padded with silence is still the same shape at its start.
    EXPECT_GT(envelopeShapeCorrelation(shapeEnvelope(a),
                                       shapeEnvelope(Samples(a.begin(), a.end() - kRate / 2))),
              0.9);
}

TEST(BelievabilityMeasures, AFilterThatJumpsIsAnEdgeAndOneThatGlidesIsNot) {
    const Samples jumped = sweptNoise(3, [](double t) { return t < 1.5 ? 800.0 : 5100.0; });
    const SpectralEdge edge = largestSpectralEdge(jumped, 0.0);
    EXPECT_GT(edge.jumpDb, 20.0);
    EXPECT_NEAR(edge.atSeconds, 1.5, 0.1);
    EXPECT_GE(edge.bandHz, 2000.0);

    const Samples glided = sweptNoise(
        3, [](double t) { return 800.0 + 4300.0 * std::clamp((t - 1.5) / 0.4, 0.0, 1.0); });
    EXPECT_LT(largestSpectralEdge(glided, 0.0).jumpDb, 20.0);

    // Hiss switched on hard after quiet: an edge, unless it is the attack being skipped.
    Samples switched(static_cast<std::size_t>(kRate), 0.0f);
    const Samples hiss = noise(2, 9);
    switched.insert(switched.end(), hiss.begin(), hiss.end());
    EXPECT_GT(largestSpectralEdge(switched, 0.0).jumpDb, 20.0);
    EXPECT_LT(largestSpectralEdge(switched, 1.2).jumpDb, 20.0);
}

TEST(BelievabilityMeasures, SmallSpeakerLoudnessLosesTheBass) {
    const double bass = smallSpeakerLoudness(sine(60, 5, 0.3)),
                 voice = smallSpeakerLoudness(sine(1000, 5, 0.3));
    EXPECT_NEAR(voice, loudness(sine(1000, 5, 0.3)).integrated, 0.5);
    EXPECT_LT(bass, voice - 15.0);
}

TEST(BelievabilityMeasures, LoopRepetitionRisesWithLoudEventsAndFallsWithLength) {
    // A steady bed repeats without anyone noticing.
    EXPECT_LT(loopRepetition(noise(32.5, 5)), 0.05);

    // A 4 kHz call every few seconds over a quiet bed, in a 32.5 s loop and in a 100 s one.
    auto withCalls = [](double seconds) {
        Samples s = noise(seconds, 11);
        for (float& x : s)
            x *= 0.02f;
        const Samples call =
            shaped(sine(4000, 0.4, 0.5), [](double u) { return std::sin(std::numbers::pi * u); });
        for (double at = 1.3; at + 0.4 < seconds; at += 2.9 + std::fmod(at * 7.3, 3.1)) {
            const auto o = static_cast<std::size_t>(at * kRate);
            for (std::size_t i = 0; i < call.size(); ++i)
                s[o + i] += call[i];
        }
        return s;
    };
    const double shortLoop = loopRepetition(withCalls(32.5)),
                 longLoop = loopRepetition(withCalls(100));
    EXPECT_GT(shortLoop, 0.25);
    EXPECT_LT(longLoop, 0.25);
    EXPECT_LT(longLoop, shortLoop / 2);
}

// Over the library: prints every measure; asserts those the library meets.
TEST(BelievabilityMeasures, FactoryLibraryReport) {
    if (!underLibraryRun()) GTEST_SKIP() << "factory library generation is off in this build";

    struct Sound {
        const Entry* entry;
        Samples samples;
        std::vector<double> levels, shape;
    };
    std::map<int, std::vector<Sound>> banks; // one-shot banks by hundreds of the slot file
    std::vector<Sound> loops;
    for (const Entry& e : catalogue()) {
        const bool slot = e.path.rfind("bin/", 0) == 0;
        if (!slot || e.kind == Kind::Tone) continue;
        Sound s{&e, decode(programFolder() / e.path), {}, {}};
        ASSERT_FALSE(s.samples.empty()) << e.path;
        s.levels = logBandLevels(s.samples);
        if (e.kind == Kind::OneShot) {
            s.shape = shapeEnvelope(s.samples);
            banks[(std::stoi(e.path.substr(4)) - 1) / 50].push_back(std::move(s));
        } else {
            loops.push_back(std::move(s));
        }
    }

    std::printf("\n== near-twins (colour distance < 2.5 dB and shape correlation > 0.6)\n");
    int twins = 0;
    for (const auto& [bank, sounds] : banks) {
        struct Pair {
            double distance, correlation;
            const Entry *a, *b;
        };
        std::vector<Pair> pairs;
        for (std::size_t i = 0; i < sounds.size(); ++i)
            for (std::size_t j = i + 1; j < sounds.size(); ++j)
                pairs.push_back({logSpectralDistance(sounds[i].levels, sounds[j].levels),
                                 envelopeShapeCorrelation(sounds[i].shape, sounds[j].shape),
                                 sounds[i].entry, sounds[j].entry});
        int bankTwins = 0;
        for (const Pair& p : pairs) {
            const bool twin = nearTwins(p.distance, p.correlation);
            bankTwins += twin;
            EXPECT_FALSE(twin) << p.a->caption << " / " << p.b->caption << " sound alike";
        }
        twins += bankTwins;
        std::sort(pairs.begin(), pairs.end(),
                  [](const Pair& x, const Pair& y) { return x.distance < y.distance; });
        std::printf("bank of %s: %d near-twin pairs; closest:\n",
                    sounds.front().entry->path.c_str(), bankTwins);
        // Every near-twin, then the closest pairs that are not.
        int shown = 0;
        for (const Pair& p : pairs)
            if (nearTwins(p.distance, p.correlation) || shown++ < 3)
                std::printf("  %5.2f dB  r=%5.2f %s %s / %s\n", p.distance, p.correlation,
                            nearTwins(p.distance, p.correlation) ? "TWIN" : "    ",
                            p.a->caption.c_str(), p.b->caption.c_str());
    }
    // Loops of one bank: told apart by colour alone (their shapes are all "steady").
    int loopTwins = 0;
    for (std::size_t i = 0; i < loops.size(); ++i)
        for (std::size_t j = i + 1; j < loops.size(); ++j) {
            const double d = logSpectralDistance(loops[i].levels, loops[j].levels);
            auto bankOf = [](const Entry* e) { return std::stoi(e->path.substr(4)) > 50; };
            const bool sameBank = bankOf(loops[i].entry) == bankOf(loops[j].entry);
            if (d < 2.5 && sameBank) {
                ++loopTwins;
                ADD_FAILURE() << loops[i].entry->caption << " / " << loops[j].entry->caption
                              << " sound alike";
                std::printf("  loops %5.2f dB  %s / %s\n", d, loops[i].entry->caption.c_str(),
                            loops[j].entry->caption.c_str());
            }
        }
    std::printf("one-shot near-twins: %d, loop near-twins: %d\n", twins, loopTwins);

    std::printf(
        "\n== spectral edges (> 20 dB frame to frame above 2 kHz; one-shots from 0.15 s)\n");
    int edged = 0;
    auto edgeOf = [&](const Sound& s) {
        const SpectralEdge e =
            largestSpectralEdge(s.samples, s.entry->kind == Kind::OneShot ? 0.15 : 0.0);
        EXPECT_FALSE(e.jumpDb > 20 && kEdgeFree.count(s.entry->category))
            << s.entry->caption << ": " << e.jumpDb << " dB at " << e.atSeconds << " s";
        if (e.jumpDb > 20) {
            ++edged;
            std::printf("  %5.1f dB at %5.2f s, %5.0f Hz  %s (%s)\n", e.jumpDb, e.atSeconds,
                        e.bandHz, s.entry->path.c_str(), s.entry->caption.c_str());
        }
    };
    for (const auto& [bank, sounds] : banks)
        for (const Sound& s : sounds)
            edgeOf(s);
    for (const Sound& s : loops)
        edgeOf(s);
    std::printf("sounds with an edge: %d\n", edged);

    std::printf("\n== small-speaker loudness of loops (200 Hz high-pass, -23 LUFS within 4 LU)\n");
    int quietOnSmall = 0;
    for (const Sound& s : loops) {
        const double l = smallSpeakerLoudness(s.samples);
        EXPECT_NEAR(l, -23.0, 4.0) << s.entry->caption << " on a small speaker";
        if (std::fabs(l + 23) > 4) {
            ++quietOnSmall;
            std::printf("  %6.1f LUFS  %s (%s)\n", l, s.entry->path.c_str(),
                        s.entry->caption.c_str());
        }
    }
    std::printf("loops outside: %d\n", quietOnSmall);

    std::printf("\n== loop repetition (2-8 kHz events one loop later, below 0.25)\n");
    int repeating = 0;
    for (const Sound& s : loops) {
        const double r = loopRepetition(s.samples);
        if (r >= 0.25) ++repeating;
        EXPECT_LT(r, 0.25) << s.entry->caption << " gives its loop away";
        std::printf("  %.3f %s %s (%s)\n", r, r >= 0.25 ? "REPEATS" : "       ",
                    s.entry->path.c_str(), s.entry->caption.c_str());
    }
    std::printf("loops repeating: %d\n", repeating);

    // What the generator writes: every catalogued file and the pictures (not the program
    // itself, nor anything a test run leaves in the folder).
    std::uintmax_t bytes = 0;
    for (const Entry& e : catalogue())
        bytes += fs::file_size(programFolder() / e.path);
    for (const auto& f : fs::recursive_directory_iterator(programFolder() / "visual"))
        if (f.is_regular_file()) bytes += f.file_size();
    std::printf("\n== size of the factory tree: %.1f MB (limit 150)\n",
                static_cast<double>(bytes) / 1e6);
    EXPECT_LT(bytes, 150'000'000u);
}
