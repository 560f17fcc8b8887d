// Quit in order, and what the next start makes of it: the state files, their order, every
// bank's own file, what happens to a save that fails, and what start-up takes from them.
#include "core/state/main2_state.h"
#include "core/state/main_state.h"
#include "hub_rig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <sys/inotify.h>
#include <unistd.h>
#include <vector>

namespace velmora::test {
namespace {

/// Names of the files that appear (atomic renames included) in a folder, in order.
class FileEvents {
  public:
    explicit FileEvents(const std::filesystem::path& dir)
        : m_fd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        inotify_add_watch(m_fd, dir.c_str(), IN_MOVED_TO | IN_CLOSE_WRITE);
    }
    ~FileEvents() { close(m_fd); }
    std::vector<std::string> names() {
        std::vector<std::string> out;
        alignas(inotify_event) char buffer[16384];
        for (ssize_t n; (n = read(m_fd, buffer, sizeof buffer)) > 0;)
            for (char* p = buffer; p < buffer + n;) {
                auto* e = reinterpret_cast<inotify_event*>(p);
                if (e->len && (e->mask & IN_MOVED_TO)) out.emplace_back(e->name);
                p += sizeof(inotify_event) + e->len;
            }
        return out;
    }

  private:
    int m_fd;
};

std::ptrdiff_t indexOf(const std::vector<std::string>& v, const std::string& name) {
    return std::find(v.begin(), v.end(), name) - v.begin();
}

const auto& kBankFiles = kBankStateFiles;

TEST(Quit, WritesMain2ThenMainThenEveryBankLastOpenedFirst) {
    HubRig rig;
    rig.start();
    bool visualFirst = false;
    struct Visual final : VisualModeCommands {
        std::function<void()> write;
        void slideshow() override {}
        void slideshowBehindMain() override {}
        void panoramic() override {}
        void changeImage() override {}
        void writeVisualState() override { write(); }
        void restoreVisualState() override {}
    } visual;
    visual.write = [&] { visualFirst = !std::filesystem::exists(rig.file("main2.tmp")); };
    rig.main().commands().setVisualMode(&visual);
    bool finished = false;
    auto c = rig.main().finished.connect([&] { finished = true; });
    FileEvents events(rig.file(""));

    rig.main().quit();
    const auto names = events.names();
    EXPECT_TRUE(visualFirst);
    EXPECT_TRUE(finished);
    EXPECT_FALSE(rig.engine().isRunning());
    ASSERT_LT(indexOf(names, "main2.tmp"), indexOf(names, "main.tmp"));
    // Banks were opened in creation order, so they close from the last created back.
    std::ptrdiff_t previous = indexOf(names, "main.tmp");
    for (auto it = std::rbegin(kBankFiles); it != std::rend(kBankFiles); ++it) {
        const auto at = indexOf(names, *it);
        ASSERT_LT(at, std::ptrdiff_t(names.size())) << *it << " not written";
        EXPECT_GT(at, previous) << *it << " out of order";
        previous = at;
    }
    rig.main().quit(); // a second quit (tray after window close) writes nothing more
    EXPECT_TRUE(events.names().empty());
}

TEST(Quit, RestartRestoresTheSoundscape) {
    HubRig rig;
    rig.start();
    shapeSoundscape(rig);
    rig.main().quit();
    rig.restart();
    rig.start();
    auto& w = rig.world();

    EXPECT_FALSE(rig.main().isFirstRun());
    EXPECT_EQ(rig.levels().value(Level::Background), 7);
    EXPECT_EQ(rig.levels().value(Level::Random), 12);
    EXPECT_EQ(rig.levels().value(Level::Mp3), 4000);
    EXPECT_EQ(rig.levels().value(Level::Cd), 30);
    EXPECT_EQ(rig.levels().master(), levelRange(Level::Master).initial) << "never restored";
    EXPECT_TRUE(w.backgroundOne.slot(2).on);
    EXPECT_EQ(w.backgroundOne.slot(2).volume, 180);
    rig.run(50);
    EXPECT_TRUE(rig.engine().isPlaying(w.backgroundOne.voice(2).channel())) << "loop restarts";
    EXPECT_EQ(w.randomBanks.bank(1).slot(4).volume, 100);
    EXPECT_EQ(w.randomBanks.bank(3).slot(7).frequency, 90);
    EXPECT_TRUE(w.randomBanks.autoRandomize().enabled());
    EXPECT_TRUE(w.randomBanks.custom().autoRandomizeOn());
    EXPECT_EQ(w.randomBanks.form3().threshold(), 77);
    EXPECT_EQ(rig.main().presets().captions()[3], "Rain on the roof");
    EXPECT_EQ(rig.main().presets().captions()[4], state::kUnassignedPreset);
    EXPECT_EQ(rig.main().outputDevice().index(), 2);
    EXPECT_EQ(rig.main().displays().text(Display::AutoRandomise),
              "Enabled - 10mins\nEnabled - 10mins");
}

TEST(Quit, BeforeTheLoadSequenceNothingIsOverwritten) {
    HubRig rig;
    rig.start();
    shapeSoundscape(rig);
    rig.main().quit();
    const std::string main2 = testing::readBytes(rig.file("main2.tmp"));
    const std::string bank = testing::readBytes(rig.file("back.ini"));

    rig.restart(); // e.g. SIGTERM while the system-check window is still up
    rig.main().quit(false);
    rig.main().saveState();
    EXPECT_EQ(testing::readBytes(rig.file("main2.tmp")), main2);
    EXPECT_EQ(testing::readBytes(rig.file("back.ini")), bank);
}

TEST(Quit, SessionEndSavesWithoutStopping) {
    HubRig rig;
    rig.start();
    shapeSoundscape(rig);
    rig.main().saveState();
    EXPECT_TRUE(std::filesystem::exists(rig.file("main.tmp")));
    EXPECT_TRUE(std::filesystem::exists(rig.file("rand.ini")));
    EXPECT_TRUE(rig.engine().isPlaying(rig.world().backgroundOne.voice(2).channel()));
    EXPECT_FALSE(rig.main().hasQuit());
}

/// Makes the next write of each name fail: a folder stands where the file would go.
void blockWrites(HubRig& rig, std::initializer_list<const char*> names) {
    for (const char* name : names)
        std::filesystem::create_directories(rig.file(name) / "x");
}

TEST(Quit, UnansweredQuitNeverWaitsOnADialogAndLeavesTheFailureInTheLog) {
    HubRig rig;
    rig.start();
    rig.main().setSaveErrorFolder(rig.file("config"));
    blockWrites(rig, {"main.tmp", "rand.ini", "rand2.ini", "randc.ini"});
    rig.main().quit(false);
    EXPECT_TRUE(rig.world().dialogs.messages.empty()) << rig.world().dialogs.lastMessage();
    const std::string log = testing::readBytes(rig.file("config/last-save-error.txt"));
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;
    for (const char* name : {"main.tmp", "rand.ini", "rand2.ini", "randc.ini"})
        EXPECT_NE(log.find(name), std::string::npos) << name;
    EXPECT_EQ(log.find("back.ini"), std::string::npos) << "written fine";
}

TEST(Quit, InteractiveQuitListsEveryFailureInOneMessageAndACleanSaveClearsTheLog) {
    HubRig rig;
    rig.start();
    testing::writeBytes(rig.file("config/last-save-error.txt"), "an older failure\n");
    blockWrites(rig, {"main2.tmp", "rand3.ini", "back2.ini"});
    rig.main().setSaveErrorFolder(rig.file("config"));
    rig.main().quit(true);
    ASSERT_EQ(rig.world().dialogs.messages.size(), 1u);
    for (const char* name : {"main2.tmp", "rand3.ini", "back2.ini"})
        EXPECT_NE(rig.world().dialogs.lastMessage().find(name), std::string::npos) << name;

    for (const char* name : {"main2.tmp", "rand3.ini", "back2.ini"})
        std::filesystem::remove_all(rig.file(name));
    rig.restart();
    rig.start();
    rig.main().setSaveErrorFolder(rig.file("config"));
    rig.main().quit(true);
    EXPECT_TRUE(rig.world().dialogs.messages.empty());
    EXPECT_FALSE(std::filesystem::exists(rig.file("config/last-save-error.txt")));
}

std::vector<std::string> mainTmpFields(HubRig& rig) {
    state::MainState s;
    (void)state::readMainState(rig.file("main.tmp"), s);
    return {s.alarmFlag, s.scenarioName, s.slideshowName, s.pictureName, s.colorSchemeName};
}

TEST(Start, TheScenarioNamedInMainTmpIsNotSelectedAndQuitKeepsTheLoadPreviousFields) {
    HubRig rig;
    testing::writeBytes(rig.file("main.tmp"),
                        "\"False\",\"Rain\",5,6,\"Forest pics\",\"oak.jpg\",\"Dusk\",0\r\n");
    rig.start();
    EXPECT_EQ(rig.main().scenarios().selected(), "");
    EXPECT_EQ(rig.main().displays().text(Display::Scenario), "Not Specified");
    rig.main().quit();
    EXPECT_EQ(mainTmpFields(rig),
              (std::vector<std::string>{"False", "", "Forest pics", "oak.jpg", "Dusk"}));

    rig.restart();
    rig.start();
    rig.main().scenarios().select("Sea");
    rig.main().quit();
    EXPECT_EQ(mainTmpFields(rig)[1], "Sea");
    EXPECT_EQ(mainTmpFields(rig)[4], "Dusk");
}

TEST(Start, AStateFileThatFailedToLoadIsKeptBesideTheOneQuitWrites) {
    HubRig rig;
    std::string short59;
    for (int i = 0; i < 59; ++i)
        short59 += (i ? "," : "") + std::to_string(i);
    testing::writeBytes(rig.file("rand.ini"), short59 + "\r\n");
    testing::writeBytes(rig.file("main2.tmp"), "500,\"seven\",9\r\n");
    rig.start();
    rig.main().quit();
    EXPECT_EQ(testing::readBytes(rig.file("rand.ini.bad")), short59 + "\r\n");
    EXPECT_EQ(testing::readBytes(rig.file("main2.tmp.bad")), "500,\"seven\",9\r\n");
    EXPECT_NE(testing::readBytes(rig.file("rand.ini")), short59 + "\r\n");
    EXPECT_FALSE(std::filesystem::exists(rig.file("back.ini.bad"))) << "missing is not damaged";
}

TEST(Start, AProgramFolderThatCannotBeWrittenIsToldOnceAtStart) {
    HubRig rig;
    testing::writeBytes(rig.file("afile"), "x");
    rig.world().folder = ProgramFolder(rig.file("afile") / "velmora");
    rig.main().setSaveErrorFolder(rig.file("config"));
    rig.start();
    ASSERT_EQ(rig.world().dialogs.messages.size(), 1u);
    EXPECT_NE(rig.world().dialogs.lastMessage().find("cannot be written"), std::string::npos);
    rig.main().quit(false);
    EXPECT_EQ(rig.world().dialogs.messages.size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(rig.file("config/last-save-error.txt")));
}

TEST(Recorder, IsStartedFromBesideTheExecutableNotFromTheDataCopy) {
    HubRig rig;
    rig.world().folder = ProgramFolder(rig.file("data"), rig.file("install"));
    rig.start();
    ASSERT_TRUE(rig.main().commands().startRecorder());
    ASSERT_FALSE(rig.world().shell.calls.empty());
    EXPECT_EQ(rig.world().shell.calls.back().target, rig.file("install/recorder").string());
}

} // namespace
} // namespace velmora::test
