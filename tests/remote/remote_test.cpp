// The remote without a toolkit: remote.tmp, docking, its labels, its preset buttons, and the
// MP3 and CD players writing their lines and taking its MP3 buttons.
#include "audio/audio_test_support.h"
#include "cd/cd_fakes.h"
#include "core/main_window/main_window_controller.h"
#include "core/offline_services.h"
#include "remote/player_links.h"
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

/// With the MP3 player and a CD player on fake drives.
struct Players : World {
    music::Mp3Player mp3{offline.services};
    cd::testing::FakeDrives drives;
    cd::testing::FakeOutput output;
    cd::CdPlayer cd{offline.services, drives, output};
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

TEST(Remote, PresetButtonsRunTheMainWindowsPresetCommand) {
    World w;
    // A preset being assigned on the main window binds whichever button is pressed next,
    // on the remote as on the main window.
    w.main.presets().startAssign("Rain");
    w.remote->pressPreset(3);
    EXPECT_FALSE(w.main.presets().isFlashing());
    EXPECT_EQ(w.remote->presetCaption(3), "Rain");
    EXPECT_TRUE(w.remote->presetAssigned(3));
    // Buttons past the remote's twelve are not the remote's to press.
    w.main.presets().startAssign("Storm");
    w.remote->pressPreset(12);
    EXPECT_TRUE(w.main.presets().isFlashing());
}

TEST(RemotePlayers, Mp3ButtonsDriveThePlayerWhoseTitleAndTimeTheRemoteShows) {
    Players p;
    auto links = std::make_unique<PlayerLinks>(*p.remote, p.mp3, p.cd);
    ASSERT_EQ(p.remote->mp3(), links.get());

    const auto track = (p.dir / "dawn.wav").string();
    ASSERT_TRUE(
        audio::test::writeTone(track, audio::test::FileKind::Wav, audio::kSampleRate, 2, 440, 3.0));
    p.offline.dialogs.files.push_back(track);
    p.mp3.addFile();
    p.remote->mp3()->play();
    EXPECT_TRUE(p.mp3.playing());
    EXPECT_EQ(p.remote->label(Label::Mp3Title), "dawn.wav");
    for (int i = 0; i < 5; ++i) {
        (void)audio::test::render(p.offline.engine, audio::kSampleRate / 4);
        p.offline.timers.advance(music::kTimeDisplayMs);
    }
    EXPECT_EQ(p.remote->label(Label::Mp3Time), "MP3 Time: 00:01");

    p.remote->mp3()->pause();
    EXPECT_TRUE(p.mp3.paused());
    p.remote->mp3Stop();
    EXPECT_FALSE(p.mp3.playing() || p.mp3.paused());
    EXPECT_EQ(p.remote->label(Label::Mp3Time), " MP3 Time:00:00:00");

    // Gone with the player's wiring: the remote leaves its transport out.
    links.reset();
    EXPECT_EQ(p.remote->mp3(), nullptr);
}

TEST(RemotePlayers, TheCdLineSaysNoCdDriveBeforeTheWindowOpensAndFollowsTheDriveAfter) {
    Players none;
    PlayerLinks noneLinks(*none.remote, none.mp3, none.cd);
    EXPECT_EQ(none.remote->label(Label::Cd), "No Audio CD ");
    const auto messagesBefore = none.offline.dialogs.messages.size();
    none.cd.findDrives();
    EXPECT_TRUE(none.cd.noDrive());
    EXPECT_EQ(none.remote->label(Label::Cd), "No CD Drive");
    // Only opening the CD window tells the user in a message.
    EXPECT_EQ(none.offline.dialogs.messages.size(), messagesBefore);

    Players one;
    one.drives.names = {"/dev/sr0"};
    one.drives.discs["/dev/sr0"] = {44100, 44100};
    PlayerLinks oneLinks(*one.remote, one.mp3, one.cd);
    one.cd.findDrives();
    EXPECT_FALSE(one.cd.noDrive());
    EXPECT_EQ(one.remote->label(Label::Cd), "No Audio CD ");
    one.cd.load();
    EXPECT_EQ(one.remote->label(Label::Cd), "Current Drive = /dev/sr0");
}
