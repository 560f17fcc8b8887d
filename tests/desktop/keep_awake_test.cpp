// Sleep waits while something is heard: taken when the first sound plays, given back on
// mute, on silence and when the user turns the option off; a refused hold is asked again.
#include "desktop/keep_awake.h"
#include "hub_rig.h"

#include <gtest/gtest.h>

namespace velmora::test {
namespace {

/// The power manager as Velmora sees it: what it was asked, and whether it agrees.
struct FakeLogind final : SleepBlocker {
    bool agrees = true;
    bool held = false;
    std::vector<std::string> calls;
    bool hold(const std::string& why) override {
        calls.push_back("hold: " + why);
        held = agrees;
        return agrees;
    }
    void release() override {
        calls.push_back("release");
        held = false;
    }
};

struct Awake : ::testing::Test {
    HubRig rig;
    FakeLogind logind;
    std::unique_ptr<desktop::KeepAwake> keepAwake;
    void SetUp() override {
        rig.start();
        keepAwake = std::make_unique<desktop::KeepAwake>(rig.world().services, logind);
    }
    void playBackground() {
        rig.world().backgroundOne.setOn(2, true);
        rig.run(1100);
    }
};

TEST_F(Awake, HeldFromFirstSoundUntilMuteOrSilence) {
    rig.world().backgroundOne.stopAll();
    rig.run(1100);
    EXPECT_TRUE(logind.calls.empty());

    playBackground();
    EXPECT_TRUE(logind.held);
    EXPECT_EQ(logind.calls, (std::vector<std::string>{"hold: Velmora is playing a soundscape"}));

    rig.main().mute().toggle();
    EXPECT_FALSE(logind.held) << "at once, not at the next look";
    rig.main().mute().toggle();
    EXPECT_TRUE(logind.held);

    rig.main().panels().stopAllSounds();
    rig.run(1100);
    EXPECT_FALSE(logind.held);
    EXPECT_EQ(logind.calls.size(), 4u) << "no call while nothing changes";
}

TEST_F(Awake, OptionIsSavedAndAppliedAtOnce) {
    EXPECT_TRUE(desktop::readKeepAwake(rig.world().settings)) << "on by default";
    playBackground();
    ASSERT_TRUE(logind.held);
    keepAwake->setEnabled(false);
    EXPECT_FALSE(logind.held);
    EXPECT_FALSE(desktop::readKeepAwake(rig.world().settings));
    rig.run(1100);
    EXPECT_FALSE(logind.held);
    keepAwake->setEnabled(true);
    EXPECT_TRUE(logind.held);
}

TEST_F(Awake, RefusedHoldIsAskedAgainAndReleasedOnQuit) {
    logind.agrees = false;
    playBackground();
    EXPECT_FALSE(keepAwake->isHolding());
    logind.agrees = true;
    rig.run(1100);
    EXPECT_TRUE(keepAwake->isHolding());
    keepAwake.reset();
    EXPECT_FALSE(logind.held);
}

} // namespace
} // namespace velmora::test
