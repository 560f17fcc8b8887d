#include "core/main_window/main_window_controller.h"
#include "core/offline_services.h"
#include "support/temp_dir.h"
#include "visual/visual_mode.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

using namespace velmora;
using namespace velmora::visual;

namespace {
void touch(const std::filesystem::path& p) {
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p) << "x";
}

struct World {
    velmora::testing::TempDir dir;
    std::unique_ptr<OfflineServices> offline = withPictures();
    MainWindowController main{offline->services};
    int quits = 0;
    std::unique_ptr<VisualMode> visual = make();

    std::unique_ptr<OfflineServices> withPictures() {
        for (const char* name : {"b.jpg", "A.png", "c.BMP", "notes.txt"})
            touch(dir / "visual/slideshow/default" / name);
        return std::make_unique<OfflineServices>(dir.path());
    }
    std::unique_ptr<VisualMode> make() {
        return std::make_unique<VisualMode>(offline->services, main.commands(),
                                            [this] { ++quits; });
    }
    void run(int ms) { offline->timers.advance(ms); }
};

struct Shown {
    std::vector<std::string> names;
    Connection c;
    explicit Shown(Slideshow& s)
        : c(s.show.connect([this](const std::filesystem::path& p) {
              names.push_back(p.filename().string());
          })) {}
};
} // namespace

