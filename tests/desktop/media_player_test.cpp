// Media keys on the real main window: play and pause are unmute and mute, the title is the
// chosen scenario, and every change is told to the bus.
#include "desktop/media_player.h"
#include "hub_rig.h"

#include <gtest/gtest.h>

namespace velmora::test {
namespace {

TEST(MediaPlayer, PlayPauseIsMuteAndChangesAreTold) {
    HubRig rig;
    rig.start();
    int raised = 0;
    int quits = 0;
    desktop::CommandRunner runner(
        rig.main(), [&] { ++raised; }, [&] { ++quits; });
    desktop::MediaPlayer player(rig.main(), runner);
    int told = 0;
    player.changed = [&] { ++told; };
    const int master = rig.levels().master();

    EXPECT_TRUE(player.isPlaying());
    player.playPause();
    EXPECT_FALSE(player.isPlaying());
    EXPECT_EQ(rig.levels().master(), 0);
    player.pause();
    EXPECT_FALSE(player.isPlaying()) << "pause never unmutes";
    player.play();
    player.play();
    EXPECT_TRUE(player.isPlaying());
    EXPECT_EQ(rig.levels().master(), master);
    EXPECT_EQ(told, 2);

    rig.main().scenarios().select("Forest");
    EXPECT_EQ(player.title(), "Forest");
    EXPECT_EQ(told, 3);

    player.next();
    player.previous();
    EXPECT_TRUE(player.isPlaying());
    player.raise();
    player.quit();
    EXPECT_EQ(raised, 1);
    EXPECT_EQ(quits, 1);
}

struct Recorded final : ScenarioLoader {
    std::vector<std::string> loaded;
    void loadScenario(const std::string& name) override { loaded.push_back(name); }
    bool loadScenarioFile(const std::filesystem::path&, ScenarioLoadMode) override { return true; }
    void rebuildScenarioMenu() override {}
};

TEST(MediaPlayer, NextAndPreviousStepThroughBoundPresetsAndWrap) {
    HubRig rig;
    rig.start();
    desktop::CommandRunner runner(
        rig.main(), [] {}, [] {});
    desktop::MediaPlayer player(rig.main(), runner);
    player.next(); // nothing bound, nothing to load
    Recorded loader;
    rig.main().scenarios().setLoader(&loader);
    rig.main().presets().setCaption(1, "Rain");
    rig.main().presets().setCaption(4, "Sea");
    rig.main().presets().setCaption(13, "Night");
    player.next();
    player.next();
    player.next();
    player.next();
    player.previous();
    EXPECT_EQ(loader.loaded, (std::vector<std::string>{"Rain", "Sea", "Night", "Rain", "Night"}));
}

} // namespace
} // namespace velmora::test
