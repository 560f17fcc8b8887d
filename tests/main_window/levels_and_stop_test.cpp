// The global levels as the user hears them: mute, master moves and the MP3 level reaching
// every bank, and "Stop all sounds " measured on the rendered output.
#include "core/files/text_record.h"
#include "hub_rig.h"

#include <gtest/gtest.h>

#include <cmath>

namespace velmora::test {
namespace {

/// The random banks' formula: Nearest(M x (R / 6 / 100) x (S / 14)).
int randomVolume(int master, int random, int slotVolume) {
    return int(std::nearbyint(master * (random / 6.0 / 100.0) * (slotVolume / 14.0)));
}

class Levels_ : public ::testing::Test {
  protected:
    void SetUp() override {
        rig.start();
        auto& bank = rig.world().backgroundOne;
        bank.setRate(1, 0); // hold the volume still: no drift under the measurement
        bank.setVolume(1, 200);
        bank.setOn(1, true);
        rig.run(30);
    }
    audio::ChannelHandle loop() { return rig.world().backgroundOne.voice(1).channel(); }
    HubRig rig;
};

TEST_F(Levels_, MutingTwiceRestoresTheExactMasterAndTheSound) {
    rig.levels().set(Level::Master, 437);
    const int audible = rig.engine().volume(loop());
    ASSERT_TRUE(rig.engine().isPlaying(loop()));
    ASSERT_GT(audible, 0);

    rig.main().mute().toggle();
    EXPECT_TRUE(rig.main().mute().isMuted());
    EXPECT_EQ(rig.levels().master(), 0);
    EXPECT_EQ(rig.engine().volume(loop()), 0);
    rig.run(50); // let the volume ramp settle
    EXPECT_LT(rig.run(200), 1e-4) << "muted output must be silent";

    rig.main().mute().toggle();
    EXPECT_FALSE(rig.main().mute().isMuted());
    EXPECT_EQ(rig.levels().master(), 437);
    EXPECT_EQ(rig.engine().volume(loop()), audible);
    EXPECT_GT(rig.run(200), 0.01);
}

TEST_F(Levels_, RaisingTheMasterWhileMutedUnmutes) {
    rig.main().mute().toggle();
    rig.levels().set(Level::Master, 300); // e.g. the remote's or a bank's copy
    EXPECT_FALSE(rig.main().mute().isMuted());
    // The next Mute saves 300, not the value from before the first mute.
    rig.main().mute().toggle();
    rig.main().mute().toggle();
    EXPECT_EQ(rig.levels().master(), 300);
}

TEST_F(Levels_, MasterMovedAnywhereReappliesLiveVolumesInEveryBank) {
    auto& w = rig.world();
    RandomBank& birds = w.randomBanks.bank(1);
    birds.setVolume(3, 220);

    // Main window first, then a move as a bank's copy makes it (the shared model).
    for (auto move : {+[](HubRig& r) { r.levels().set(Level::Master, 600); },
                      +[](HubRig& r) { r.levels().set(Level::Master, 150); }}) {
        birds.preview(3); // a one-shot still playing while the master moves
        rig.run(20);
        const auto shot = birds.slot(3).channel;
        ASSERT_TRUE(rig.engine().isPlaying(shot));
        const int loopBefore = rig.engine().volume(loop());

        move(rig);
        const int m = rig.levels().master();
        EXPECT_EQ(rig.engine().volume(shot),
                  randomVolume(m, rig.levels().value(Level::Random), 220))
            << "master " << m;
        EXPECT_EQ(rig.engine().volume(loop()), w.backgroundOne.effectiveVolume(1));
        EXPECT_NE(rig.engine().volume(loop()), loopBefore);
        rig.run(600); // the one-shot ends
    }
}

TEST_F(Levels_, FreshStartPlaysAnInitialSlotClearlyAndTheTopReachesFullVolume) {
    RandomBank& birds = rig.world().randomBanks.bank(1);
    birds.preview(3); // initial volume 220 at the start-up levels
    EXPECT_EQ(rig.engine().volume(birds.slot(3).channel), 131);
    rig.run(600);

    rig.levels().set(Level::Master, 100000); // limited to the top
    rig.levels().set(Level::Random, 100000);
    birds.setVolume(3, 255);
    birds.preview(3);
    EXPECT_EQ(rig.engine().volume(birds.slot(3).channel), 255);
}

TEST_F(Levels_, Mp3LevelAt5000SetsEveryBanksCopy) {
    rig.levels().set(Level::Mp3, 5000);
    auto& w = rig.world();
    EXPECT_EQ(w.backgroundOne.values().mp3Copy, 5000);
    EXPECT_EQ(w.backgroundTwo.values().mp3Copy, 5000);
    EXPECT_EQ(w.randomBanks.custom().values().slider(40), 5000);
    EXPECT_EQ(w.customBackground.values().bank.mp3Copy, 5000);
    // The bank files carry the copy too, so a scenario saved now remembers it.
    w.backgroundTwo.dosave(rig.file("copy.bcf"));
    const auto fields = files::RecordReader::fromFile(rig.file("copy.bcf")).fields();
    ASSERT_GE(fields.size(), 39u);
    EXPECT_EQ(fields[38].text, "5000");
}

TEST_F(Levels_, StopAllSilencesEveryBank) {
    auto& w = rig.world();
    w.backgroundOne.setOn(2, true);
    w.randomBanks.bank(1).preview(5);
    w.randomBanks.bank(1).setFrequency(6, 255); // fires on its own too
    rig.run(30);
    ASSERT_GT(rig.run(100), 0.01);

    rig.main().panels().stopAllSounds();
    EXPECT_FALSE(w.backgroundOne.slot(1).on) << "switched off as if unticked";
    EXPECT_FALSE(w.backgroundOne.slot(2).on);
    rig.run(20); // the stop's short fade
    EXPECT_EQ(rig.engine().playingCount(), 0);
    EXPECT_LT(rig.run(100), 1e-5);
}

} // namespace
} // namespace velmora::test
