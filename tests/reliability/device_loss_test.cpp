// A sound card that vanishes while the soundscape plays (unplugged, its driver gone): the
// engine carries on on the null device, every sound keeps its state and the controls keep
// answering at once.
#include "audio/output_device.h"
#include "audio/sound_engine.h"
#include "support/temp_dir.h"
#include "support/wav_file.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace velmora::reliability {
namespace {

/// A card that never calls back: while plugged in it holds every command the engine
/// sends; unplugged, it says so.
class UnpluggableDevice final : public audio::OutputDevice {
  public:
    explicit UnpluggableDevice(const std::atomic<bool>& plugged) : m_plugged(plugged) {}
    void stop() override {}
    [[nodiscard]] audio::AudioLoadStats load() const override { return {}; }
    [[nodiscard]] bool healthy() const override { return m_plugged.load(); }

  private:
    const std::atomic<bool>& m_plugged;
};

TEST(DeviceLoss, OutputMovesToTheNullDeviceAndEverySoundCarriesOn) {
    testing::TempDir dir;
    ASSERT_TRUE(testing::writeTone(dir / "loop.wav", 0.5));
    ASSERT_TRUE(testing::writeTone(dir / "once.wav", 0.1, 660));
    std::atomic<bool> plugged{true};
    audio::SoundEngine engine(audio::Backend::Device);
    engine.setDeviceOpener(
        [&](audio::Mixer&) { return std::make_unique<UnpluggableDevice>(plugged); });
    ASSERT_TRUE(engine.init());
    ASSERT_FALSE(engine.isSilent());
    const auto loop = engine.play(engine.loadSample((dir / "loop.wav").string()));
    ASSERT_TRUE(loop.valid());
    engine.setLoopMode(loop, audio::kLoopNormal);

    plugged = false;
    // A background's drift keeps moving its volume: a long evening of moves, more than the
    // engine holds for a device, must neither block the controls nor be lost.
    // Once the engine stops waiting for the lost card, it is on the null device.
    for (int i = 0; i < 1100; ++i)
        engine.setVolume(loop, 100 + i % 100);
    EXPECT_TRUE(engine.isSilent());
    EXPECT_TRUE(engine.isPlaying(loop));
    EXPECT_EQ(engine.volume(loop), 199);

    // Time moves on the null device: a one-shot still ends and frees its channel.
    const auto once = engine.play(engine.loadSample((dir / "once.wav").string()));
    ASSERT_TRUE(once.valid());
    for (int i = 0; i < 500 && engine.isPlaying(once); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_FALSE(engine.isPlaying(once));
    EXPECT_TRUE(engine.isPlaying(loop));
    EXPECT_EQ(engine.playingCount(), 1);
    engine.close();
}

} // namespace
} // namespace velmora::reliability
