#include "core/main_window/main_window_controller.h"
#include "core/offline_services.h"
#include "remote/remote_controller.h"
#include "remote/remote_state.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace velmora;
using namespace velmora::remote;

namespace {
struct World {
    velmora::testing::TempDir dir;
    OfflineServices offline{dir.path()};
    MainWindowController main{offline.services};
    visual::VisualMode visual{offline.services, main.commands(), [] {}};
    std::unique_ptr<RemoteController> remote =
        std::make_unique<RemoteController>(offline.services, main, visual);
};
} // namespace

TEST(RemoteState, FolderAndMinutesSurviveARestartAndDamageGivesDefaults) {
    World w;
    std::filesystem::create_directories(w.dir / "pics");
    std::ofstream(w.dir / "pics/one.jpg") << "x";
    w.visual.sources().setFolder(w.dir / "pics");
    w.visual.sources().setChangeEvery("7");
    w.remote->save();

    World again;
    std::filesystem::copy_file(w.dir / "remote.tmp", again.dir / "remote.tmp");
    again.remote =
        std::make_unique<RemoteController>(again.offline.services, again.main, again.visual);
    EXPECT_EQ(again.visual.sources().folder(), w.dir / "pics");
    EXPECT_EQ(again.visual.sources().changeEvery(), "7");

    RemoteState s;
    (void)parseRemoteState(std::string("\"a\x01b\",\"ok\",\"-3\""), s);
    EXPECT_EQ(s.slideshowFolder, "");
    EXPECT_EQ(s.chooserFolder, "ok");
    EXPECT_EQ(s.changeEvery, kDefaultChangeEvery);
    RemoteState huge;
    (void)parseRemoteState("\"" + std::string(10000, 'x') + "\",5", huge);
    EXPECT_EQ(huge.slideshowFolder, "");
    EXPECT_EQ(huge.changeEvery, kDefaultChangeEvery);
}

TEST(Remote, DocksIntoEachCornerOfItsScreen) {
    const state::ScreenArea screen{1920, 0, 1366, 768};
    EXPECT_EQ(dockPosition(Corner::TopLeft, screen, {300, 200}), (state::WindowPosition{1920, 0}));
    EXPECT_EQ(dockPosition(Corner::TopRight, screen, {300, 200}), (state::WindowPosition{2986, 0}));
    EXPECT_EQ(dockPosition(Corner::BottomLeft, screen, {300, 200}),
              (state::WindowPosition{1920, 568}));
    EXPECT_EQ(dockPosition(Corner::BottomRight, screen, {2000, 900}),
              (state::WindowPosition{1920, 0}));
}

TEST(Remote, LabelsFollowTheirOwnersAndHidingTheRemoteKeepsItsFlag) {
    World w;
    EXPECT_EQ(w.remote->label(Label::Alarm), "Alarm Not Set");
    EXPECT_FALSE(w.remote->hasLabel(Label::Alarm));
    w.main.windows().add("Alarm", [] {});
    EXPECT_TRUE(w.remote->hasLabel(Label::Alarm));
    w.main.commands().disableAlarm();
    EXPECT_EQ(w.remote->label(Label::Alarm), "Alarm:Off");
    w.main.commands().tellRemoteScenario("Scenario: Rain");
    EXPECT_EQ(w.remote->label(Label::Scenario), "Scenario: Rain");

    w.visual.showRemoteFromView();
    EXPECT_EQ(w.visual.state().remoteShown, visual::kOn);
    w.remote->hideRemote();
    EXPECT_EQ(w.visual.state().remoteShown, 0);
}
