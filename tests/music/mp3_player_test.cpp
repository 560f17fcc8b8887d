// The MP3 player as a user meets it: tracks follow one another without a gap, the ends of
// the list behave, the volume formula keeps to the valid range, and a track that fails
// never leaves the player stuck.
#include "audio/audio_test_support.h"
#include "core/offline_services.h"
#include "music/mp3_player.h"

#include <gtest/gtest.h>

namespace velmora::music {
namespace {

using audio::test::FileKind;

class PlayerTest : public ::testing::Test {
  protected:
    std::string tone(const std::string& name, double seconds, double hz = 440) {
        const std::string path = media.path(name);
        EXPECT_TRUE(
            audio::test::writeTone(path, FileKind::Wav, audio::kSampleRate, 2, hz, seconds));
        return path;
    }
    void addAll(const std::vector<std::string>& paths) {
        for (const auto& p : paths) {
            off.dialogs.files.push_back(p);
            player.addFile();
        }
    }
    /// Renders in steps of the time display's period, as the program would play.
    std::vector<float> run(int milliseconds) {
        std::vector<float> all;
        for (int t = 0; t < milliseconds; t += kTimeDisplayMs) {
            const auto block = audio::test::render(off.engine, audio::kSampleRate / 4);
            all.insert(all.end(), block.begin(), block.end());
            off.timers.advance(kTimeDisplayMs);
        }
        return all;
    }

    audio::test::TempFolder media;
    audio::test::TempFolder program;
    OfflineServices off{program.path("")};
    Mp3Player player{off.services};
};

TEST_F(PlayerTest, TracksFollowWithoutSilenceAndTheEndOfTheLastClearsTheSelection) {
    addAll({tone("a.wav", 0.6, 440), tone("b.wav", 0.6, 660)});
    off.levels.set(Level::Mp3, 5000);
    player.play();
    EXPECT_EQ(player.display(), "a.wav");
    EXPECT_EQ(player.playlist().selected(), 0);
    auto out = run(750);
    EXPECT_EQ(player.playlist().selected(), 1);
    EXPECT_EQ(player.display(), "b.wav");
    const auto rest = run(750);
    out.insert(out.end(), rest.begin(), rest.end());
    // Tones of amplitude 0.5 cross zero steeply: more than two samples in a row near zero
    // is a gap.
    const int end = static_cast<int>(1.19 * audio::kSampleRate);
    int quietRun = 0, longestQuietRun = 0;
    for (int i = audio::kSampleRate / 100; i < end; ++i) {
        quietRun = std::abs(out[2 * i]) < 0.01f ? quietRun + 1 : 0;
        longestQuietRun = std::max(longestQuietRun, quietRun);
    }
    EXPECT_LE(longestQuietRun, 2);
    EXPECT_GT(audio::test::rms(out, 0, 26000, 27000), 0.3); // across the join at 0.6 s

    EXPECT_FALSE(player.playing());
    EXPECT_EQ(player.playlist().selected(), Playlist::kNone);
    EXPECT_TRUE(off.dialogs.messages.empty());
}

TEST_F(PlayerTest, TheEndsOfTheListAndAnEmptyList) {
    player.play();
    EXPECT_EQ(player.display(), kNoTrack);
    EXPECT_FALSE(player.playing());

    addAll({tone("a.wav", 5), tone("b.wav", 5), tone("c.wav", 5)});
    player.playEntry(2);
    player.next(); // random off, on the last entry: the last plays again
    EXPECT_EQ(player.playlist().selected(), 2);
    EXPECT_TRUE(player.playing());
    run(500);
    player.playEntry(0);
    player.previous(); // on the first: stays there and plays it
    EXPECT_EQ(player.playlist().selected(), 0);
    EXPECT_EQ(player.display(), "a.wav");
    EXPECT_TRUE(player.playing());
    EXPECT_LT(player.position(), 0.1);

    // Play after pause resumes only the entry that was paused.
    player.pause();
    player.select(2);
    player.play();
    EXPECT_EQ(player.display(), "c.wav");
}

TEST_F(PlayerTest, RandomWithOneEntryPlaysItAndAOneEntryListKeepsItsSelection) {
    addAll({tone("only.wav", 0.5)});
    player.toggleRandom();
    off.random.push(0.999);
    player.next();
    EXPECT_EQ(player.playlist().selected(), 0);
    EXPECT_GT(off.random.clockSeedCount(), 0);
    player.stop();
    player.toggleRandom();
    player.play();
    run(1000);
    EXPECT_FALSE(player.playing());
    EXPECT_EQ(player.playlist().selected(), 0);
}

TEST_F(PlayerTest, VolumeFormulaIsLimitedToTheValidRange) {
    EXPECT_EQ(playerVolume(5000, 600), 0);    // both at their tops: would be +25000
    EXPECT_EQ(playerVolume(0, 0), -5000);     // both at their bottoms
    EXPECT_EQ(playerVolume(100, 500), -4500); // the player's own start value
    EXPECT_EQ(playerVolume(1000, 500), 0);    // the formula reaches full volume early
    EXPECT_EQ(playerVolume(5000, 0), -5000);
    off.levels.set(Level::Mp3, 100);
    off.levels.set(Level::Master, 500);
    EXPECT_EQ(player.volume(), -4500);

    // The level is heard: -45 dB below full volume.
    addAll({tone("a.wav", 3)});
    player.play();
    const auto quiet = run(500);
    off.levels.set(Level::Mp3, 5000);
    const auto full = run(500);
    const int from = audio::kSampleRate / 4, to = from + 4410;
    EXPECT_NEAR(audio::test::toDb(audio::test::rms(quiet, 0, from, to) /
                                  audio::test::rms(full, 0, from, to)),
                -45.0, 0.5);
}

TEST_F(PlayerTest, SeekThenPositionAndTheTimeDisplay) {
    addAll({tone("long.wav", 130)});
    std::vector<std::string> shown;
    auto c = player.timeChanged.connect([&](std::string t) { shown.push_back(t); });
    player.play();
    EXPECT_NEAR(player.duration(), 130.0, 0.01);
    run(1000);
    player.seek(65.0);
    EXPECT_DOUBLE_EQ(player.position(), 65.0);
    run(1000);
    EXPECT_NEAR(player.position(), 66.0, 0.01);
    EXPECT_EQ(shown.back(), "01:06");
    EXPECT_EQ(timeText(0), "00:00");
    EXPECT_EQ(timeText(-1), "00:00");
    EXPECT_EQ(timeText(3599.9), "59:59");
    player.pause();
    run(250); // fades out
    const double held = player.position();
    run(1000);
    EXPECT_DOUBLE_EQ(player.position(), held);
    player.play(); // resumes rather than starting over
    run(500);
    EXPECT_GT(player.position(), held);
}

TEST_F(PlayerTest, AFailingTrackIsReportedOnceAndPlayGoesOn) {
    const std::string missing = media.path("gone.mp3");
    addAll({tone("a.wav", 0.5), missing, missing, tone("d.wav", 3)});
    player.play();
    run(1500);
    EXPECT_EQ(player.playlist().selected(), 3);
    EXPECT_TRUE(player.playing());
    ASSERT_EQ(off.dialogs.messages.size(), 1u);
    EXPECT_EQ(off.dialogs.lastMessage(), kFileNotFound);

    // When nothing after a track can be played, the player stops instead of hanging.
    player.removeAll();
    addAll({tone("e.wav", 0.5), missing, missing});
    player.play();
    run(1500);
    EXPECT_FALSE(player.playing());
    EXPECT_EQ(off.dialogs.messages.size(), 2u);
}

} // namespace
} // namespace velmora::music
