// The master bus heard through offline rendering: equaliser bands, every reverb value,
// removing effects, and the limiter.
#include "audio/parametric_eq.h"
#include "audio_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace velmora::audio::test {
namespace {

constexpr int kRate = kSampleRate;

class EffectsTest : public ::testing::Test {
  protected:
    /// Level (dB) of a steady tone with the given effect setup, measured after it settles.
    template <class Setup> double toneLevel(double hz, Setup setup) {
        SoundEngine engine(Backend::Offline);
        const std::string path = folder.path("tone" + std::to_string(int(hz)) + ".wav");
        writeWav(path, sine(hz, kRate), kRate);
        const ChannelHandle ch = engine.play(engine.loadSample(path));
        engine.setVolume(ch, 40); // leaves headroom for +15 dB without touching the limiter
        setup(engine);
        auto out = render(engine, 22050);
        return toDb(rms(out, 0, 8000, 22050));
    }

    /// The wet part of the reverb's response to a single click (dry response removed).
    std::vector<float> reverbResponse(const ReverbParams& params, double seconds = 3.0) {
        std::vector<float> click(4, 0.0f);
        click[0] = 0.5f;
        const std::string path = folder.path("click.wav");
        writeWav(path, click, kRate);
        SoundEngine engine(Backend::Offline);
        const int id = engine.enableEffect(kSystemChannel, EffectType::Reverb);
        EXPECT_GE(id, 0);
        engine.setReverb(id, params);
        engine.play(engine.loadSample(path));
        auto out = render(engine, static_cast<int>(seconds * kRate));
        // The dry click leaves the limiter's look-ahead delay at frame 64; everything
        // after it is reverb (the first reflection is never earlier).
        for (int i = 0; i < 2 * 65; ++i)
            out[i] = 0.0f;
        return out;
    }

    static double energy(const std::vector<float>& s, double fromS, double toS) {
        double e = 0;
        const auto from = static_cast<std::size_t>(fromS * kRate),
                   to = std::min(s.size() / 2, std::size_t(toS * kRate));
        for (std::size_t i = from; i < to; ++i)
            e += double(s[2 * i]) * s[2 * i] + double(s[2 * i + 1]) * s[2 * i + 1];
        return e;
    }
    /// Share of the energy above roughly 5 kHz (first difference against the signal).
    static double brightness(const std::vector<float>& s, double fromS, double toS) {
        double diff = 0, all = 0;
        for (auto i = static_cast<std::size_t>(fromS * kRate) + 1; i < std::size_t(toS * kRate);
             ++i) {
            const double d = s[2 * i] - s[2 * (i - 1)];
            diff += d * d;
            all += double(s[2 * i]) * s[2 * i];
        }
        return all > 0 ? diff / all : 0;
    }
    static double firstSound(const std::vector<float>& s) {
        for (std::size_t i = 0; i < s.size() / 2; ++i)
            if (std::fabs(s[2 * i]) > 1e-7f || std::fabs(s[2 * i + 1]) > 1e-7f)
                return double(i - 64) / kRate; // less the limiter's look-ahead
        return -1;
    }

