// The soundscape as a whole: a snapshot of what plays now restores to the same soundscape,
// without touching the user's own state files; a plain program folder restores as Velmora
// starts.
#include "rig.h"

#include "banks/soundscape.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

state::RestoreReport restore(LiveWorld& world, Soundscape& soundscape) {
    state::MainState main;
    state::Main2State main2;
    return state::SavedSoundscape(world.levels, soundscape.links())
        .restore(world.folder, main, main2);
}

state::SnapshotResult snapshot(LiveWorld& world, Soundscape& soundscape, const fs::path& dir) {
    return state::SavedSoundscape(world.levels, soundscape.links())
        .writeSnapshot(world.folder, dir, world.levels.master());
}

TEST(Soundscape, SnapshotRestoresWhatIsPlayingNowAndLeavesTheUsersFilesAlone) {
    ProgramFolderRig rig;
    rig.saveState([](Soundscape& s, Levels&) { s.backgroundOne().setVolume(3, 17); });
    const auto userBack = testing::readBytes(rig.path("back.ini"));
    const auto userMain2 = testing::readBytes(rig.path("main2.tmp"));

    testing::TempDir snap;
    {
        LiveWorld live(rig.dir());
        Soundscape now(live.services);
        ASSERT_TRUE(restore(live, now).restoredFiles.size() >= 2);
        now.backgroundOne().setVolume(3, 180);
        now.backgroundOne().setOn(3, true);
        now.backgroundTwo().setOn(4, true);
        now.bw().setOn(2, true);
        now.randomBanks().bank(2).setFrequency(5, 100);
        now.randomBanks().form3().setThreshold(77);
        ASSERT_TRUE(now.randomBanks().form3().setPeriodMinutes(5));
        now.randomBanks().autoRandomize().setEnabled(true);
        now.randomBanks().custom().setAutoRandomize(true);
        live.levels.set(Level::Master, 420);
        live.levels.set(Level::Bwaves, 6);
        live.levels.set(Level::Background, 12);
        const auto result = snapshot(live, now, snap.path());
        ASSERT_TRUE(result.ok) << result.error;
    }
    EXPECT_EQ(testing::readBytes(rig.path("back.ini")), userBack);
    EXPECT_EQ(testing::readBytes(rig.path("main2.tmp")), userMain2);
    EXPECT_TRUE(fs::is_symlink(snap / "bin"));
    EXPECT_FALSE(fs::is_symlink(snap / "back.ini"));

    LiveWorld later(snap.path());
    Soundscape restored(later.services);
    const auto report = restore(later, restored);
    EXPECT_TRUE(report.snapshot);
    EXPECT_TRUE(report.damagedFiles.empty());
    EXPECT_TRUE(later.dialogs.messages.empty());
    EXPECT_EQ(later.levels.master(), 420);
    EXPECT_EQ(later.levels.value(Level::Bwaves), 6);
    EXPECT_EQ(later.levels.value(Level::Background), 12);
    EXPECT_EQ(restored.backgroundOne().slot(3).volume, 180);
    EXPECT_TRUE(restored.backgroundOne().slot(3).on);
    EXPECT_TRUE(restored.backgroundTwo().slot(4).on);
    EXPECT_TRUE(restored.bw().slot(2).on);
    EXPECT_EQ(restored.randomBanks().bank(2).slot(5).frequency, 100);
    EXPECT_EQ(restored.randomBanks().form3().threshold(), 77);
    EXPECT_EQ(restored.randomBanks().form3().periodMinutes(), 5);
    EXPECT_TRUE(restored.randomBanks().autoRandomize().enabled());
    EXPECT_TRUE(restored.randomBanks().custom().autoRandomizeOn());
    // The sounds are reached through the snapshot's links: the loops really play.
    EXPECT_TRUE(later.engine.isPlaying(restored.backgroundOne().voice(3).channel()));
    EXPECT_EQ(later.engine.playingCount(), 3);
}

