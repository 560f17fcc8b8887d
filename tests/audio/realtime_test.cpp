// Real-time discipline: rendering with a full load (32 looping voices, ten equaliser
// bands, the reverb, a music stream, volume changes, stops, released samples) allocates nothing.
// Under the RealtimeSanitizer build the same test also fails on any lock or system call, because
// the mixer marks its processing as real-time there.
#include "audio/stream_channel.h"
#include "audio_test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <new>
#include <numbers>

namespace {
std::atomic<long> g_allocations{0};
}

// The replacement pair below is malloc/free underneath; GCC cannot see that once it
// inlines them into library code and warns about a mismatch that is not there.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

void* operator new(std::size_t size) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}

namespace velmora::audio::test {
namespace {

// Music that never ends, read without allocating, so any allocation counted is the engine's.
class EndlessTone final : public StreamSource {
  public:
    std::size_t read(float* stereo, std::size_t frames) override {
        for (std::size_t i = 0; i < frames; ++i, ++m_at)
            stereo[2 * i] = stereo[2 * i + 1] = static_cast<float>(0.2 * std::sin(0.05 * m_at));
        return frames;
    }
    bool seek(double) override { return true; }
    double duration() const override { return -1.0; }

  private:
    std::size_t m_at = 0;
};

TEST(Realtime, RenderingAFullSessionAllocatesNothing) {
    TempFolder folder;
    std::vector<float> tone(20000);
    for (std::size_t i = 0; i < tone.size(); ++i)
        tone[i] = static_cast<float>(0.3 * std::sin(2 * std::numbers::pi * 220 * i / kSampleRate));
    ASSERT_TRUE(writeWav(folder.path("t.wav"), tone, kSampleRate));

    SoundEngine engine(Backend::Offline);
    std::vector<SampleHandle> samples;
    for (int i = 0; i < 4; ++i)
        samples.push_back(engine.loadSample(folder.path("t.wav")));
    std::vector<ChannelHandle> channels;
    for (int i = 0; i < kChannelCount; ++i) {
        channels.push_back(engine.play(samples[i % 4]));
        engine.setLoopMode(channels.back(), kLoopNormal);
        engine.setPan(channels.back(), i * 8);
    }
    const float centres[] = {80, 170, 310, 600, 1000, 3000, 6000, 12000, 14000, 16000};
    for (float c : centres)
        engine.setParamEq(engine.enableEffect(kSystemChannel, EffectType::ParamEq), c, 18, 6);
    engine.setReverb(engine.enableEffect(kSystemChannel, EffectType::Reverb), ReverbParams{});
    StreamChannel* music = engine.openStream();
    music->play(std::make_unique<EndlessTone>());
    std::vector<float> out(2 * 8192);
    engine.render(out.data(), 4096); // warm up outside the count
    music->setVolume(-1200);

    for (int i = 0; i < 8; ++i)
        engine.setVolume(channels[i], 20 * i);
    engine.stop(channels[31]);
    engine.stop(channels[30]);
    engine.releaseSample(samples[3]); // still used by 7 voices until they stop below

    // Queued commands are applied by the render itself, so they are inside the count.
    const long before = g_allocations.load();
    engine.render(out.data(), 8192);
    const long during = g_allocations.load() - before;
    EXPECT_EQ(during, 0) << "allocations while rendering";

    for (int i = 3; i < kChannelCount; i += 4)
        engine.stop(channels[i]);
    const long beforeRetire = g_allocations.load();
    engine.render(out.data(), 8192); // the released sample goes back to this thread
    EXPECT_EQ(g_allocations.load() - beforeRetire, 0);
}

} // namespace
} // namespace velmora::audio::test
