// The main window's own behaviour: its displays and timers, the first-run welcome, the
// alarm buttons' part, the recorder, the scenario list and the window registry.
#include "core/state/main_state.h"
#include "hub_rig.h"

#include <gtest/gtest.h>

namespace velmora::test {
namespace {

/// The remote's labels and the alarm clock as the alarm switch reaches them.
struct AlarmParties final : RemoteLabels, AlarmSound {
    std::vector<std::string> remote;
    int stops = 0;
    void setAlarmLabel(const std::string& text) override { remote.push_back(text); }
    void setScenarioLabel(const std::string& text) override { remote.push_back(text); }
    void stopAlarm() override { ++stops; }
};

struct Loader final : ScenarioLoader {
    std::vector<std::string> loaded;
    void loadScenario(const std::string& name) override { loaded.push_back(name); }
    bool loadScenarioFile(const std::filesystem::path& file, ScenarioLoadMode) override {
        loaded.push_back(file.string());
        return true;
    }
    void rebuildScenarioMenu() override {}
};

TEST(Displays, StartTextsClockAndScenarioClearing) {
    HubRig rig;
    rig.world().clock.set({2026, 12, 6, 21, 4, 9, 0});
    rig.start();
    auto& displays = rig.main().displays();
    EXPECT_EQ(displays.text(Display::Scenario), "Not Specified");
    EXPECT_EQ(displays.text(Display::Scheduler), "Disabled");
    EXPECT_EQ(displays.text(Display::Preset), "No preset selected");
    EXPECT_EQ(displays.text(Display::Picture), "Default");
    EXPECT_EQ(displays.text(Display::AutoRandomise), "Disabled\nDisabled");
    EXPECT_EQ(displays.text(Display::Clock), "21:04:09");

    rig.world().clock.set({2026, 12, 6, 21, 4, 10, 0});
    rig.world().timers.advance(1000);
    EXPECT_EQ(displays.text(Display::Clock), "21:04:10");

    // While a scenario loads its progress stays readable; afterwards the display clears.
    displays.setScenarioLoading(true);
    rig.world().timers.advance(6000);
    EXPECT_EQ(displays.text(Display::Scenario), "Not Specified");
    displays.setScenarioLoading(false);
    rig.world().timers.advance(5000);
    EXPECT_EQ(displays.text(Display::Scenario), "");

    // Quit stops the clock for good; a scenario load finishing afterwards restarts nothing.
    rig.main().quit();
    displays.setScenarioText("Forest");
    displays.setScenarioLoading(false);
    rig.world().timers.advance(10000);
    EXPECT_EQ(displays.text(Display::Scenario), "Forest");
    EXPECT_EQ(displays.text(Display::Clock), "21:04:10");
}

TEST(Displays, CustomBankSwitchAndItsDialogRefreshTheDisplayThreeSecondsLater) {
    HubRig rig;
    rig.start();
    auto& w = rig.world();
    const auto shown = [&] { return rig.main().displays().text(Display::AutoRandomise); };
    w.randomBanks.form33().setPeriodMinutes(5);
    w.randomBanks.custom().toggleAutoRandomize(); // the bank's own button
    EXPECT_EQ(shown(), "Disabled\nDisabled");
    w.timers.advance(2999);
    EXPECT_EQ(shown(), "Disabled\nDisabled");
    w.timers.advance(1);
    EXPECT_EQ(shown(), "Disabled\nEnabled - 5mins");

    // OK in Form33 with another period: the line follows the dialog.
    w.randomBanks.form33().setPeriodMinutes(20);
    w.randomBanks.form33().confirm();
    w.timers.advance(3000);
    EXPECT_EQ(shown(), "Disabled\nEnabled - 20mins");

    w.randomBanks.custom().toggleAutoRandomize();
    w.timers.advance(3000);
    EXPECT_EQ(shown(), "Disabled\nDisabled");

    // The shared switch of the numbered banks refreshes at once, on its own line.
    w.randomBanks.bank(2).toggleAutoRandomize();
    EXPECT_EQ(shown(), "Enabled - 10mins\nDisabled");
}

TEST(FirstRun, WelcomeTwoSecondsAfterTheFirstStartOnly) {
    HubRig rig;
    int shown = 0;
    rig.main().windows().add(kFirstRunWindow, [&] { ++shown; });
    rig.start();
    EXPECT_TRUE(rig.main().isFirstRun());
    EXPECT_EQ(rig.world().randomBanks.form3().threshold(), IntervalSettings::kInitialThreshold)
        << "no main.tmp: the dialog keeps its own starting value";
    rig.world().timers.advance(1990);
    EXPECT_EQ(shown, 0);
    rig.world().timers.advance(10);
    EXPECT_EQ(shown, 1);
    rig.world().timers.advance(10000);
    EXPECT_EQ(shown, 1) << "one-shot";

    rig.main().quit();
    rig.restart();
    rig.main().windows().add(kFirstRunWindow, [&] { ++shown; });
    rig.start();
    rig.world().timers.advance(10000);
    EXPECT_EQ(shown, 1);
}

TEST(StartWithController, SavedOptionShowsTheRemoteInsteadOfTheMainWindow) {
    for (const bool option : {false, true}) {
        HubRig rig;
        rig.world().settings.write(kProgramTitle, "Settings22", "remoteonstart",
                                   option ? "1" : "0");
        int remoteShown = 0;
        rig.main().windows().add(kRemoteWindow, [&] { ++remoteShown; });
        rig.start();
        EXPECT_EQ(remoteShown, option ? 1 : 0);
        EXPECT_EQ(rig.main().commands().isMainVisible(), !option);
    }
}

TEST(Alarm, DisableWritesDisplaysAndStopsASavedOnAlarmComesBackOn) {
    HubRig rig;
    state::MainState saved;
    saved.alarmFlag = "True";
    ASSERT_TRUE(state::writeMainState(rig.file("main.tmp"), saved).ok());
    AlarmParties parties;
    auto& commands = rig.main().commands();
    commands.setRemoteLabels(&parties);
    commands.setAlarmSound(&parties);
    rig.start();
    EXPECT_TRUE(commands.isAlarmEnabled()) << "switched off early in the load, on again at its end";
    EXPECT_EQ(parties.remote, (std::vector<std::string>{"Alarm:Off", "Scn: Not Specified"}));

    commands.disableAlarm();
    EXPECT_FALSE(commands.isAlarmEnabled());
    EXPECT_EQ(rig.main().displays().text(Display::Clock), "Disabled ");
    EXPECT_EQ(parties.remote.back(), "Alarm:Off");
    EXPECT_EQ(parties.stops, 2);
    rig.main().quit();
    state::MainState read;
    (void)state::readMainState(rig.file("main.tmp"), read);
    EXPECT_EQ(read.alarmFlag, "False");
}

TEST(Recorder, StartsFromTheProgramFolderOrSaysItIsMissing) {
    HubRig rig;
    auto& w = rig.world();
    struct Snapshot final : RecordingSource {
        std::vector<std::string> recorderArguments() override {
            return {"--program-folder", "/snap"};
        }
    } snapshot;
    rig.main().commands().setRecordingSource(&snapshot);
    EXPECT_TRUE(rig.main().commands().startRecorder());
    ASSERT_EQ(w.shell.calls.size(), 1u);
    EXPECT_EQ(w.shell.calls[0].what, "start");
    EXPECT_EQ(std::filesystem::path(w.shell.calls[0].target), rig.file("recorder"));
    EXPECT_EQ(w.shell.calls[0].args, (std::vector<std::string>{"--program-folder", "/snap"}));
    EXPECT_TRUE(w.dialogs.messages.empty());

    w.shell.succeed = false;
    EXPECT_FALSE(rig.main().commands().startRecorder());
    EXPECT_EQ(w.dialogs.lastMessage(),
              "The recorder could not be found. Please re-install the program.");
}

TEST(Scenarios, ListShowsVlmNamesAndRandomLoadNeedsEntries) {
    HubRig rig;
    Loader loader;
    auto& list = rig.main().scenarios();
    list.setLoader(&loader);
    rig.start();
    list.loadRandom();
    EXPECT_EQ(rig.world().dialogs.lastMessage(), "There are no files in the list");
    EXPECT_EQ(rig.world().dialogs.messages.back().title, "Random scenario");
    EXPECT_TRUE(loader.loaded.empty());

    for (const char* f : {"Summer rain.vlm", "beach.VLM", "notes.txt", "Forest.vlm"})
        testing::writeBytes(rig.file("config/scenarios") / f, "x");
    list.refresh();
    EXPECT_EQ(list.names(), (std::vector<std::string>{"beach", "Forest", "Summer rain"}));
    list.loadRandom();
    ASSERT_EQ(loader.loaded.size(), 1u);
    EXPECT_EQ(list.selected(), loader.loaded[0]);

    // The selection is what the next start comes back to.
    list.select("Forest");
    rig.main().quit();
    state::MainState saved;
    (void)state::readMainState(rig.file("main.tmp"), saved);
    EXPECT_EQ(saved.scenarioName, "Forest");
}

TEST(BankPanels, OneBankShownAtATimeAndUnknownNamesRefused) {
    HubRig rig;
    rig.start();
    std::vector<std::string> shown;
    auto& panels = rig.main().panels();
    auto c = panels.bankShown.connect([&](const std::string& n) { shown.push_back(n); });
    EXPECT_EQ(panels.shownBank(), "frmback");
    panels.randombank(3);
    EXPECT_EQ(panels.shownBank(), "frmrandommain3");
    panels.randombank(1);
    EXPECT_EQ(panels.shownBank(), "frmrandommain");
    EXPECT_FALSE(panels.showBank("frmnothing"));
    panels.randombank(9);
    EXPECT_EQ(shown, (std::vector<std::string>{"frmrandommain3", "frmrandommain"}));
}

TEST(WindowRegistry, OpensOnlyWhatExistsAndClosesLastOpenedFirst) {
    WindowRegistry windows;
    std::vector<std::string> log;
    auto entry = [&](const std::string& name) {
        return WindowEntry{[&log, name] { log.push_back("show " + name); },
                           {},
                           {},
                           [&log, name] { log.push_back("close " + name); }};
    };
    EXPECT_FALSE(windows.show("Timers"));
    windows.add("Timers", entry("Timers"));
    windows.add("Alarm", entry("Alarm"));
    windows.add("frmeffects", entry("frmeffects"));
    windows.loadHidden("Timers");
    windows.show("Alarm");
    windows.show("frmeffects");
    windows.show("Alarm"); // shown again: still opened second
    log.clear();
    windows.closeAll();
    EXPECT_EQ(log, (std::vector<std::string>{"close frmeffects", "close Alarm", "close Timers"}));
    windows.closeAll();
    EXPECT_EQ(log.size(), 3u) << "each window closes once";
}


TEST(Keys, F1OpensTheGuideAndEveryKeyStillReachesTheHotkeys) {
    HubRig rig;
    auto& w = rig.world();
    struct Keys final : KeyHandler {
        std::vector<std::string> seen;
        void handleKey(const std::string& keyName) override { seen.push_back(keyName); }
    } keys;
    rig.main().commands().handleKey("F1"); // no hotkeys yet: the guide still opens
    rig.main().commands().setKeyHandler(&keys);
    rig.main().commands().handleKey("F2");
    rig.main().commands().handleKey("F1");
    ASSERT_EQ(w.shell.calls.size(), 2u);
    EXPECT_EQ(w.shell.calls[1].what, "url");
    EXPECT_TRUE(w.shell.calls[1].target.starts_with("file:///"));
    EXPECT_TRUE(w.shell.calls[1].target.ends_with("/help/index.html"));
    EXPECT_EQ(keys.seen, (std::vector<std::string>{"F2", "F1"}));
}

} // namespace
} // namespace velmora::test
