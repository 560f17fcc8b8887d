// Mixer behaviour heard through offline rendering: levels, pan, channel allocation and
// handles, loops, stops, pause, determinism and the back ends' fallbacks.
#include "audio/handle_codec.h"
#include "audio_test_support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <numbers>
#include <thread>

namespace velmora::audio::test {
namespace {

constexpr int kRate = kSampleRate;

class ChannelsTest : public ::testing::Test {
  protected:
    SampleHandle load(const std::vector<float>& mono, const std::string& name = "s.wav") {
        const std::string path = folder.path(name);
        EXPECT_TRUE(writeWav(path, mono, kRate));
        return engine.loadSample(path);
    }

    TempFolder folder;
    SoundEngine engine{Backend::Offline};
};

TEST_F(ChannelsTest, PanAndVolumeSetChannelLevels) {
    const SampleHandle tone = load(sine(1000, kRate));
    ChannelHandle ch = engine.play(tone);
    ASSERT_TRUE(ch.valid());

    engine.setPan(ch, 0);
    auto out = render(engine, 4410);
    EXPECT_GT(rms(out, 0, 1000, 4410), 0.2);
    EXPECT_EQ(rms(out, 1, 1000, 4410), 0.0) << "pan 0 must silence the right channel";

    engine.setPan(ch, 255);
    out = render(engine, 4410);
    EXPECT_EQ(rms(out, 0, 1000, 4410), 0.0) << "pan 255 must silence the left channel";
    EXPECT_GT(rms(out, 1, 1000, 4410), 0.2);

    engine.setPan(ch, 128);
    out = render(engine, 4410);
    const double full = rms(out, 0, 1000, 4410);
    EXPECT_NEAR(full, rms(out, 1, 1000, 4410), 1e-6) << "128 is the centre";
    // Constant power: each side at -3 dB of the hard-panned level.
    EXPECT_NEAR(toDb(full / (0.5 / std::sqrt(2.0))), -3.01, 0.1);

    engine.setVolume(ch, 128);
    out = render(engine, 4410);
    EXPECT_NEAR(toDb(rms(out, 0, 1000, 4410) / full), -6.0, 0.2);
    EXPECT_EQ(engine.volume(ch), 128);

    engine.setVolume(ch, 3000); // one caller passes 3000: counts as full volume
    out = render(engine, 4410);
    EXPECT_EQ(engine.volume(ch), 255);
    EXPECT_NEAR(rms(out, 0, 1000, 4410), full, 1e-6);
}

TEST_F(ChannelsTest, ThirtyThreeSoundsDoNotFitAndAStopFreesAChannel) {
    const SampleHandle tone = load(sine(440, kRate));
    std::vector<ChannelHandle> handles;
    for (int i = 0; i < kChannelCount; ++i) {
        handles.push_back(engine.play(tone));
        ASSERT_TRUE(handles.back().valid()) << i;
    }
    EXPECT_EQ(engine.playingCount(), 32);
    EXPECT_FALSE(engine.play(tone).valid());

    engine.stop(handles[7]);
    EXPECT_FALSE(engine.isPlaying(handles[7]));
    const ChannelHandle again = engine.play(tone);
    EXPECT_TRUE(again.valid());
    EXPECT_NE(again, handles[7]);
    EXPECT_EQ(engine.playingCount(), 32);
}

TEST_F(ChannelsTest, OneShotEndsFreesItsChannelAndItsStaleHandleChangesNothing) {
    const SampleHandle blip = load(sine(1000, 2205), "blip.wav");
    const SampleHandle tone = load(sine(1000, kRate), "tone.wav");
    const ChannelHandle old = engine.play(blip);
    ASSERT_TRUE(engine.isPlaying(old));
    render(engine, 1000);
    EXPECT_TRUE(engine.isPlaying(old));
    render(engine, 2000);
    EXPECT_FALSE(engine.isPlaying(old)) << "a one-shot ends by itself";
    EXPECT_EQ(engine.playingCount(), 0);
    EXPECT_EQ(engine.volume(old), -1);

    const ChannelHandle now = engine.play(tone); // takes the channel the blip left
    ASSERT_TRUE(now.valid());
    EXPECT_EQ(now.raw % 32, old.raw % 32);
    auto reference = render(engine, 4410);

    engine.setVolume(old, 0);
    engine.setPan(old, 0);
    engine.setLoopMode(old, kLoopNormal);
    engine.stop(old);
    EXPECT_TRUE(engine.isPlaying(now));
    EXPECT_EQ(engine.volume(now), 255);
    EXPECT_EQ(engine.pan(now), 128);
    auto out = render(engine, 4410);
    EXPECT_NEAR(rms(out, 1, 0, 4410), rms(reference, 1, 1000, 4410), 1e-3);
}

TEST_F(ChannelsTest, LoopCrossesItsEndWithoutADiscontinuity) {
    // Exactly ten periods of 100 Hz, so a seamless loop is one continuous sine.
    const SampleHandle loop = load(sine(100, 4410));
    const ChannelHandle ch = engine.play(loop);
    engine.setLoopMode(ch, kLoopNormal);
    auto out = render(engine, 4410 * 4);
    EXPECT_TRUE(engine.isPlaying(ch));
    const double gain = std::sqrt(0.5);
    const double smoothStep = 0.5 * gain * 2 * std::numbers::pi * 100 / kRate;
    EXPECT_LT(largestStep(out, 0, 100, 4410 * 4), smoothStep * 1.05);
    // Level across the loop points equals the level inside one pass.
    EXPECT_NEAR(rms(out, 0, 4000, 9000), rms(out, 0, 100, 4100), 1e-3);
}

TEST_F(ChannelsTest, StopsAndVolumeStepsGlideInsteadOfClicking) {
    const SampleHandle tone = load(sine(1000, kRate));
    const ChannelHandle a = engine.play(tone);
    render(engine, 2000);
    engine.setVolume(a, 0);
    auto out = render(engine, 2000);
    const double smoothStep = 0.5 * std::sqrt(0.5) * 2 * std::numbers::pi * 1000 / kRate;
    EXPECT_LT(largestStep(out, 0, 0, 2000), smoothStep * 1.05);
    EXPECT_EQ(rms(out, 0, 1000, 2000), 0.0);

    const ChannelHandle b = engine.play(tone);
    render(engine, 2000);
    engine.stop(b);
    EXPECT_FALSE(engine.isPlaying(b));
    out = render(engine, 2000);
    EXPECT_LT(largestStep(out, 0, 0, 2000), smoothStep * 1.05);
    EXPECT_GT(rms(out, 0, 0, 64), 0.1) << "the fade starts from where the sound was";
    EXPECT_EQ(rms(out, 0, 64 + 90, 2000), 0.0) << "silent about 2 ms after the stop";
}

TEST_F(ChannelsTest, PauseSilencesEverythingAndResumeContinues) {
    const SampleHandle blip = load(sine(1000, 4410)); // 100 ms
    const ChannelHandle ch = engine.play(blip);
    render(engine, 2205);
    engine.setPaused(kSystemChannel, true);
    EXPECT_TRUE(engine.isPaused());
    auto out = render(engine, 44100);
    EXPECT_EQ(rms(out, 0, 200, 44100), 0.0);
    EXPECT_TRUE(engine.isPlaying(ch)) << "a paused sound is held, not ended";

    engine.setPaused(kSystemChannel, false);
    out = render(engine, 4410);
    // What was left of the 100 ms plays out after the resume, then silence.
    EXPECT_GT(rms(out, 0, 100, 1800), 0.2);
    EXPECT_EQ(rms(out, 0, 2600, 4410), 0.0);
    EXPECT_FALSE(engine.isPlaying(ch));
}

TEST_F(ChannelsTest, SameSessionRendersToTheSameBytes) {
    auto session = [&](SoundEngine& e) {
        const SampleHandle a = e.loadSample(folder.path("a.wav"));
        const SampleHandle b = e.loadSample(folder.path("b.wav"));
        const ChannelHandle x = e.play(a);
        e.setLoopMode(x, kLoopNormal);
        e.setPan(x, 30);
        const int eq = e.enableEffect(kSystemChannel, EffectType::ParamEq);
        e.setParamEq(eq, 1000, 18, 6);
        const int rv = e.enableEffect(kSystemChannel, EffectType::Reverb);
        e.setReverb(rv, ReverbParams{});
        std::vector<std::int16_t> pcm(2 * 30000);
        e.render(pcm.data(), 10000);
        const ChannelHandle y = e.play(b);
        e.setVolume(y, 77);
        e.render(pcm.data() + 20000, 10000);
        e.stop(x);
        e.render(pcm.data() + 40000, 10000);
        return pcm;
    };
    ASSERT_TRUE(writeWav(folder.path("a.wav"), sine(300, 20000), kRate));
    ASSERT_TRUE(writeWav(folder.path("b.wav"), sine(2500, 7000), kRate));
    SoundEngine first(Backend::Offline), second(Backend::Offline);
    EXPECT_EQ(session(first), session(second));
}

TEST_F(ChannelsTest, FailedLoadsAndReleasedSamplesPlayNothing) {
    const SampleHandle missing = engine.loadSample(folder.path("nothing-here.isz"));
    EXPECT_FALSE(missing.valid());
    const ChannelHandle none = engine.play(missing);
    EXPECT_FALSE(none.valid());
    engine.setVolume(none, 100); // harmless
    engine.stop(none);

    const SampleHandle tone = load(sine(1000, 4410));
    const ChannelHandle ch = engine.play(tone);
    engine.releaseSample(tone);
    EXPECT_EQ(engine.sampleFrames(tone), 0);
    EXPECT_FALSE(engine.play(tone).valid());
    auto out = render(engine, 2000);
    EXPECT_GT(rms(out, 0, 100, 2000), 0.2) << "a released sample plays to its end";
    render(engine, 4000);
    EXPECT_FALSE(engine.isPlaying(ch));
    // The freed slot is reused without reviving the old handle.
    const SampleHandle next = load(sine(500, 4410), "next.wav");
    EXPECT_TRUE(next.valid());
    EXPECT_NE(next, tone);
    EXPECT_FALSE(engine.play(tone).valid());
}

// A handle with the sign bit set reads as invalid, and generation 0 is what a default slot
// holds: the largest index and generation must still give a valid handle, and counting on
// from the largest generation must skip 0.
TEST(HandleCodec, ExtremesStayValidAndWrapSkipsZero) {
    using C = ChannelHandleCodec;
    const std::int32_t raw = C::encode(31, (1u << 26) - 1);
    EXPECT_GT(raw, 0);
    EXPECT_EQ(C::decode(raw).index, 31);
    EXPECT_EQ(C::decode(raw).generation, (1u << 26) - 1);
    EXPECT_EQ(C::next((1u << 26) - 1), 1u);
    EXPECT_EQ(SampleHandleCodec::decode(SampleHandleCodec::encode((1 << 20) - 1, 2047)).generation,
              2047u);
    EXPECT_GT(EffectHandleCodec::encode(15, (1u << 27) - 1), 0);
}

TEST(EngineLifecycle, CloseTwiceIsHarmlessAndStopsPlay) {
    TempFolder folder;
    ASSERT_TRUE(writeWav(folder.path("t.wav"), sine(440, 4410), kRate));
    SoundEngine engine(Backend::Offline);
    const SampleHandle s = engine.loadSample(folder.path("t.wav"));
    EXPECT_TRUE(engine.play(s).valid()); // queued, never rendered
    const int eq = engine.enableEffect(kSystemChannel, EffectType::ParamEq);
    engine.close();
    engine.close();
    EXPECT_FALSE(engine.isRunning());
    EXPECT_FALSE(engine.play(s).valid());
    EXPECT_EQ(engine.sampleFrames(s), 0);
    // Calls on old handles after close do nothing, however many (the queued play of a
    // freed sample must never be applied).
    for (int i = 0; i < 5000; ++i)
        engine.setParamEq(eq, 1000, 18, 3);
    std::vector<float> out(512, 1.0f);
    engine.render(out.data(), 256);
    EXPECT_EQ(rms(out, 0, 0, 256), 0.0);
}

// No sound card here: a device engine falls back to the null device, and time still runs
// there, so a one-shot ends by itself.
TEST(EngineLifecycle, WithoutASoundCardTimeStillPasses) {
    TempFolder folder;
    ASSERT_TRUE(writeWav(folder.path("t.wav"), sine(440, 2205), kRate));
    for (Backend backend : {Backend::Null, Backend::Device}) {
        SoundEngine engine(backend);
        engine.setBufferSize(100);
        engine.setDriver(0);
        const bool opened = engine.init(kSampleRate, kChannelCount, 4);
        if (backend == Backend::Null || !opened) {
            EXPECT_TRUE(engine.isSilent());
        }
        const ChannelHandle ch = engine.play(engine.loadSample(folder.path("t.wav")));
        ASSERT_TRUE(ch.valid());
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (engine.isPlaying(ch) && std::chrono::steady_clock::now() < giveUp)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        EXPECT_FALSE(engine.isPlaying(ch));
        EXPECT_GT(engine.audioLoad().blocks, 0);
    }
}

TEST(EngineLifecycle, DeviceListStartsWithTheSystemDefault) {
    SoundEngine engine(Backend::Device);
    engine.setOutput(kAutomaticOutput);
    ASSERT_GE(engine.driverCount(), 1);
    EXPECT_EQ(engine.driverName(0), "System default");
    EXPECT_EQ(engine.driverName(engine.driverCount()), "");
    EXPECT_EQ(engine.driverName(-1), "");
    EXPECT_GE(SoundEngine::backendMajorVersion(), 7);
}

} // namespace
} // namespace velmora::audio::test
