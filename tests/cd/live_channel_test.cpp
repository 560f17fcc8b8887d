// The CD through a live stream channel, whose feeder thread reads the disc on its own time.
#include "audio/sound_engine.h"
#include "cd/engine_cd_output.h"
#include "cd/media_control.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

namespace velmora::cd {
namespace {

using namespace std::chrono_literals;

struct Probe {
    std::atomic<bool> reading{false};
    std::atomic<bool> closed{false};
    std::atomic<int> readsAcrossClose{0};
};

/// A disc whose reads take a while and which tells when it is closed.
class SlowDrive final : public CdDrive {
  public:
    explicit SlowDrive(Probe& probe) : m_probe(probe) {}
    ~SlowDrive() override { m_probe.closed = true; }
    bool mediaPresent() override { return true; }
    CdToc toc() override { return {{{1, 0, 75 * 60, true}}}; }
    std::size_t readAudio(std::int64_t, std::size_t sectors, std::int16_t* out) override {
        Probe& probe = m_probe; // the drive itself may be gone when the sleep ends
        probe.reading = true;
        std::this_thread::sleep_for(30ms);
        if (probe.closed) ++probe.readsAcrossClose;
        std::fill_n(out, sectors * kFramesPerSector * 2, std::int16_t{0});
        return sectors;
    }
    bool eject() override { return false; }

  private:
    Probe& m_probe;
};

class SlowDrives final : public CdDrives {
  public:
    explicit SlowDrives(Probe& probe) : m_probe(probe) {}
    std::vector<std::string> list() override { return {"slow"}; }
    std::unique_ptr<CdDrive> open(const std::string&, std::string&) override {
        return std::make_unique<SlowDrive>(m_probe);
    }

  private:
    Probe& m_probe;
};

TEST(LiveChannel, ClosingTheDriveWhileTheChannelReadsItWaitsForTheRead) {
    Probe probe;
    SlowDrives drives{probe};
    audio::SoundEngine engine(audio::Backend::Null);
    engine.init();
    {
        EngineCdOutput out{engine};
        MediaControl mc{drives, out};
        ASSERT_TRUE(mc.send("open slow type cdaudio alias cd").ok());
        ASSERT_TRUE(mc.send("play cd").ok());
        const auto giveUp = std::chrono::steady_clock::now() + 10s;
        while (!probe.reading && std::chrono::steady_clock::now() < giveUp)
            std::this_thread::sleep_for(1ms);
        ASSERT_TRUE(probe.reading);
        ASSERT_TRUE(mc.send("close cd").ok());
        std::this_thread::sleep_for(100ms);
    }
    engine.close();
    EXPECT_EQ(probe.readsAcrossClose, 0);
    EXPECT_TRUE(probe.closed);
}

} // namespace
} // namespace velmora::cd
