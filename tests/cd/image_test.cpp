// A generated CD image through the libcdio back end: the table of contents, the audio read
// back sample for sample, and the player on top of it.
#include "cd/cd_player.h"
#include "cd/cd_track_source.h"
#include "cd_fakes.h"
#include "core/offline_services.h"
#include "platform/cd/libcdio_drives.h"
#include "support/temp_dir.h"
#include "tone_image.h"

#include <gtest/gtest.h>

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
    auto drive = drives.open(testing::writeToneImage(dir.path()).string(), why);
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
    auto cursor = std::make_shared<PlayCursor>(0);
    CdTrackSource source(*drive, 150, 375, cursor);
    EXPECT_DOUBLE_EQ(source.duration(), 3.0);
    ASSERT_TRUE(source.seek(0.5));
    std::vector<float> got(1000 * 2);
    ASSERT_EQ(source.read(got.data(), 1000), 1000u);
    for (int i = 0; i < 1000; i += 37) {
        const float want = toneSample(kToneTracks[1], 22050 + i) / 32768.0f;
        ASSERT_FLOAT_EQ(got[i * 2], want) << "frame " << i;
        ASSERT_FLOAT_EQ(got[i * 2 + 1], -want) << "frame " << i;
    }
    EXPECT_EQ(cursor->load(), 150 * kFramesPerSector + 22050 + 1000);

    // To its end and no further.
    std::vector<float> rest(44100 * 4 * 2);
    EXPECT_EQ(source.read(rest.data(), 44100 * 4), std::size_t(44100 * 3 - 22050 - 1000));
    EXPECT_EQ(source.read(rest.data(), 10), 0u);
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

} // namespace
} // namespace velmora::cd
