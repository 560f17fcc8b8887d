// A sound file that brings the program down while it is being decoded must not do so at
// every start (the custom bank restores its sounds at each one): the next start skips it,
// says which file it skipped, and the file is tried again only when the user chooses it.
#include "rig.h"

#include "core/startup/crash_guard.h"

#include <gtest/gtest.h>

#include <fstream>

namespace velmora::test {
namespace {
namespace fs = std::filesystem;

class CrashGuardTest : public ::testing::Test {
  protected:
    CrashGuardTest() : rig(true) { writeTone(userSound, 0.5); }
    ~CrashGuardTest() override { rig.engine.setDecodeGuard(nullptr); }

    /// One start of the program: a guard reading what the last run left, in the engine.
    CrashGuard& start() {
        rig.engine.setDecodeGuard(nullptr);
        guard = std::make_unique<CrashGuard>(settings.path(), rig.folder.resolve("\\bin"));
        rig.engine.setDecodeGuard(guard.get());
        return *guard;
    }
    /// The program ends while the file is being decoded.
    void closeWhileDecoding(const fs::path& file) {
        ASSERT_TRUE(start().mayDecode(file.string(), audio::LoadOrigin::Stored));
        guard.reset();
    }
    bool loads(const fs::path& file) { return rig.engine.loadSample(file.string()).valid(); }

    RandomRig rig;
    testing::TempDir settings;
    const fs::path userSound = rig.file("soundbanks/random sounds/user.wav");
    std::unique_ptr<CrashGuard> guard;
};

TEST_F(CrashGuardTest, FileOpenAtACloseIsSkippedAndToldOnceUntilChosenAgain) {
    // The bank names the file in its stored form at start; the skip must still match it.
    closeWhileDecoding(rig.dir() / "soundbanks" / "random sounds" / "." / "user.wav");

    start().tellSkipped(rig.dialogs);
    EXPECT_FALSE(loads(userSound));
    ASSERT_EQ(rig.dialogs.messages.size(), 1u);
    EXPECT_EQ(rig.dialogs.lastMessage(),
              "Velmora closed while opening the sound file \"" + userSound.string() +
                  "\". That file has been skipped so that the program can start; choose it "
                  "again in its bank to try it once more.");
    guard->tellSkipped(rig.dialogs);
    EXPECT_EQ(rig.dialogs.messages.size(), 1u);

    // Later starts still refuse it, without telling again.
    start().tellSkipped(rig.dialogs);
    EXPECT_FALSE(loads(userSound));
    EXPECT_EQ(rig.dialogs.messages.size(), 1u);

    // Choosing it in the bank tries it again, and from then on it is restored as before.
    rig.dialogs.files = {userSound.string()};
    rig.banks->custom().chooseSound(3);
    EXPECT_TRUE(rig.banks->custom().slot(3).sample.valid());
    start().tellSkipped(rig.dialogs);
    EXPECT_TRUE(loads(userSound));
    EXPECT_EQ(rig.dialogs.messages.size(), 1u);
}

TEST_F(CrashGuardTest, FinishedDecodesAndFactorySoundsLeaveNothingToSkip) {
    start();
    EXPECT_TRUE(loads(userSound));
    const fs::path junk = rig.file("soundbanks/random sounds/junk.wav");
    std::ofstream(junk) << "not a sound";
    EXPECT_FALSE(loads(junk)); // a failed decode ends as cleanly as a good one
    // Factory sounds are ours: even a close in the middle of one skips nothing.
    closeWhileDecoding(rig.file("bin/101.raz"));

    start().tellSkipped(rig.dialogs);
    EXPECT_TRUE(rig.dialogs.messages.empty());
    EXPECT_TRUE(guard->skipped().empty());
    EXPECT_TRUE(loads(userSound));
    EXPECT_TRUE(loads(rig.file("bin/101.raz")));
}

} // namespace
} // namespace velmora::test
