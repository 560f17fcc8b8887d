// The command language against an in-memory disc of three tracks: 2 s, 4 s and 1 s.
#include "cd/media_control.h"
#include "cd_fakes.h"

#include <gtest/gtest.h>

namespace velmora::cd {
namespace {

using testing::FakeDrives;
using testing::FakeOutput;

class MediaControlTest : public ::testing::Test {
  protected:
    MediaControlTest() {
        drives.names = {"/dev/sr0"};
        drives.discs["/dev/sr0"] = {150, 300, 75};
        EXPECT_TRUE(mc.send("open  /dev/sr0 type cdaudio alias cd wait shareable").ok());
        EXPECT_TRUE(mc.send("set cd Time format tmsf").ok());
    }
    std::string ask(const std::string& what) {
        const auto r = mc.send(what);
        EXPECT_TRUE(r.ok()) << what << ": " << errorText(r.error);
        return r.text;
    }
    FakeDrives drives;
    FakeOutput out;
    MediaControl mc{drives, out};
};

TEST_F(MediaControlTest, OpensAndAnswersTheWindowsQuestions) {
    EXPECT_TRUE(mc.send("pause cd wait").ok());
    EXPECT_EQ(ask("status cd mode"), "paused");
    EXPECT_EQ(ask("STATUS CD  number of tracks wait"), "3");
    EXPECT_EQ(ask("status cd current track"), "1");
    EXPECT_EQ(ask("status cd position"), "01:00:00:00");
    EXPECT_EQ(ask("status cd media present"), "true");
    EXPECT_EQ(ask("status cd length track 2"), "00:04:00");
    EXPECT_EQ(ask("status cd position track 3"), "03:00:00:00");
    EXPECT_EQ(out.starts, 0) << "opening and pausing must not play";

    EXPECT_EQ(mc.send("status dvd mode").error, McError::UnknownDevice);
    EXPECT_EQ(mc.send("open /dev/sr0 type cdaudio alias cd").error, McError::AliasInUse);
    EXPECT_EQ(mc.send("open /dev/sr0 type waveaudio alias w").error, McError::UnsupportedType);
    EXPECT_EQ(mc.send("open /dev/sr9 type cdaudio alias other").error, McError::CannotOpen);
    EXPECT_EQ(mc.send("spin cd").error, McError::UnrecognizedCommand);
    EXPECT_EQ(mc.send("status cd length track 4").error, McError::BadParameter);
    EXPECT_EQ(mc.send("play cd from 4").error, McError::BadParameter);
    EXPECT_EQ(mc.send("").error, McError::UnrecognizedCommand);
}

TEST_F(MediaControlTest, PlayingMovesThePositionPausesInPlaceAndStopsAtTheEnd) {
    ASSERT_TRUE(mc.send("play cd from 2").ok());
    EXPECT_EQ(out.pull(1.5), 66150u);
    EXPECT_EQ(ask("status cd mode"), "playing");
    EXPECT_EQ(ask("status cd current track"), "2");
    EXPECT_EQ(ask("status cd position"), "02:00:01:37");
    // Track 2 starts at sector 150; 1.5 s in is sector 262.
    EXPECT_FLOAT_EQ(out.lastSample, 262 / 32768.0f);

    ASSERT_TRUE(mc.send("pause cd wait").ok());
    EXPECT_TRUE(out.paused);
    EXPECT_EQ(ask("status cd mode"), "paused");
    ASSERT_TRUE(mc.send("play cd").ok());
    EXPECT_FALSE(out.paused);
    EXPECT_EQ(out.starts, 1) << "play after pause resumes what was read ahead";

    out.pull(10);
    EXPECT_EQ(ask("status cd mode"), "stopped");
    EXPECT_EQ(ask("status cd current track"), "1");
    EXPECT_EQ(out.source, nullptr);
    ASSERT_TRUE(mc.send("play cd").ok()) << "a disc played to its end plays again from the top";
    EXPECT_EQ(out.starts, 2);
}

TEST_F(MediaControlTest, SeekingStopsAndTheDoorTakesTheDiscAway) {
    ASSERT_TRUE(mc.send("play cd").ok());
    ASSERT_TRUE(mc.send("seek cd to 3 wait").ok());
    EXPECT_EQ(out.source, nullptr);
    EXPECT_EQ(ask("status cd mode"), "stopped");
    EXPECT_EQ(ask("status cd current track"), "3");
    ASSERT_TRUE(mc.send("seek cd to 2:00:03").ok());
    EXPECT_EQ(ask("status cd position"), "02:00:03:00");

    ASSERT_TRUE(mc.send("set cd door open wait").ok());
    EXPECT_EQ(ask("status cd mode"), "open");
    EXPECT_EQ(ask("status cd media present"), "false");
    EXPECT_EQ(mc.send("play cd").error, McError::NotReady);
    EXPECT_EQ(mc.send("status cd position").error, McError::NotReady);

    drives.last->present = true;
    ASSERT_TRUE(mc.send("set cd door closed").ok());
    EXPECT_EQ(ask("status cd mode"), "stopped");
    EXPECT_TRUE(mc.send("close all").ok());
    EXPECT_EQ(mc.send("status cd mode").error, McError::UnknownDevice);
}

TEST_F(MediaControlTest, OtherTimeFormatsReadAndWritePositions) {
    ASSERT_TRUE(mc.send("set cd time format msf").ok());
    ASSERT_TRUE(mc.send("seek cd to 00:03:10").ok());
    EXPECT_EQ(ask("status cd position"), "00:03:10");
    EXPECT_EQ(ask("status cd current track"), "2");
    ASSERT_TRUE(mc.send("set cd time format milliseconds").ok());
    EXPECT_EQ(ask("status cd position"), "3133");
    ASSERT_TRUE(mc.send("seek cd to 6500").ok());
    EXPECT_EQ(ask("status cd current track"), "3");
    EXPECT_EQ(mc.send("seek cd to 99000").error, McError::BadParameter);
    EXPECT_EQ(mc.send("seek cd to -5").error, McError::BadParameter);
    EXPECT_EQ(mc.send("set cd time format bytes").error, McError::BadParameter);
}

TEST(MediaControlOutput, WithoutAnEngineChannelPlayFailsAndAQuotedImagePathOpens) {
    FakeDrives drives;
    drives.discs["/home/u/My CDs/a.cue"] = {75};
    FakeOutput out;
    out.usable = false;
    MediaControl mc{drives, out};
    ASSERT_TRUE(mc.send("open  \"/home/u/My CDs/a.cue\" type cdaudio alias cd").ok());
    EXPECT_EQ(mc.send("play cd").error, McError::OutputUnavailable);
    EXPECT_EQ(mc.send("status cd mode").text, "stopped");
}

} // namespace
} // namespace velmora::cd
