// The main window's own behaviour: its displays and timers, the first-run welcome, the
// alarm buttons' part, the recorder, the scenario list and the window registry.
#include "core/state/main_state.h"
#include "hub_rig.h"

#include <gtest/gtest.h>

namespace velmora::test {
namespace {

TEST(Displays, StartTextsClockAndScenarioClearing) {
    HubRig rig;
    rig.world().clock.set({2026, 12, 6, 21, 4, 9, 0});
    rig.start();
    auto& main = rig.main();
    EXPECT_EQ(main.displayText(Display::Scenario), "Not Specified");
    EXPECT_EQ(main.displayText(Display::Scheduler), "Disabled");
    EXPECT_EQ(main.displayText(Display::Preset), "No preset selected");
    EXPECT_EQ(main.displayText(Display::Picture), "Default");
    EXPECT_EQ(main.displayText(Display::AutoRandomise), "Disabled\nDisabled");
    EXPECT_EQ(main.displayText(Display::Clock), "21:04:09");

    rig.world().clock.set({2026, 12, 6, 21, 4, 10, 0});
    rig.world().timers.advance(1000);
    EXPECT_EQ(main.displayText(Display::Clock), "21:04:10");

    // While a scenario loads its progress stays readable; afterwards the display clears.
    main.setScenarioLoading(true);
    rig.world().timers.advance(6000);
    EXPECT_EQ(main.displayText(Display::Scenario), "Not Specified");
    main.setScenarioLoading(false);
    rig.world().timers.advance(5000);
    EXPECT_EQ(main.displayText(Display::Scenario), "");
}

TEST(Displays, ChecklcdShowsBothSwitchesAndTheOneShotRefresh) {
    HubRig rig;
    rig.start();
    auto& w = rig.world();
    w.randomBanks.form33().setPeriodMinutes(5);
    w.randomBanks.custom().setAutoRandomize(true);
    EXPECT_EQ(rig.main().displayText(Display::AutoRandomise), "Disabled\nDisabled");
    rig.main().startCustomLcdUpdate();
    w.timers.advance(2999);
    EXPECT_EQ(rig.main().displayText(Display::AutoRandomise), "Disabled\nDisabled");
    w.timers.advance(1);
    EXPECT_EQ(rig.main().displayText(Display::AutoRandomise), "Disabled\nEnabled - 5mins");
    // The shared switch of the numbered banks refreshes at once.
    w.randomBanks.autoRandomize().setEnabled(true);
    EXPECT_EQ(rig.main().displayText(Display::AutoRandomise), "Enabled - 10mins\nEnabled - 5mins");
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
        EXPECT_EQ(rig.main().isMainVisible(), !option);
    }
}

TEST(Alarm, DisableWritesDisplaysAndStopsASavedOnAlarmComesBackOn) {
    HubRig rig;
    state::MainState saved;
    saved.alarmFlag = "True";
    ASSERT_TRUE(state::writeMainState(rig.file("main.tmp"), saved).ok());
    std::vector<std::string> remote;
    int stops = 0;
    rig.main().hooks().remoteAlarmLabel = [&](const std::string& t) { remote.push_back(t); };
    rig.main().hooks().stopAlarm = [&] { ++stops; };
    rig.start();
    EXPECT_TRUE(rig.main().isAlarmEnabled()) << "switched off at step 5, on again at step 19";

    rig.main().disableAlarm();
    EXPECT_FALSE(rig.main().isAlarmEnabled());
    EXPECT_EQ(rig.main().displayText(Display::Clock), "Disabled ");
    EXPECT_EQ(remote.back(), "Alarm:Off");
    EXPECT_EQ(stops, 2);
    rig.main().quit();
    state::MainState read;
    (void)state::readMainState(rig.file("main.tmp"), read);
    EXPECT_EQ(read.alarmFlag, "False");
}

TEST(Recorder, StartsFromTheProgramFolderOrSaysItIsMissing) {
    HubRig rig;
    auto& w = rig.world();
    rig.main().hooks().recorderArguments = [] {
        return std::vector<std::string>{"--program-folder", "/snap"};
    };
    EXPECT_TRUE(rig.main().startRecorder());
    ASSERT_EQ(w.shell.calls.size(), 1u);
    EXPECT_EQ(w.shell.calls[0].what, "start");
    EXPECT_EQ(std::filesystem::path(w.shell.calls[0].target), rig.file("recorder"));
    EXPECT_EQ(w.shell.calls[0].args, (std::vector<std::string>{"--program-folder", "/snap"}));
    EXPECT_TRUE(w.dialogs.messages.empty());

    w.shell.succeed = false;
    EXPECT_FALSE(rig.main().startRecorder());
    EXPECT_EQ(w.dialogs.lastMessage(),
              "The recorder could not be found. Please re-install the program.");
}

TEST(Scenarios, ListShowsVlmNamesAndRandomLoadNeedsEntries) {
    HubRig rig;
    std::vector<std::string> loaded;
    rig.main().hooks().loadScenario = [&](const std::string& n) { loaded.push_back(n); };
    rig.start();
    rig.main().loadRandomScenario();
    EXPECT_EQ(rig.world().dialogs.lastMessage(), "There are no files in the list");
    EXPECT_TRUE(loaded.empty());

    for (const char* f : {"Summer rain.vlm", "beach.VLM", "notes.txt", "Forest.vlm"})
        testing::writeBytes(rig.file("config/scenarios") / f, "x");
    rig.main().refreshScenarioList();
    EXPECT_EQ(rig.main().scenarios(), (std::vector<std::string>{"beach", "Forest", "Summer rain"}));
    rig.main().loadRandomScenario();
    ASSERT_EQ(loaded.size(), 1u);
    EXPECT_EQ(rig.main().selectedScenario(), loaded[0]);
}

TEST(BankPanels, OneBankShownAtATimeAndUnknownNamesRefused) {
    HubRig rig;
    rig.start();
    std::vector<std::string> shown;
    auto c = rig.main().bankShown.connect([&](const std::string& n) { shown.push_back(n); });
    EXPECT_EQ(rig.main().shownBank(), "frmback");
    rig.main().randombank(3);
    EXPECT_EQ(rig.main().shownBank(), "frmrandommain3");
    rig.main().randombank(1);
    EXPECT_EQ(rig.main().shownBank(), "frmrandommain");
    EXPECT_FALSE(rig.main().showBank("frmnothing"));
    rig.main().randombank(9);
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

} // namespace
} // namespace velmora::test
