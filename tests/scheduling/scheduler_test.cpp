// The scheduler in virtual time: what loads when, and what survives a restart.

#include "scheduling/scenario_folder.h"
#include "scheduling_rig.h"

#include <gtest/gtest.h>

namespace velmora::test {
namespace {

using scheduling::SchedulerMode;

void setEntry(scheduling::Scheduler& s, int index, const std::string& time,
              const std::string& scenario, SchedulingWorld& w) {
    w.dialogs.files.push_back(w.file(scenario + ".vlm").string());
    s.chooseScenario(index);
    s.setTriggerTime(index, time);
    s.setEnabled(index, true);
}

TEST(TimeOfDay, FiresMatchingEnabledEntriesInOrderOncePerSecond) {
    SchedulingWorld w;
    w.setTime(23, 59, 50);
    auto& s = w.scheduler;
    s.load();
    setEntry(s, 5, "00:00:00", "late", w);
    setEntry(s, 1, "00:00:00", "early", w);
    setEntry(s, 2, "00:00:00", "off", w);
    s.setEnabled(2, false);
    setEntry(s, 3, "0:00:01", "unpadded", w); // never of the clock's form
    s.setMode(SchedulerMode::TimeOfDay);
    EXPECT_EQ(w.main.displays().text(Display::Scheduler), "Enabled - N/A");

    w.run(20);
    EXPECT_EQ(w.loader.names(), (std::vector<std::string>{"early", "late"}));
    EXPECT_EQ(w.loader.modes.front(), ScenarioLoadMode::Auto);
    EXPECT_EQ(w.loader.loaded.front().parent_path().filename(), "scenarios");
    EXPECT_EQ(w.main.displays().text(Display::AutoChange), "Auto Changing....");

    s.setMode(SchedulerMode::Disabled);
    w.run(86400);
    EXPECT_EQ(w.loader.loaded.size(), 2u);
    EXPECT_EQ(w.main.displays().text(Display::Scheduler), "Disabled");
}

TEST(TimeOfDay, LateTickCatchesUpSkippedSecondsButNeverRepeatsOrLooksBeforeStart) {
    SchedulingWorld w;
    w.setTime(10, 0, 0);
    auto& s = w.scheduler;
    s.load();
    setEntry(s, 0, "09:59:59", "before", w);
    setEntry(s, 1, "10:00:03", "skipped", w);
    s.setMode(SchedulerMode::TimeOfDay);

    w.run(1);  // 10:00:01
    w.step(4); // the machine stalls for three seconds
    w.run(1);  // one late tick at 10:00:06 covers 02..06
    EXPECT_EQ(w.loader.names(), std::vector<std::string>{"skipped"});

    // A time server sets the clock back over the second that fired: it does not fire again.
    w.setTime(10, 0, 1);
    w.run(10);
    EXPECT_EQ(w.loader.names(), std::vector<std::string>{"skipped"});
}

TEST(Interval, CountsMinutesAndStepsThroughThePlaylist) {
    SchedulingWorld w;
    auto& s = w.scheduler;
    s.load();
    for (const char* name : {"a", "b", "c"})
        s.addEntries({{w.file(std::string(name) + ".vlm").string(), std::string(name) + ".vlm"}});
    s.chooseInterval(4); // "6 Hr"
    s.setMode(SchedulerMode::Interval);
    EXPECT_EQ(s.intervalMinutes(), 360);
    EXPECT_EQ(w.main.displays().text(Display::Scheduler), "Enabled - > 1Hr");

    w.timers.advance(359 * 60000);
    EXPECT_TRUE(w.loader.loaded.empty());
    EXPECT_EQ(w.main.displays().text(Display::Scheduler), "Enabled - 1 mins");
    w.timers.advance(60000);
    EXPECT_EQ(w.loader.names(), std::vector<std::string>{"a"});
    EXPECT_EQ(w.main.displays().text(Display::Scenario), "Auto Change In Progress...");

    s.chooseInterval(0); // "5 Min"
    w.timers.advance(4 * 5 * 60000);
    EXPECT_EQ(w.loader.names(), (std::vector<std::string>{"a", "b", "c", "a", "b"}));
}

TEST(Interval, EmptyPlaylistResetsTheCountAndCloseAsksForEntries) {
    SchedulingWorld w;
    auto& s = w.scheduler;
    s.load();
    s.setMode(SchedulerMode::Interval);
    w.timers.advance(5 * 60000);
    EXPECT_TRUE(w.loader.loaded.empty());
    EXPECT_EQ(s.elapsedMinutes(), 0);
    EXPECT_FALSE(s.mayClose());
    EXPECT_EQ(w.dialogs.lastMessage(), scheduling::kEmptyPlaylistOnClose);
    s.setMode(SchedulerMode::Disabled);
    EXPECT_TRUE(s.mayClose());
}

TEST(Playlist, RandomOrderReachesEveryEntryEvenly) {
    scheduling::ScenarioPlaylist one;
    one.add("only.vlm");
    SeededRandom random(7);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(one.advance(true, random), 0u);

    scheduling::ScenarioPlaylist three;
    for (const char* n : {"a", "b", "c"})
        three.add(n);
    std::array<int, 3> hits{};
    for (int i = 0; i < 3000; ++i)
        ++hits[*three.advance(true, random)];
    for (int h : hits) {
        EXPECT_GT(h, 850);
        EXPECT_LT(h, 1150);
    }
}

TEST(Playlist, EditingKeepsTheSelectionWhereTheUserExpects) {
    scheduling::ScenarioPlaylist p;
    for (const char* n : {"C:\\x\\a.vlm", "b", "c"})
        p.add(n);
    EXPECT_EQ(p.entries()[0].display, "a.vlm");
    p.select(0);
    p.moveSelectedUp();
    EXPECT_EQ(p.entries()[0].path, "C:\\x\\a.vlm");
    p.moveSelectedDown();
    EXPECT_EQ(p.selected(), 1u);
    EXPECT_EQ(p.entries()[1].display, "a.vlm");
    p.select(2);
    p.moveSelectedDown();
    EXPECT_EQ(p.entries()[2].display, "c.vlm");
    p.select(0);
    p.removeSelected();
    EXPECT_FALSE(p.selected());
    EXPECT_EQ(p.size(), 2u);
}

TEST(ScenarioFolder, AddsEveryScenarioInListOrderAfterTheExistingEntries) {
    SchedulingWorld w;
    auto& s = w.scheduler;
    s.load();
    s.addEntries({{"first.vlm", "first.vlm"}});
    scheduling::ScenarioFolder folder(w.services, s);
    folder.setFolder(w.file("empty"));
    EXPECT_FALSE(folder.add());
    EXPECT_EQ(w.dialogs.lastMessage(), scheduling::kNoScenarioFiles);

    for (const char* n : {"b.vlm", "A.VLM", "c.vlm", "notes.txt"})
        testing::writeBytes(w.file("mine") / n, "x");
    folder.setFolder(w.file("mine"));
    EXPECT_TRUE(folder.add());
    std::vector<std::string> shown;
    for (const auto& e : s.playlist().entries())
        shown.push_back(e.display);
    EXPECT_EQ(shown, (std::vector<std::string>{"first.vlm", "A.VLM", "b.vlm", "c.vlm"}));
    EXPECT_EQ(s.playlist().entries()[1].path, (w.file("mine") / "A.VLM").string());
}

TEST(SchedulerState, RestartKeepsChoicesModeAndPathsWithCommas) {
    std::string state, playlist;
    {
        SchedulingWorld w;
        auto& s = w.scheduler;
        s.load();
        setEntry(s, 7, "06:30:00", "Rain, heavy", w);
        s.addEntries({{"/home/u/Forest, night.vlm", "Forest, night.vlm"}});
        s.chooseInterval(2);
        s.setRandomOrder(true);
        s.setMode(SchedulerMode::TimeOfDay);
        s.unload();
        state = testing::readBytes(w.file("Timersettings.tmp"));
        playlist = testing::readBytes(w.file("Timersettings2.tmp"));
    }
    SchedulingWorld w;
    testing::writeBytes(w.file("Timersettings.tmp"), state);
    testing::writeBytes(w.file("Timersettings2.tmp"), playlist);
    w.setTime(6, 29, 58);
    auto& s = w.scheduler;
    s.load();
    EXPECT_EQ(s.mode(), SchedulerMode::TimeOfDay);
    EXPECT_EQ(s.intervalText(), "30 Min");
    EXPECT_TRUE(s.randomOrder());
    ASSERT_EQ(s.playlist().size(), 1u);
    EXPECT_EQ(s.playlist().entries()[0].path, "/home/u/Forest, night.vlm");
    EXPECT_EQ(s.table()[7].displayName, "Rain, heavy");
    w.run(3);
    EXPECT_EQ(w.loader.names(), std::vector<std::string>{"Rain, heavy"});
}

TEST(SchedulerState, ResetAsksAndKeepsTheChosenScenarios) {
    SchedulingWorld w;
    auto& s = w.scheduler;
    s.load();
    setEntry(s, 0, "12:00:00", "noon", w);
    s.resetTable(); // answered No
    EXPECT_TRUE(s.table()[0].enabled);
    w.dialogs.questionAnswers = {true};
    s.resetTable();
    EXPECT_EQ(w.dialogs.questions.back(), scheduling::kResetQuestion);
    EXPECT_FALSE(s.table()[0].enabled);
    EXPECT_EQ(s.table()[0].displayName, "Not Selected");
    EXPECT_EQ(s.table()[0].triggerTime, "00:00:00");
    EXPECT_EQ(s.table()[0].scenario, "noon");
}

} // namespace
} // namespace velmora::test