TEST(Soundscape, PlainFolderRestoresAsVelmoraStarts) {
    ProgramFolderRig rig;
    rig.saveState([](Soundscape& s, Levels& levels) {
        levels.set(Level::Master, 250);
        levels.set(Level::Background, 3);
        s.backgroundOne().setOn(1, true);
    });
    LiveWorld world(rig.dir());
    Soundscape s(world.services);
    const auto report = restore(world, s);
    EXPECT_FALSE(report.snapshot);
    // main2.tmp's master is kept but not restored at start; the bank levels are.
    EXPECT_EQ(world.levels.master(), levelRange(Level::Master).initial);
    EXPECT_EQ(world.levels.value(Level::Background), 3);
    EXPECT_TRUE(s.backgroundOne().slot(1).on);
    // No main.tmp: the dialogs keep their own thresholds instead of dropping to 0.
    EXPECT_EQ(s.randomBanks().form3().threshold(), IntervalSettings::kInitialThreshold);
    // Missing state files (the custom banks here) are a first run, not a fault.
    fs::remove(rig.path("randc.ini"));
    LiveWorld again(rig.dir());
    Soundscape s2(again.services);
    (void)restore(again, s2);
    EXPECT_TRUE(again.dialogs.messages.empty());
}

TEST(Soundscape, SnapshotIntoAFolderThatCannotBeMadeSaysSo) {
    ProgramFolderRig rig;
    LiveWorld live(rig.dir());
    Soundscape s(live.services);
    testing::writeBytes(rig.path("afile"), "x");
    const auto result = snapshot(live, s, rig.path("afile") / "snap");
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.empty());
}

TEST(Soundscape, SnapshotFoldersArePrivateAndFresh) {
    const auto a = state::SavedSoundscape::makeSnapshotFolder();
    const auto b = state::SavedSoundscape::makeSnapshotFolder();
    ASSERT_FALSE(a.empty());
    EXPECT_NE(a, b);
    EXPECT_EQ(fs::status(a).permissions() & fs::perms::all, fs::perms::owner_all);
    fs::remove_all(a);
    fs::remove_all(b);
}

// What the recorder and Velmora leave behind: a snapshot in use stays, the rest go once both
// are done with them, and nothing outside the snapshots' folder is ever removed.
TEST(Soundscape, SnapshotFoldersGoWhenNothingHoldsThem) {
    testing::TempDir runtime;
    const std::string saved = std::getenv("XDG_RUNTIME_DIR") ? std::getenv("XDG_RUNTIME_DIR") : "";
    ::setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
    using state::SavedSoundscape;
    const auto held = SavedSoundscape::makeSnapshotFolder();
    const auto abandoned = SavedSoundscape::makeSnapshotFolder();
    const auto starting = SavedSoundscape::makeSnapshotFolder();
    ASSERT_TRUE(SavedSoundscape::holdSnapshotFolder(held));
    const auto longAgo = fs::file_time_type::clock::now() - std::chrono::minutes(10);
    fs::last_write_time(held, longAgo);
    fs::last_write_time(abandoned, longAgo);

    SavedSoundscape::removeUnusedSnapshotFolders(); // Velmora quitting
    EXPECT_TRUE(fs::exists(held)) << "a recorder is still rendering from it";
    EXPECT_FALSE(fs::exists(abandoned));
    EXPECT_TRUE(fs::exists(starting)) << "its recorder may not have started yet";

    const auto outside = runtime.path() / "snapshot-mine";
    fs::create_directories(outside);
    EXPECT_FALSE(SavedSoundscape::holdSnapshotFolder(outside));
    SavedSoundscape::removeSnapshotFolder(outside);
    SavedSoundscape::removeSnapshotFolder(held.parent_path()); // the base itself is not one
    EXPECT_TRUE(fs::exists(outside));

    SavedSoundscape::removeSnapshotFolder(held); // the recorder ending
    SavedSoundscape::removeSnapshotFolder(starting);
    EXPECT_FALSE(fs::exists(held.parent_path())) << "the empty snapshots' folder goes too";
    if (saved.empty())
        ::unsetenv("XDG_RUNTIME_DIR");
    else
        ::setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);
}

} // namespace
} // namespace velmora::test
