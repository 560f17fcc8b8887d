// Rendering a program folder's soundscape to a file: levels, firings from the seed,
// reproducibility, fades, cancelling.
#include "render.h"
#include "rig.h"

#include "banks/soundscape.h"
#include "effects/effects_controller.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace velmora::test {
namespace {

namespace fs = std::filesystem;
using recorder::RenderOutcome;
using recorder::RenderRequest;
using recorder::RenderStatus;

RenderOutcome renderTo(const fs::path& folder, const fs::path& out, double seconds,
                       std::uint64_t seed = 1, const recorder::RenderHooks& hooks = {}) {
    RenderRequest r;
    r.programFolder = folder;
    r.output = out;
    r.seconds = seconds;
    r.seed = seed;
    return recorder::render(r, {}, nullptr, hooks);
}

/// RMS of one channel of the test loop played at `volume` with the balance centred.
double expectedLoopRms(int volume) {
    return volume / 255.0 * kLoopPeak / std::sqrt(2.0) * std::cos(std::numbers::pi / 4);
}

void oneSlotOn(Soundscape& s) {
    auto& bank = s.backgroundOne();
    bank.setVolume(1, 200);
    bank.setPan(1, 128);
    bank.setRate(1, 0); // a steady level to measure
    bank.setOn(1, true);
}

TEST(RecorderRender, BackgroundSlotPlaysAtItsEffectiveVolume) {
    ProgramFolderRig rig;
    rig.saveState([](Soundscape& s, Levels&) { oneSlotOn(s); });
    testing::TempDir out;
    const auto outcome = renderTo(rig.dir(), out / "one.wav", 3.0);
    ASSERT_EQ(outcome.status, RenderStatus::Finished) << outcome.error;
    EXPECT_TRUE(outcome.warnings.empty());

    const auto audio = readStereo(out / "one.wav");
    ASSERT_EQ(audio.left.size(), 3u * 44100u);
    // Velmora starts with the master at its initial 500, the Background level from
    // main2.tmp (10): Nearest(200 x 10/14 x 500/600) = 119.
    const int volume = static_cast<int>(std::nearbyint(200 * (10 / 14.0) * (500 / 6.0 / 100)));
    const double want = expectedLoopRms(volume);
    EXPECT_NEAR(rms(audio.left, 22050, audio.left.size()), want, want * 0.004);
    EXPECT_NEAR(rms(audio.right, 22050, audio.right.size()), want, want * 0.004);
}

TEST(RecorderRender, SnapshotRecordsTheLevelsPlayingNow) {
    ProgramFolderRig rig;
    LiveWorld live(rig.dir());
    Soundscape soundscape(live.services);
    oneSlotOn(soundscape);
    live.levels.set(Level::Master, 300); // not restored at start, but heard now
    live.levels.set(Level::Background, 14);
    testing::TempDir snap;
    state::SavedSoundscape saved(live.levels, soundscape.links());
    ASSERT_TRUE(saved.writeSnapshot(live.folder, snap.path(), live.levels.master()).ok);

    testing::TempDir out;
    const auto outcome = renderTo(snap.path(), out / "snap.flac", 2.0);
    ASSERT_EQ(outcome.status, RenderStatus::Finished) << outcome.error;
    const auto audio = readStereo(out / "snap.flac");
    const double want = expectedLoopRms(100); // Nearest(200 x 14/14 x 300/600)
    EXPECT_NEAR(rms(audio.left, 22050, audio.left.size()), want, want * 0.004);
}

/// RMS of the difference between two renders' left channels.
double difference(const StereoFile& a, const StereoFile& b) {
    std::vector<float> d(a.left.size());
    for (std::size_t i = 0; i < d.size() && i < b.left.size(); ++i)
        d[i] = a.left[i] - b.left[i];
    return rms(d, 0, d.size());
}

TEST(RecorderRender, PlaysTheEffectsTheProgramWouldAndThoseOfASnapshot) {
    ProgramFolderRig rig;
    rig.saveState([](Soundscape& s, Levels&) { oneSlotOn(s); });
    testing::TempDir out;
    auto take = [&](const fs::path& folder, const std::string& name) {
        const auto outcome = renderTo(folder, out / name, 1.0);
        EXPECT_EQ(outcome.status, RenderStatus::Finished) << outcome.error;
        EXPECT_TRUE(outcome.warnings.empty());
        return readStereo(out / name);
    };
    const auto dry = take(rig.dir(), "dry.wav");
    const auto preset = rig.path("config/fx/reverb presets/Room.rvf");
    testing::writeBytes(preset, "9000,10000,83,83,10,83,200,83,9000,20,0,30,100,100,5000\r\n");
    testing::writeBytes(rig.path("effects.tmp"), "#FALSE#,-1,#TRUE#,0\r\n");
    const auto room = take(rig.dir(), "room.wav");
    testing::writeBytes(preset, "9000,10000,83,83,10,83,900,83,9000,200,1500,90,100,100,5000\r\n");
    const auto hall = take(rig.dir(), "hall.wav");
    const double level = rms(dry.left, 0, dry.left.size());
    EXPECT_GT(difference(room, dry), 0.05 * level);
    EXPECT_GT(difference(hall, room), 0.05 * level);

    // A snapshot carries sliders that no preset holds: here a room turned right down.
    LiveWorld live(rig.dir());
    Soundscape soundscape(live.services);
    oneSlotOn(soundscape);
    effects::EffectsController fx(live.services);
    fx.load();
    fx.setReverbSlider(effects::kReverbLevel, -10000);
    fx.setReverbSlider(effects::kRoom, 0);
    fx.setReverbSlider(effects::kReflections, 0);
    testing::TempDir snap;
    state::SavedSoundscape saved(live.levels, soundscape.links());
    ASSERT_TRUE(saved.writeSnapshot(live.folder, snap.path(), live.levels.master()).ok);
    ASSERT_TRUE(fx.writeSnapshot(snap.path()).ok());
    const auto quiet = take(snap.path(), "quiet.wav");
    fs::remove(snap.path() / "effects.rec");
    const auto presetRoom = take(snap.path(), "preset.wav");
    fs::remove(snap.path() / "effects.tmp");
    const auto none = take(snap.path(), "none.wav");
    const double snapLevel = rms(none.left, 0, none.left.size());
    EXPECT_GT(difference(presetRoom, quiet), 0.05 * snapLevel);
    EXPECT_LT(difference(quiet, none), 0.01 * snapLevel);
}

TEST(RecorderRender, FadesBeginAndEndInSilenceAndLeaveTheMiddleAlone) {
    ProgramFolderRig rig;
    rig.saveState([](Soundscape& s, Levels&) { oneSlotOn(s); });
    testing::TempDir out;
    RenderRequest r;
    r.programFolder = rig.dir();
    r.output = out / "faded.wav";
    r.seconds = 4.0;
    r.fadeInSeconds = 1.0;
    r.fadeOutSeconds = 1.0;
    ASSERT_EQ(recorder::render(r).status, RenderStatus::Finished);
    const auto a = readStereo(r.output);
    ASSERT_EQ(a.left.size(), 4u * 44100u);
    const double steady = rms(a.left, 66150, 110250);
    EXPECT_NEAR(steady, expectedLoopRms(119), expectedLoopRms(119) * 0.004);
    EXPECT_LT(rms(a.left, 0, 441), steady * 0.01);
    EXPECT_LT(rms(a.left, a.left.size() - 441, a.left.size()), steady * 0.01);
    EXPECT_NEAR(rms(a.left, 22050 - 2205, 22050 + 2205), steady * 0.5, steady * 0.12);

    // Fades longer than the recording overlap instead of failing.
    r.seconds = 1.0;
    r.fadeInSeconds = 5.0;
    r.fadeOutSeconds = 5.0;
    ASSERT_EQ(recorder::render(r).status, RenderStatus::Finished);
    const auto shortOne = readStereo(r.output);
    EXPECT_EQ(shortOne.left.size(), 44100u);
    EXPECT_LT(rms(shortOne.left, 0, shortOne.left.size()), steady);
}

struct Expected {
    int firings = 0; ///< bank 1's firings over every tick of the render
    int audible = 0; ///< firings whose volume multiple k is not 0, heard before the end
};

/// Replays the program's one generator for the soundscape below: every 500 ms the four
/// numbered banks then the custom bank draw a candidate; only bank 1 has slots on (all 28 at
/// F = S = 255, so a candidate always fires: pan and k follow).
Expected simulate(std::uint64_t seed, int ticks, int audibleTicks) {
    SeededRandom r(seed);
    const auto below = [&](int span) {
        return std::clamp(static_cast<int>(std::floor(r.next() * span)), 0, span - 1);
    };
    Expected e;
    for (int t = 1; t <= ticks; ++t) {
        if (const int v = below(56); v >= 1 && v <= 28) {
            (void)below(250); // pass test: 5..254 < 255
            (void)below(250); // pan
            const int k = std::min(static_cast<int>(std::floor(r.next() * (255 / 14.0))), 18);
            ++e.firings;
            if (k > 0 && t <= audibleTicks) ++e.audible;
        }
        for (int bank = 2; bank <= 4; ++bank)
            if (const int v = below(56); v >= 1 && v <= 28) (void)below(250);
        if (const int v = below(42); v >= 1 && v <= 28) (void)below(255);
    }
    return e;
}

/// Rising edges of sound in 10 ms blocks.
int countOnsets(const StereoFile& a) {
    int onsets = 0;
    bool active = false;
    for (std::size_t b = 0; b + 441 <= a.left.size(); b += 441) {
        float peak = 0;
        for (std::size_t i = b; i < b + 441; ++i)
            peak = std::max({peak, std::fabs(a.left[i]), std::fabs(a.right[i])});
        const bool now = peak > 1e-3f;
        if (now && !active) ++onsets;
        active = now;
    }
    return onsets;
}

TEST(RecorderRender, RandomBankAtFullFrequencyFiresAsTheSeedSays) {
    ProgramFolderRig rig;
    rig.saveState([](Soundscape& s, Levels&) {
        for (int slot = 1; slot <= 28; ++slot) {
            s.randomBanks().bank(1).setFrequency(slot, 255);
            s.randomBanks().bank(1).setVolume(slot, 255);
        }
    });
    testing::TempDir out;
    for (std::uint64_t seed : {11u, 2024u}) {
        std::uint64_t firings = 0;
        recorder::RenderHooks hooks;
        hooks.inspect = [&](Services&, Soundscape& s) {
            firings = s.randomBanks().bank(1).firingCount();
        };
        const auto outcome = renderTo(rig.dir(), out / "birds.wav", 60.0, seed, hooks);
        ASSERT_EQ(outcome.status, RenderStatus::Finished) << outcome.error;
        // Ticks at 0.5 s .. 60 s; the last one falls after the final block.
        const Expected e = simulate(seed, 120, 119);
        EXPECT_EQ(firings, static_cast<std::uint64_t>(e.firings)) << "seed " << seed;
        EXPECT_GT(e.audible, 40);
        EXPECT_EQ(countOnsets(readStereo(out / "birds.wav")), e.audible) << "seed " << seed;
    }
}

TEST(RecorderRender, SameSeedGivesIdenticalBytesInEveryFormat) {
    ProgramFolderRig rig;
    rig.saveState([](Soundscape& s, Levels&) {
        s.backgroundOne().setOn(2, true); // drifting at the initial rate: draws targets
        s.backgroundOne().setRate(2, 990);
        for (int slot = 1; slot <= 28; ++slot)
            s.randomBanks().bank(1).setFrequency(slot, 255);
    });
    testing::TempDir out;
    for (const char* ext : {".wav", ".flac", ".ogg"}) {
        const auto a = out / (std::string("a") + ext);
        const auto b = out / (std::string("b") + ext);
        ASSERT_EQ(renderTo(rig.dir(), a, 8.0, 99).status, RenderStatus::Finished) << ext;
        ASSERT_EQ(renderTo(rig.dir(), b, 8.0, 99).status, RenderStatus::Finished) << ext;
        const auto bytes = testing::readBytes(a);
        EXPECT_GT(bytes.size(), 1000u) << ext;
        EXPECT_TRUE(bytes == testing::readBytes(b)) << ext << " differs between two renders";
        EXPECT_EQ(readStereo(a).left.size(), 8u * 44100u) << ext;
    }
    ASSERT_EQ(renderTo(rig.dir(), out / "c.wav", 8.0, 100).status, RenderStatus::Finished);
    EXPECT_FALSE(testing::readBytes(out / "a.wav") == testing::readBytes(out / "c.wav"));
}

TEST(RecorderRender, CancelledOrFailedRenderLeavesNothingUnderTheName) {
    ProgramFolderRig rig;
    rig.saveState([](Soundscape& s, Levels&) { oneSlotOn(s); });
    testing::TempDir out;
    const auto target = out / "keep.wav";
    testing::writeBytes(target, "an older recording");

    RenderRequest r;
    r.programFolder = rig.dir();
    r.output = target;
    r.seconds = 600;
    std::atomic<bool> cancel{false};
    int reports = 0;
    const auto outcome = recorder::render(
        r,
        [&](const recorder::RenderProgress&) {
            if (++reports == 3) cancel = true;
        },
        &cancel);
    EXPECT_EQ(outcome.status, RenderStatus::Cancelled);
    EXPECT_LT(outcome.frames, 10 * 44100);
    EXPECT_EQ(testing::readBytes(target), "an older recording");
    EXPECT_EQ(testing::entryCount(out.path()), 1u) << "a temporary file was left behind";

    // An output folder that vanished, an extension nobody can play.
    r.output = out / "missing" / "x.wav";
    auto failed = recorder::render(r);
    EXPECT_EQ(failed.status, RenderStatus::Failed);
    EXPECT_NE(failed.error.find("does not exist"), std::string::npos) << failed.error;
    r.output = out / "x.mp3";
    failed = recorder::render(r);
    EXPECT_EQ(failed.status, RenderStatus::Failed);
    EXPECT_NE(failed.error.find(".wav, .flac or .ogg"), std::string::npos) << failed.error;
    EXPECT_EQ(testing::entryCount(out.path()), 1u);
}

TEST(RecorderRender, DamagedStateFileIsReportedAndTheRestStillRecords) {
    ProgramFolderRig rig;
    rig.saveState([](Soundscape& s, Levels&) { oneSlotOn(s); });
    testing::writeBytes(rig.path("back2.ini"), "1,2,3\r\n");
    testing::TempDir out;
    const auto outcome = renderTo(rig.dir(), out / "x.wav", 2.0);
    ASSERT_EQ(outcome.status, RenderStatus::Finished);
    ASSERT_EQ(outcome.warnings.size(), 1u);
    EXPECT_EQ(outcome.warnings[0], backgroundBankTwo().loadError);
    const auto a = readStereo(out / "x.wav");
    EXPECT_NEAR(rms(a.left, 22050, a.left.size()), expectedLoopRms(119),
                expectedLoopRms(119) * 0.004);
}

} // namespace
} // namespace velmora::test
