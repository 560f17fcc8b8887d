// The CD window's behaviour on the offline services with an in-memory disc.
#include "cd/cd_player.h"
#include "cd_fakes.h"
#include "core/offline_services.h"

#include <gtest/gtest.h>

namespace velmora::cd {
namespace {

using testing::FakeDrives;
using testing::FakeOutput;

class CdPlayerTest : public ::testing::Test {
  protected:
    CdPlayerTest() {
        drives.names = {"/dev/sr0", "/dev/sr1"};
        drives.discs["/dev/sr0"] = {150, 300, 75};
        drives.discs["/dev/sr1"] = {75, 75};
    }
    std::string track() { return player.send("status cd current track").text; }
    std::string mode() { return player.send("status cd mode").text; }

    OfflineServices world{"."};
    FakeDrives drives;
    FakeOutput out;
    CdPlayer player{world.services, drives, out};
};

TEST_F(CdPlayerTest, PreviousAndNextWrapAndPlayOnlyWhenPlaying) {
    player.load();
    EXPECT_EQ(player.display(), "Current Drive = /dev/sr0");
    EXPECT_EQ(mode(), "paused");

    player.previous(); // track 1, not playing: to the last, without a sound
    EXPECT_EQ(track(), "3");
    EXPECT_NE(mode(), "playing");
    EXPECT_EQ(out.starts, 0);
    player.next(); // the last: back to the first
    EXPECT_EQ(track(), "1");
    EXPECT_EQ(out.starts, 0);

    player.play();
    EXPECT_TRUE(player.isPlaying());
    player.previous();
    EXPECT_EQ(track(), "3");
    EXPECT_EQ(mode(), "playing");
    player.next();
    EXPECT_EQ(track(), "1");
    EXPECT_EQ(mode(), "playing");
    player.next();
    EXPECT_EQ(track(), "2");
    EXPECT_EQ(out.starts, 4);
}

TEST_F(CdPlayerTest, TheTimeDisplayComesFromThePositionReply) {
    EXPECT_EQ(timeDisplay("03:01:07:55"), "[03] 01:07");
    EXPECT_EQ(timeDisplay("12:59:00:00"), "[12] 59:00");
    EXPECT_EQ(timeDisplay("03:01:0"), std::nullopt);
    EXPECT_EQ(timeDisplay("0a:01:07:55"), std::nullopt);
    EXPECT_EQ(timeDisplay(""), std::nullopt);

    player.load();
    player.send("play cd from 2");
    out.pull(1.2);
    world.timers.advance(kDisplayPeriodMs);
    EXPECT_EQ(player.display(), "[02] 00:01");
    EXPECT_EQ(player.remoteDisplay(), "CD Time:[02] 00:01");

    player.eject();
    EXPECT_EQ(player.display(), "CD Ejected");
    world.timers.advance(kDisplayPeriodMs);
    EXPECT_EQ(player.display(), "CD Ejected") << "no disc: nothing new is shown";
    player.play();
    EXPECT_EQ(player.display(), kNoCdFound);
    EXPECT_FALSE(player.isPlaying());
}

TEST_F(CdPlayerTest, StopReturnsToTheFirstTrackAndTheEndOffersPlayAgain) {
    player.load();
    player.send("seek cd to 3");
    player.play();
    out.pull(0.5);
    player.stop();
    EXPECT_EQ(player.display(), "CD Stopped");
    EXPECT_EQ(track(), "1");
    EXPECT_EQ(out.source, nullptr);

    player.play();
    out.pull(30);
    world.timers.advance(kDisplayPeriodMs);
    EXPECT_FALSE(player.isPlaying());
}

TEST_F(CdPlayerTest, TheCdVolumeIsTheSharedCdLevel) {
    player.load();
    EXPECT_DOUBLE_EQ(out.gain, world.levels.value(Level::Cd) / 100.0);
    player.setVolume(30);
    EXPECT_EQ(world.levels.value(Level::Cd), 30);
    EXPECT_DOUBLE_EQ(out.gain, 0.30);
    EXPECT_EQ(player.display(), "CD Volume: 30 %");
    world.levels.set(Level::Cd, 80); // the main window's CD slider
    EXPECT_DOUBLE_EQ(out.gain, 0.80);
    EXPECT_EQ(player.volume(), 80);
    EXPECT_TRUE(world.dialogs.messages.empty());
}

TEST_F(CdPlayerTest, ChangingDriveClosesTheOldOneAndUnloadClosesAll) {
    player.load();
    player.play();
    player.chooseDrive("/dev/sr1");
    EXPECT_EQ(out.source, nullptr);
    EXPECT_EQ(player.currentDrive(), "/dev/sr1");
    EXPECT_EQ(player.send("status cd number of tracks").text, "2");
    EXPECT_FALSE(player.isPlaying());

    world.dialogs.files = {std::string("/dev/sr0")};
    EXPECT_TRUE(player.openImage());
    EXPECT_EQ(player.send("status cd number of tracks").text, "3");

    player.unload();
    EXPECT_EQ(player.send("status cd mode").error, McError::UnknownDevice);
    EXPECT_FALSE(player.isLoaded());
}

TEST(CdPlayerWithout, NoDriveAndNoChannelSayWhatIsMissingAndStillWork) {
    OfflineServices world{"."};
    FakeDrives drives;
    FakeOutput out;
    out.usable = false;
    CdPlayer player{world.services, drives, out};
    player.load();
    ASSERT_EQ(world.dialogs.messages.size(), 2u);
    EXPECT_EQ(world.dialogs.messages[0].text, kNoDriveMessage);
    EXPECT_EQ(world.dialogs.messages[0].title, kNoDriveTitle);
    EXPECT_EQ(world.dialogs.messages[1].text, kMixerMessage);
    EXPECT_TRUE(player.drives().empty());
    EXPECT_EQ(player.remoteDisplay(), kNoDriveLabel);
    EXPECT_FALSE(player.hasVolumeControl());

    player.next(); // fails without a message
    player.play();
    EXPECT_EQ(player.display(), kNoCdFound);
    player.setVolume(20);
    EXPECT_EQ(out.gain, -1) << "no channel: nothing to set";
    EXPECT_EQ(world.dialogs.messages.size(), 2u);
}

} // namespace
} // namespace velmora::cd