TEST(Slideshow, ChangeEveryCountsWholeMinutesAndZeroChangesEachSecond) {
    World w;
    auto& sources = w.visual->sources();
    ASSERT_EQ(sources.pictures(), (std::vector<std::string>{"A.png", "b.jpg", "c.BMP"}));
    Shown shown(w.visual->slideshowView());
    sources.setChangeEvery("1");
    w.visual->slideshow();
    EXPECT_EQ(shown.names, (std::vector<std::string>{"b.jpg"})); // first show steps on
    w.run(59'000);
    EXPECT_EQ(shown.names.size(), 1u);
    w.run(1'000);
    EXPECT_EQ(shown.names.back(), "c.BMP");
    EXPECT_EQ(w.visual->slideshowView().minutes(), 0);

    sources.setChangeEvery("0");
    w.run(3'000);
    EXPECT_EQ(shown.names, (std::vector<std::string>{"b.jpg", "c.BMP", "A.png", "b.jpg", "c.BMP"}));
    EXPECT_EQ(sources.selected(), 2);

    // Random order: entry Int(r x count).
    sources.setRandomOrder(true);
    w.offline->random.push(0.999);
    w.offline->random.push(0.34);
    w.run(2'000);
    EXPECT_EQ(shown.names[5], "c.BMP");
    EXPECT_EQ(shown.names[6], "b.jpg");
}

TEST(Slideshow, UnreadablePicturesArePassedOverAndAnEmptyFolderChangesNothing) {
    World w;
    Slideshow& show = w.visual->slideshowView();
    Shown shown(show);
    bool nothing = false;
    auto c = show.nothingToShow.connect([&] { nothing = true; });
    w.visual->slideshow();
    show.unreadable(w.visual->sources().picturePath(1)); // b.jpg
    EXPECT_EQ(shown.names.back(), "c.BMP");
    show.next();
    show.next();
    EXPECT_EQ(shown.names, (std::vector<std::string>{"b.jpg", "c.BMP", "A.png", "c.BMP"}));
    show.unreadable(w.visual->sources().picturePath(0));
    show.unreadable(w.visual->sources().picturePath(2));
    EXPECT_TRUE(nothing);

    const auto empty = w.dir / "empty";
    std::filesystem::create_directories(empty);
    w.visual->sources().setFolder(empty);
    shown.names.clear();
    const auto before = show.current();
    w.visual->sources().setChangeEvery("0");
    w.run(5'000);
    show.next();
    EXPECT_TRUE(shown.names.empty());
    EXPECT_EQ(show.current(), before);
    EXPECT_TRUE(w.offline->dialogs.messages.empty());
}

TEST(PictureSources, AVanishedFolderFallsBackToTheDefaultWithOneMessage) {
    World w;
    auto& sources = w.visual->sources();
    sources.setFolder(w.dir / "gone");
    sources.setFolder(w.dir / "gone too");
    EXPECT_EQ(sources.folder(), sources.defaultFolder());
    EXPECT_EQ(sources.count(), 3);
    ASSERT_EQ(w.offline->dialogs.messages.size(), 1u);
    EXPECT_EQ(w.offline->dialogs.lastMessage(), kFolderVanished);

    const std::string root = (w.dir / "visual/slideshow").string();
    EXPECT_EQ(slideshowName(w.offline->folder, root + "/forest/", true), "forest");
    EXPECT_EQ(slideshowName(w.offline->folder, root + "/forest/dawn", false), "forest/dawn");
    EXPECT_EQ(slideshowName(w.offline->folder, "/home/me/pics", false), "/home/me/pics");
}

TEST(Panorama, OffsetsSpeedAndTurningAtEachEdge) {
    World w;
    Panorama& pan = w.visual->panorama();
    pan.load(1900, 1080, 1920, 1080);
    EXPECT_EQ(pan.offsetX(), 0);
    EXPECT_EQ(pan.offsetY(), 0);
    EXPECT_EQ(pan.panMaximum(), 0);
    pan.startStop();
    w.run(5'000);
    EXPECT_EQ(pan.offsetX(), 0);

    pan.load(5400, 1200, 1920, 1080);
    EXPECT_EQ(pan.offsetX(), 1740);
    EXPECT_EQ(pan.offsetY(), 60);
    EXPECT_EQ(pan.panMaximum(), 3479);
    // The default speed keeps its meaning: a pixel every 485 ms.
    EXPECT_EQ(pan.speed(), kSpeedDefault);
    pan.startStop();
    w.run(4'850);
    EXPECT_EQ(pan.offsetX(), 1730);

    pan.setSpeed(9999);
    EXPECT_EQ(pan.speed(), 500);
    EXPECT_EQ(pan.pixelIntervalMs(), 1);
    EXPECT_EQ(pan.frameIntervalMs(), kFrameMs);
    pan.setSpeed(498);
    pan.setPan(10);
    w.run(2 * kFrameMs); // 16 px at 2 ms a pixel: 10 to the left edge, 6 back
    EXPECT_EQ(pan.offsetX(), 6);
    EXPECT_EQ(pan.direction(), Panorama::Direction::Right);
    pan.setPan(3470);
    w.run(2 * kFrameMs);
    EXPECT_EQ(pan.offsetX(), 3472);
    EXPECT_EQ(pan.direction(), Panorama::Direction::Left);
    pan.reverse();
    EXPECT_EQ(pan.direction(), Panorama::Direction::Right);
    pan.startStop();
    w.run(1'000);
    EXPECT_EQ(pan.offsetX(), 3472);
}

TEST(VisualFiles, SpeedAndStatesSurviveARestartAndDamageReadsAsOff) {
    World w;
    w.visual->panoramic();
    w.visual->panorama().load(5400, 1080, 1920, 1080);
    w.visual->panorama().setSpeed(120);
    w.visual->exitVisualMode(); // closes the panorama, which saves its speed
    w.visual->slideshow();
    w.visual->slideshowActivated();
    w.visual->writeVisualState();
    EXPECT_FALSE(w.main.commands().isMainVisible());

    w.visual = w.make();
    w.main.commands().showMain();
    EXPECT_EQ(w.visual->panorama().speed(), 120);
    w.visual->restoreVisualState();
    EXPECT_TRUE(w.visual->isSlideshowShown());
    EXPECT_FALSE(w.visual->isPanoramaShown());
    EXPECT_FALSE(w.main.commands().isMainVisible());

    VisualState s;
    s.panoramic = kOn;
    ASSERT_TRUE(writeVisualState(w.dir / "STATES.tmp", s).ok());
    w.visual = w.make();
    w.visual->restoreVisualState();
    EXPECT_TRUE(w.visual->isPanoramaShown());
    EXPECT_FALSE(w.visual->isSlideshowShown());

    VisualState damaged;
    EXPECT_FALSE(parseVisualState("7,2,\"x\"", damaged).ok());
    EXPECT_EQ(damaged, (VisualState{0, kOn, 0, 0}));
    EXPECT_EQ(parsePanoramaSpeed("0"), 1);
    EXPECT_EQ(parsePanoramaSpeed("\xff\x01garbage"), kSpeedDefault);
    EXPECT_EQ(parsePanoramaSpeed(""), kSpeedDefault);
}

TEST(SlideshowFolders, AFolderWithoutPicturesChangesNothing) {
    World w;
    const auto empty = w.dir / "texts";
    touch(empty / "readme.txt");
    EXPECT_FALSE(w.visual->useSlideshowFolder(empty));
    EXPECT_EQ(w.offline->dialogs.lastMessage(), kNoImages);
    EXPECT_EQ(w.visual->sources().folder(), w.visual->sources().defaultFolder());

    touch(w.dir / "mine/x.webp");
    Shown shown(w.visual->slideshowView());
    w.visual->slideshow();
    EXPECT_TRUE(w.visual->useSlideshowFolder(w.dir / "mine"));
    EXPECT_EQ(shown.names.back(), "x.webp");
    EXPECT_EQ(w.visual->sources().chooserFolder(), (w.dir / "mine").string());
}

TEST(VisualMode, EachEventSetsItsSharedValuesAndMovesTheWindows) {
    World w;
    w.visual->slideshowBehindMain();
    EXPECT_TRUE(w.visual->isSlideshowShown());
    EXPECT_TRUE(w.visual->isBehindMain());
    EXPECT_TRUE(w.main.commands().isMainVisible());

    w.visual->panoramic();
    w.visual->panoramaActivated();
    EXPECT_EQ(w.visual->state(), (VisualState{kOn, 0, 0, 0}));
    EXPECT_FALSE(w.visual->isSlideshowShown());
    EXPECT_TRUE(w.visual->isPanoramaShown());
    EXPECT_FALSE(w.main.commands().isMainVisible());
    EXPECT_EQ(w.visual->panel(), OptionsPanel::Panoramic);

    w.visual->showRemoteFromView();
    EXPECT_EQ(w.visual->state().remoteShown, kOn);
    w.visual->remoteSwappedForMain();
    EXPECT_EQ(w.visual->state(), (VisualState{0, 0, 0, 0}));

    // Leaving from the panorama by quitting comes back as a slideshow next time.
    w.visual->panoramaActivated();
    w.visual->exitApplication(true);
    EXPECT_EQ(w.quits, 1);
    EXPECT_EQ(w.visual->state().slideshow, kOn);
    EXPECT_EQ(w.visual->state().panoramic, kOn);

    w.visual->exitVisualMode();
    EXPECT_EQ(w.visual->state().slideshow, 0);
    EXPECT_FALSE(w.visual->isPanoramaShown());
    EXPECT_TRUE(w.main.commands().isMainVisible());
    EXPECT_EQ(w.visual->panel(), OptionsPanel::None);
}
