// A generated CD image through the libcdio back end: the table of contents, the audio read
// back sample for sample, and the player on top of it.
#include "cd/cd_player.h"
#include "cd/cd_track_source.h"
#include "cd/engine_cd_output.h"
#include "cd_fakes.h"
#include "core/offline_services.h"
#include "platform/cd/libcdio_drives.h"
#include "support/temp_dir.h"
#include "tone_image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace velmora::cd {
namespace {

using testing::FakeOutput;
using testing::kToneTracks;
using testing::toneSample;

class ImageTest : public ::testing::Test {
  protected:
    velmora::testing::TempDir dir;
    LibcdioDrives drives;
};

TEST_F(ImageTest, TheImageReadsBackAsItsTracksSampleForSample) {
    std::string why;
    std::shared_ptr<CdDrive> drive = drives.open(testing::writeToneImage(dir.path()).string(), why);
    ASSERT_NE(drive, nullptr) << why;
    EXPECT_TRUE(drive->mediaPresent());
    const CdToc toc = drive->toc();
    ASSERT_EQ(toc.tracks.size(), 3u);
    EXPECT_EQ(toc.tracks[0].start, 0);
    EXPECT_EQ(toc.tracks[1].start, 150);
    EXPECT_EQ(toc.tracks[1].sectors, 225);
    EXPECT_EQ(toc.tracks[2].start, 375);
    EXPECT_EQ(toc.end(), 450);
    EXPECT_TRUE(toc.tracks[2].audio);
    EXPECT_FALSE(drive->eject()) << "an image has no door";

    // Track 2 from half a second in, through the stream the engine plays.
    CdTrackSource source(drive, 150, 375);
    EXPECT_DOUBLE_EQ(source.duration(), 3.0);
    ASSERT_TRUE(source.seek(0.5));
    std::vector<float> got(1000 * 2);
    ASSERT_EQ(source.read(got.data(), 1000), 1000u);
    for (int i = 0; i < 1000; i += 37) {
        const float want = toneSample(kToneTracks[1], 22050 + i) / 32768.0f;
        ASSERT_FLOAT_EQ(got[i * 2], want) << "frame " << i;
        ASSERT_FLOAT_EQ(got[i * 2 + 1], -want) << "frame " << i;
    }

    // To its end and no further.
    std::vector<float> rest(44100 * 4 * 2);
    EXPECT_EQ(source.read(rest.data(), 44100 * 4), std::size_t(44100 * 3 - 22050 - 1000));
    EXPECT_EQ(source.read(rest.data(), 10), 0u);
    EXPECT_FALSE(source.failed()) << "the end of the track is not a fault";
    EXPECT_FALSE(source.seek(3.5));
}

TEST_F(ImageTest, TheWindowPlaysAnImageAndABadCueSheetIsNoCdFound) {
    OfflineServices world{"."};
    FakeOutput out;
    CdPlayer player{world.services, drives, out};
    player.load();
    // An image in a folder with a blank in its name, as people keep them.
    player.chooseDrive(testing::writeToneImage(dir / "My CDs").string());
    player.send("seek cd to 3");
    player.play();
    ASSERT_TRUE(player.isPlaying());
    EXPECT_EQ(out.pull(0.25), 11025u);
    EXPECT_FLOAT_EQ(out.lastSample, toneSample(kToneTracks[2], 11024) / 32768.0f);
    world.timers.advance(kDisplayPeriodMs);
    EXPECT_EQ(player.display(), "[03] 00:00");

    const auto bad = dir / "bad.cue";
    for (const std::string& sheet : std::vector<std::string>{
             "FILE \"missing.bin\" BINARY\r\n  TRACK 01 AUDIO\r\n    INDEX 01 00:00:00\r\n",
             "TRACK 99 WHATEVER\r\nINDEX 01 99:99:99\r\n", std::string("\0\xff\xfe garbage", 12)}) {
        velmora::testing::writeBytes(bad, sheet);
        player.chooseDrive(bad.string());
        player.play();
        EXPECT_EQ(player.display(), kNoCdFound) << sheet;
        EXPECT_FALSE(player.isPlaying());
    }
}

float peak(const std::vector<float>& v) {
    float p = 0;
    for (const float x : v)
        p = std::max(p, std::abs(x));
    return p;
}

TEST_F(ImageTest, TheDiscPlaysThroughTheEnginesStreamChannel) {
    OfflineServices world{"."};
    EngineCdOutput out{world.engine};
    CdPlayer player{world.services, drives, out};
    std::vector<float> block(44100 / 10 * 2);
    auto render = [&](int tenths) {
        float loudest = 0;
        for (int i = 0; i < tenths; ++i) {
            world.engine.render(block.data(), 44100 / 10);
            loudest = std::max(loudest, peak(block));
        }
        return loudest;
    };
    player.load();
    EXPECT_TRUE(player.hasVolumeControl());
    EXPECT_TRUE(world.dialogs.messages.size() <= 1) << "only the missing drive may be told";
    player.chooseDrive(testing::writeToneImage(dir.path()).string());
    player.setVolume(100);
    player.send("seek cd to 2");
    player.play();
    EXPECT_GT(render(12), 0.3f) << "the tone is heard";
    world.timers.advance(kDisplayPeriodMs);
    EXPECT_EQ(player.display(), "[02] 00:01") << "the time heard, not the time read ahead";

    player.setVolume(0);
    render(1);
    EXPECT_LT(render(3), 1e-4f);
    player.setVolume(100);
    player.pause();
    render(1);
    EXPECT_LT(render(3), 1e-4f);
    player.play();
    EXPECT_GT(render(3), 0.3f);

    render(40); // past the disc's end
    world.timers.advance(kDisplayPeriodMs);
    EXPECT_FALSE(player.isPlaying());
    EXPECT_EQ(player.send("status cd mode").text, "stopped");
}

TEST(CdVolume, PercentIsAFractionOfFullAmplitude) {
    EXPECT_EQ(cdVolumeHundredthsDb(1.0), 0);
    EXPECT_EQ(cdVolumeHundredthsDb(0.5), -602);
    EXPECT_EQ(cdVolumeHundredthsDb(0.1), -2000);
    EXPECT_EQ(cdVolumeHundredthsDb(0.0), -10000);
    EXPECT_EQ(cdVolumeHundredthsDb(1e-9), -10000);
    EXPECT_EQ(cdVolumeHundredthsDb(3.0), 0);
}

} // namespace
} // namespace velmora::cd