    TempFolder folder;
};

TEST_F(EffectsTest, EqualiserBandRaisesItsCentreAndLeavesFarFrequencies) {
    auto boost = [](SoundEngine& e) {
        e.setParamEq(e.enableEffect(kSystemChannel, EffectType::ParamEq), 1000, 18, 15);
    };
    auto none = [](SoundEngine&) {};
    EXPECT_NEAR(toneLevel(1000, boost) - toneLevel(1000, none), 15.0, 0.5);
    EXPECT_LT(std::fabs(toneLevel(100, boost) - toneLevel(100, none)), 1.5);
    auto cut = [](SoundEngine& e) {
        e.setParamEq(e.enableEffect(kSystemChannel, EffectType::ParamEq), 1000, 18, -15);
    };
    EXPECT_NEAR(toneLevel(1000, cut) - toneLevel(1000, none), -15.0, 0.5);
    // Bands near the top of the range still behave (the equaliser's last band is 16 kHz).
    auto high = [](SoundEngine& e) {
        e.setParamEq(e.enableEffect(kSystemChannel, EffectType::ParamEq), 16000, 18, 10);
    };
    EXPECT_NEAR(toneLevel(16000, high) - toneLevel(16000, none), 10.0, 0.5);
}

TEST_F(EffectsTest, FlatBandsAndDisabledEffectsLeaveTheMixUntouched) {
    const double dry = toneLevel(1000, [](SoundEngine&) {});
    const double flat = toneLevel(1000, [](SoundEngine& e) {
        const float centres[] = {80, 170, 310, 600, 1000, 3000, 6000, 12000, 14000, 16000};
        for (float c : centres)
            e.setParamEq(e.enableEffect(kSystemChannel, EffectType::ParamEq), c, 18, 0);
    });
    EXPECT_DOUBLE_EQ(flat, dry);
    const double removed = toneLevel(1000, [](SoundEngine& e) {
        const int eq = e.enableEffect(kSystemChannel, EffectType::ParamEq);
        e.setParamEq(eq, 1000, 18, 12);
        e.enableEffect(kSystemChannel, EffectType::Reverb);
        e.disableEffects(kSystemChannel);
        e.setParamEq(eq, 1000, 18, 12); // a handle from before the disable does nothing
    });
    EXPECT_DOUBLE_EQ(removed, dry);
}

TEST_F(EffectsTest, EffectsAreRefusedOffTheSystemChannelAndWhenFull) {
    SoundEngine engine(Backend::Offline);
    EXPECT_EQ(engine.enableEffect(3, EffectType::ParamEq), -1);
    EXPECT_EQ(engine.enableEffect(kSystemChannel, static_cast<EffectType>(5)), -1);
    int ok = 0;
    for (int i = 0; i < 40; ++i)
        ok += engine.enableEffect(kSystemChannel, EffectType::ParamEq) >= 0;
    EXPECT_EQ(ok, 16);
    engine.disableEffects(kSystemChannel);
    EXPECT_GE(engine.enableEffect(kSystemChannel, EffectType::Reverb), 0);
    EXPECT_LT(engine.effectMemoryBytes(), 1u << 20);
}

TEST_F(EffectsTest, ReverbDecayTimeIsTheMeasuredRt60) {
    ReverbParams p;
    p.room = 0;
    p.decayHFRatio = 1.0f;
    p.decayTime = 2.0f;
    EXPECT_NEAR(rt60(reverbResponse(p, 4.0), kRate), 2.0, 0.3);
    p.decayTime = 0.5f;
    EXPECT_NEAR(rt60(reverbResponse(p, 2.0), kRate), 0.5, 0.075);
}

TEST_F(EffectsTest, RoomAtMinus10000LeavesNoReverb) {
    ReverbParams p;
    p.room = -10000;
    EXPECT_EQ(energy(reverbResponse(p, 1.0), 0, 1.0), 0.0);
}

TEST_F(EffectsTest, EveryReverbValueIsAudible) {
    ReverbParams base;
    base.room = -1000;
    const auto ref = reverbResponse(base);
    const double refEnergy = energy(ref, 0, 3);
    auto with = [&](auto change) {
        ReverbParams p = base;
        change(p);
        return reverbResponse(p);
    };

    // Levels in millibels: 1000 mB is 10 dB.
    EXPECT_NEAR(10 * std::log10(energy(with([](auto& p) { p.room = -2000; }), 0, 3) / refEnergy),
                -10, 0.5);
    EXPECT_NEAR(
        10 * std::log10(energy(with([](auto& p) { p.roomRolloffFactor = 1; }), 0, 3) / refEnergy),
        -6.02, 0.3);
    EXPECT_NEAR(10 * std::log10(energy(with([](auto& p) { p.reverb = -800; }), 0.05, 3) /
                                energy(ref, 0.05, 3)),
                -10, 0.5);
    const double earlyRef = energy(ref, 0, 0.017);
    EXPECT_NEAR(
        10 * std::log10(energy(with([](auto& p) { p.reflections = -3602; }), 0, 0.017) / earlyRef),
        -10, 0.5);

    // Times: the first reflection and the start of the late reverb move.
    EXPECT_NEAR(firstSound(with([](auto& p) { p.reflectionsDelay = 0.1f; })), 0.1, 0.002);
    EXPECT_NEAR(firstSound(with([](auto& p) {
                    p.reflections = -10000;
                    p.reverbDelay = 0.05f;
                })),
                0.007 + 0.05, 0.002);
    EXPECT_GT(rt60(with([](auto& p) { p.decayTime = 3.0f; }), kRate), 1.3 * rt60(ref, kRate));

    // Tone colour: less room HF or a shorter HF decay darkens the reverb; the HF reference
    // moves where that darkening starts.
    const double bright = brightness(ref, 0.02, 1.0);
    EXPECT_LT(brightness(with([](auto& p) { p.roomHF = -2000; }), 0.02, 1.0), 0.7 * bright);
    EXPECT_LT(brightness(with([](auto& p) { p.decayHFRatio = 0.2f; }), 0.3, 1.0),
              0.7 * brightness(ref, 0.3, 1.0));
    EXPECT_LT(brightness(with([](auto& p) {
                             p.roomHF = -2000;
                             p.hfReference = 1000;
                         }),
                         0.02, 1.0),
              0.8 * brightness(with([](auto& p) {
                                   p.roomHF = -2000;
                                   p.hfReference = 10000;
                               }),
                               0.02, 1.0));

    // Texture: without diffusion the tail is a spiky train of echoes; with low density the
    // echoes crowd together in time.
    auto crest = [](const std::vector<float>& s) {
        double peak = 0, sum = 0;
        const int from = int(0.03 * kRate), to = int(0.2 * kRate);
        for (int i = from; i < to; ++i) {
            peak = std::max(peak, double(std::fabs(s[2 * i])));
            sum += double(s[2 * i]) * s[2 * i];
        }
        return peak / std::sqrt(sum / (to - from));
    };
    EXPECT_GT(crest(with([](auto& p) { p.diffusion = 0; })), 1.5 * crest(ref));
    auto echoes = [](const std::vector<float>& s) {
        int count = 0;
        for (int i = int(0.02 * kRate); i < int(0.1 * kRate); ++i)
            count += std::fabs(s[2 * i]) > 1e-6f;
        return count;
    };
    auto sparse = [](ReverbParams& p) {
        p.diffusion = 0;
        p.reflections = -10000;
    };
    EXPECT_GT(echoes(with([&](auto& p) {
                  sparse(p);
                  p.density = 0;
              })),
              echoes(with(sparse)) + 5);
}

TEST_F(EffectsTest, LimiterIsTransparentAtOrdinaryLevelsAndNeverClips) {
    const std::string path = folder.path("loud.wav");
    writeWav(path, sine(200, kRate, 0.9), kRate);
    SoundEngine engine(Backend::Offline);
    const SampleHandle s = engine.loadSample(path);
    const ChannelHandle one = engine.play(s);
    auto quiet = render(engine, 4410);
    // One voice at centre: the input exactly, delayed by the look-ahead.
    std::vector<float> pcm = sine(200, 4410, 0.9);
    for (int i = 100; i < 4410; ++i) {
        // libsndfile writes float as x * 32767; the engine plays 16-bit as v / 32768.
        const float expected = std::nearbyint(pcm[i - 64] * 32767.0f) / 32768.0f * std::sqrt(0.5f);
        ASSERT_NEAR(quiet[2 * i], expected, 1e-6) << i;
    }
    engine.stop(one);
    for (int i = 0; i < 32; ++i)
        engine.play(s);
    auto loud = render(engine, 22050);
    float peak = 0;
    for (float v : loud)
        peak = std::max(peak, std::fabs(v));
    EXPECT_LE(peak, 0.945f);
    EXPECT_GT(peak, 0.9f);
    // The limited sine keeps its shape: a clean sine spends about 6 frames per period
    // within 0.1 % of its peak (about 310 here); a clipped one would spend most of it.
    int atPeak = 0;
    for (std::size_t i = 2 * 11025; i < loud.size(); i += 2)
        atPeak += std::fabs(loud[i]) > 0.999f * peak;
    EXPECT_LT(atPeak, 600);
}

} // namespace
} // namespace velmora::audio::test

