// Stream channels: sources follow one another without a gap, the end of each is reported
// once it has been heard, seek/pause/volume act on what is heard, and a source that breaks
// off hands over to the next.
#include "audio/stream_channel.h"
#include "audio_test_support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <thread>

namespace velmora::audio::test {
namespace {

// A constant level for a fixed number of frames; optionally breaks off early.
class LevelSource final : public StreamSource {
  public:
    LevelSource(float level, std::size_t frames, bool breaks = false, int* seeks = nullptr)
        : m_level(level), m_frames(frames), m_breaks(breaks), m_seeks(seeks) {}
    std::size_t read(float* stereo, std::size_t frames) override {
        const std::size_t limit = m_breaks ? m_frames / 2 : m_frames;
        const std::size_t n = std::min(frames, limit - std::min(limit, m_at));
        std::fill_n(stereo, 2 * n, m_level);
        m_at += n;
        return n;
    }
    bool seek(double seconds) override {
        if (m_seeks) ++*m_seeks;
        m_at = static_cast<std::size_t>(seconds * kSampleRate);
        return m_at <= m_frames;
    }
    double duration() const override { return static_cast<double>(m_frames) / kSampleRate; }
    bool failed() const override { return m_breaks; }

  private:
    float m_level;
    std::size_t m_frames;
    bool m_breaks;
    int* m_seeks;
    std::size_t m_at = 0;
};

std::unique_ptr<StreamSource> level(float value, std::size_t frames, bool breaks = false) {
    return std::make_unique<LevelSource>(value, frames, breaks);
}

TEST(StreamTest, QueuedSourcesJoinWithoutAGapAndEndInOrder) {
    SoundEngine engine(Backend::Offline);
    StreamChannel* stream = engine.openStream();
    ASSERT_NE(stream, nullptr);
    const int first = stream->play(level(0.25f, 10000));
    const int second = stream->queue(level(0.5f, 10000));
    EXPECT_EQ(stream->currentSource(), first);
    EXPECT_NEAR(stream->duration(), 10000.0 / kSampleRate, 1e-9);

    const auto out = render(engine, 30000);
    // After the fade-in of the first block and the limiter's look-ahead, every frame up to
    // the end of the second source carries one source or the other: no silence at the join.
    const int delay = 64;
    for (int i = 256 + delay; i < 20000 + delay; ++i) {
        const float expected = i < 10000 + delay ? 0.25f : 0.5f;
        ASSERT_FLOAT_EQ(out[2 * i], expected) << "frame " << i;
        ASSERT_FLOAT_EQ(out[2 * i + 1], expected) << "frame " << i;
    }
    EXPECT_EQ(out[2 * (20000 + delay + 10)], 0.0f);

    const auto ended = stream->poll();
    ASSERT_EQ(ended.size(), 2u);
    EXPECT_EQ(ended[0].source, first);
    EXPECT_EQ(ended[1].source, second);
    EXPECT_FALSE(ended[0].failed);
    EXPECT_EQ(stream->currentSource(), -1);
    EXPECT_TRUE(stream->poll().empty());
}

TEST(StreamTest, EndIsReportedOnlyOnceHeard) {
    SoundEngine engine(Backend::Offline);
    StreamChannel* stream = engine.openStream();
    const int first = stream->play(level(0.25f, 10000));
    const int second = stream->queue(level(0.5f, 100000));
    render(engine, 8000);
    // The feeder has already read past the end of the first source.
    EXPECT_TRUE(stream->poll().empty());
    EXPECT_EQ(stream->currentSource(), first);
    EXPECT_NEAR(stream->position(), 8000.0 / kSampleRate, 1e-9);
    render(engine, 4000);
    const auto ended = stream->poll();
    ASSERT_EQ(ended.size(), 1u);
    EXPECT_EQ(ended[0].source, first);
    EXPECT_EQ(stream->currentSource(), second);
    EXPECT_NEAR(stream->position(), 2000.0 / kSampleRate, 1e-9);
}

TEST(StreamTest, PlayAndStopDropQueuedSourcesWithoutReportingThem) {
    SoundEngine engine(Backend::Offline);
    StreamChannel* stream = engine.openStream();
    stream->play(level(0.25f, 5000));
    stream->queue(level(0.25f, 5000));
    render(engine, 2000);
    const int replacement = stream->play(level(0.5f, 3000));
    auto out = render(engine, 8000);
    EXPECT_FLOAT_EQ(out[2 * 1000], 0.5f);
    const auto ended = stream->poll();
    ASSERT_EQ(ended.size(), 1u);
    EXPECT_EQ(ended[0].source, replacement);

    stream->play(level(0.5f, 50000));
    render(engine, 1000);
    stream->stop();
    out = render(engine, 2000);
    EXPECT_EQ(out[2 * 1999], 0.0f);
    EXPECT_TRUE(stream->poll().empty());
    EXPECT_EQ(stream->currentSource(), -1);
}

TEST(StreamTest, SeekMovesThePositionAndPauseHoldsIt) {
    SoundEngine engine(Backend::Offline);
    StreamChannel* stream = engine.openStream();
    int seeks = 0;
    stream->play(std::make_unique<LevelSource>(0.25f, 10 * kSampleRate, false, &seeks));
    EXPECT_FALSE(engine.openStream() == stream);
    render(engine, kSampleRate);
    ASSERT_TRUE(stream->seek(4.0));
    EXPECT_DOUBLE_EQ(stream->position(), 4.0);
    EXPECT_EQ(seeks, 1);
    render(engine, kSampleRate / 2);
    EXPECT_NEAR(stream->position(), 4.5, 1e-9);

    stream->setPaused(true);
    render(engine, 512); // fades out
    const double held = stream->position();
    const auto silent = render(engine, kSampleRate);
    EXPECT_EQ(silent[2 * 1000], 0.0f);
    EXPECT_DOUBLE_EQ(stream->position(), held);
    stream->setPaused(false);
    const auto resumed = render(engine, 4096);
    EXPECT_FLOAT_EQ(resumed[2 * 4000], 0.25f);
    EXPECT_GT(stream->position(), held);

    stream->stop();
    EXPECT_FALSE(stream->seek(1.0));
}

TEST(StreamTest, VolumeIsInHundredthsOfADecibelAndLimited) {
    SoundEngine engine(Backend::Offline);
    StreamChannel* stream = engine.openStream();
    stream->play(level(0.5f, 10 * kSampleRate));
    stream->setVolume(-600);
    EXPECT_EQ(stream->volume(), -600);
    auto out = render(engine, 4096);
    EXPECT_NEAR(out[2 * 4000], 0.5 * std::pow(10.0, -0.3), 1e-5);
    stream->setVolume(2500); // a louder-than-full request is full volume, not a boost
    EXPECT_EQ(stream->volume(), 0);
    out = render(engine, 4096);
    EXPECT_FLOAT_EQ(out[2 * 4000], 0.5f);
    stream->setVolume(-20000);
    EXPECT_EQ(stream->volume(), -10000);
    out = render(engine, 4096);
    EXPECT_EQ(out[2 * 4000], 0.0f);
}

TEST(StreamTest, ASourceThatBreaksOffIsReportedAndTheNextPlays) {
    SoundEngine engine(Backend::Offline);
    StreamChannel* stream = engine.openStream();
    const int broken = stream->play(level(0.25f, 20000, true));
    const int next = stream->queue(level(0.5f, 20000));
    render(engine, 12000);
    const auto ended = stream->poll();
    ASSERT_EQ(ended.size(), 1u);
    EXPECT_EQ(ended[0].source, broken);
    EXPECT_TRUE(ended[0].failed);
    EXPECT_EQ(stream->currentSource(), next);
}

TEST(StreamTest, SoundscapePauseLeavesStreamsPlaying) {
    SoundEngine engine(Backend::Offline);
    StreamChannel* stream = engine.openStream();
    stream->play(level(0.25f, 10 * kSampleRate));
    engine.setPaused(kSystemChannel, true);
    const auto out = render(engine, 4096);
    EXPECT_FLOAT_EQ(out[2 * 4000], 0.25f);
}

TEST(StreamTest, LiveFeederPlaysToTheEndAndReportsIt) {
    SoundEngine engine(Backend::Null);
    engine.init();
    StreamChannel* stream = engine.openStream();
    const int id = stream->play(level(0.25f, kSampleRate / 5));
    std::vector<StreamChannel::Ended> ended;
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (ended.empty() && std::chrono::steady_clock::now() < giveUp) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        ended = stream->poll();
    }
    ASSERT_EQ(ended.size(), 1u);
    EXPECT_EQ(ended[0].source, id);
    engine.closeStream(stream);
    engine.close();
}

} // namespace
} // namespace velmora::audio::test