namespace velmora::audio::test {
namespace {

// Ten bands run as one pipelined cascade must give exactly what ten bands one after
// another give, across block boundaries and for short blocks.
TEST(EqCascadeTest, MatchesBandsRunOneAfterAnother) {
    const float centres[] = {80, 170, 310, 600, 1000, 3000, 6000, 12000, 14000, 16000};
    ParametricEqBand serial[10], piped[10];
    ParametricEqBand* run[10];
    for (int b = 0; b < 10; ++b) {
        const auto c = designPeakingEq(centres[b], 18, static_cast<float>(b % 2 ? -7 + b : 9 - b),
                                       kSampleRate);
        serial[b].setCoefficients(c);
        piped[b].setCoefficients(c);
        run[b] = &piped[b];
    }
    std::vector<float> l(3000), r(3000);
    unsigned seed = 1;
    for (std::size_t i = 0; i < l.size(); ++i) {
        seed = seed * 1664525u + 1013904223u;
        l[i] = static_cast<float>(seed >> 8) / 16777216.0f - 0.5f;
        r[i] = static_cast<float>(i % 50) / 100.0f - 0.25f;
    }
    std::vector<float> l2 = l, r2 = r;
    for (int at = 0, n = 256; at < 3000; at += n, n = n == 256 ? 3 : 256) {
        const int len = std::min(n, 3000 - at);
        for (auto& band : serial)
            band.process(l.data() + at, r.data() + at, len);
        EqCascade::process(run, 10, l2.data() + at, r2.data() + at, len);
    }
    EXPECT_EQ(l, l2);
    EXPECT_EQ(r, r2);
}

// A steady tone through every kind of effect change: toggling the reverb off and on,
// moving its values, switching the equaliser on. Each change must sound like the settings
// on either side of it: no step between samples larger than the steady sound's own, and
// never a dip towards silence.
TEST_F(EffectsTest, EffectChangesNeitherClickNorGap) {
    SoundEngine engine(Backend::Offline);
    const std::string path = folder.path("steady.wav");
    writeWav(path, sine(210, kRate), kRate); // a whole number of cycles: a seamless loop
    const ChannelHandle ch = engine.play(engine.loadSample(path));
    engine.setLoopMode(ch, kLoopNormal);
    engine.setVolume(ch, 100);
    ReverbParams hall;
    hall.room = 0;
    hall.reverb = 0;
    hall.decayTime = 3.0f;
    ReverbParams small = hall;
    small.decayTime = 0.4f;
    small.reflectionsDelay = 0.05f;
    small.reverbDelay = 0.08f;
    auto reverbOn = [&](const ReverbParams& p) {
        engine.setReverb(engine.enableEffect(kSystemChannel, EffectType::Reverb), p);
    };

    std::vector<float> out;
    std::vector<int> changes;
    auto play = [&](double seconds) {
        auto part = render(engine, int(seconds * kRate));
        out.insert(out.end(), part.begin(), part.end());
    };
    auto change = [&](auto&& what) {
        changes.push_back(int(out.size() / 2));
        what();
        play(1.0);
    };
    reverbOn(hall);
    play(2.0);
    change([&] { engine.disableEffects(kSystemChannel); });
    change([&] { reverbOn(hall); });
    change([&] {
        engine.disableEffects(kSystemChannel); // the window re-applies everything at once
        reverbOn(small);
    });
    change([&] {
        engine.disableEffects(kSystemChannel);
        engine.setParamEq(engine.enableEffect(kSystemChannel, EffectType::ParamEq), 210, 18, 8);
        reverbOn(small);
    });
    changes.push_back(int(out.size() / 2));

    const int settled = kRate / 4;
    const int changing = kRate / 25; // twice the longest fade the engine may use
    const double dryRms = rms(out, 0, changes[1] + settled, changes[2]);
    for (std::size_t i = 0; i + 1 < changes.size(); ++i) {
        const int at = changes[i];
        for (int c = 0; c < 2; ++c) {
            // A room that builds up may swell for a while: that is sound, not a click.
            const double steady = std::max(largestStep(out, c, at - settled, at),
                                           largestStep(out, c, at + changing, changes[i + 1]));
            EXPECT_LE(largestStep(out, c, at - 1, at + changing), 1.05 * steady)
                << "change " << i << " channel " << c;
        }
        for (int w = at; w + 441 < at + settled; w += 441)
            EXPECT_GT(rms(out, 0, w, w + 441), 0.7 * dryRms) << "change " << i;
    }
}

} // namespace
} // namespace velmora::audio::test
