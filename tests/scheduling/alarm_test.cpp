// The alarm clock in virtual time against the offline engine, and the shutdown countdown.

#include "scheduling_rig.h"
#include "support/wav_file.h"

#include <gtest/gtest.h>

#include <cmath>

namespace velmora::test {
namespace {

struct AlarmWorld : SchedulingWorld {
    AlarmWorld() {
        testing::writeTone(file("config/alarms/default.wav"), 1.0);
        alarm.load();
        alarm.setHour(7);
        alarm.setMinute(30);
    }
    void arm() { main.commands().enableAlarm(); }
    /// Peak of the next 100 ms of output.
    double peak() {
        std::vector<float> out(4410 * 2);
        engine.render(out.data(), 4410);
        double p = 0;
        for (float v : out)
            p = std::max(p, double(std::fabs(v)));
        return p;
    }
};

TEST(Alarm, ArmedBeforeItsSecondPlaysThenDisarms) {
    AlarmWorld w;
    w.setTime(7, 29, 30);
    w.arm();
    EXPECT_EQ(w.main.displays().text(Display::Clock), "07:30:00");
    w.run(29);
    EXPECT_FALSE(w.alarm.sounding());
    w.run(1);
    EXPECT_TRUE(w.alarm.sounding());
    EXPECT_FALSE(w.alarm.armed());
    EXPECT_EQ(w.main.displays().text(Display::Clock), "Alarm Playing");
    EXPECT_EQ(w.engine.volume(w.alarm.channel()), 100);

    // Nothing chosen to play for: ten seconds, silent on the eleventh tick.
    w.run(10);
    EXPECT_TRUE(w.alarm.sounding());
    w.run(1);
    EXPECT_FALSE(w.alarm.sounding());
    EXPECT_FALSE(w.main.commands().isAlarmEnabled());

    // Disarmed: the next day passes in silence.
    w.run(86400);
    EXPECT_FALSE(w.alarm.sounding());
}

TEST(Alarm, ArmedAfterItsSecondWaitsForTomorrowAndStaysArmed) {
    AlarmWorld w;
    w.setTime(7, 30, 5);
    w.arm();
    w.run(3600);
    EXPECT_FALSE(w.alarm.sounding());
    EXPECT_TRUE(w.alarm.armed());
    w.run(86400 - 3600 - 5);
    EXPECT_TRUE(w.alarm.sounding());
}

TEST(Alarm, RepeatsUntilStoppedAndIgnoresTheSoundscapeLevelsAndMute) {
    AlarmWorld w;
    w.alarm.setRepeat(true);
    w.alarm.setMaxVolume(200);
    w.main.mute().toggle();
    ASSERT_EQ(w.levels.master(), 0);
    w.setTime(7, 29, 59);
    w.arm();
    w.run(1 + 700);
    EXPECT_TRUE(w.alarm.sounding());
    EXPECT_EQ(w.engine.volume(w.alarm.channel()), 200);
    EXPECT_GT(w.peak(), 0.1);
    w.alarm.stopCommand();
    EXPECT_FALSE(w.alarm.sounding());
    EXPECT_FALSE(w.main.commands().isAlarmEnabled());
    (void)w.peak(); // the stop's short fade
    EXPECT_LT(w.peak(), 1e-4);
}

TEST(Alarm, FadeClimbsOneStepPerTickAndStopsAtItsTarget) {
    AlarmWorld w;
    w.alarm.setFadeIn(true);
    w.setTime(7, 29, 59);
    w.arm();
    w.run(1);
    EXPECT_EQ(w.alarm.currentVolume(), 0);
    w.timers.advance(99 * scheduling::kFadeStepMs);
    EXPECT_EQ(w.alarm.currentVolume(), 99);
    w.timers.advance(scheduling::kFadeStepMs);
    EXPECT_EQ(w.alarm.currentVolume(), 100);
    w.timers.advance(20 * scheduling::kFadeStepMs);
    EXPECT_EQ(w.engine.volume(w.alarm.channel()), 100);

    AlarmWorld silent;
    silent.alarm.setFadeIn(true);
    silent.alarm.setMaxVolume(0);
    silent.alarm.setRepeat(true);
    silent.setTime(7, 29, 59);
    silent.arm();
    silent.run(1);
    silent.timers.advance(300 * scheduling::kFadeStepMs);
    EXPECT_EQ(silent.alarm.currentVolume(), 0);
}

TEST(Alarm, UndecodableSoundSaysWhyAndTheSequenceStillRuns) {
    AlarmWorld w;
    testing::writeBytes(w.file("broken.wav"), "not a sound at all");
    w.dialogs.files.push_back(w.file("broken.wav").string());
    w.alarm.chooseSound();
    w.setTime(7, 29, 59);
    w.arm();
    w.run(1);
    EXPECT_NE(w.alarm.problem().find("broken.wav"), std::string::npos);
    EXPECT_FALSE(w.alarm.armed());
    w.run(11);
    EXPECT_FALSE(w.main.commands().isAlarmEnabled());
}

TEST(Alarm, CloseQuitsInOrderAndTheOptionsExcludeEachOther) {
    AlarmWorld w;
    w.main.windows().add("Alarm", WindowEntry{[] {}, {}, {}, [&w] { w.alarm.unload(); }});
    w.main.windows().loadHidden("Alarm");
    w.main.windows().markOpen("Alarm");
    w.main.load();
    w.alarm.setCloseProgram(true);
    w.alarm.setShutdown(true);
    EXPECT_FALSE(w.alarm.settings().closeProgram);
    w.alarm.setCloseProgram(true);
    EXPECT_FALSE(w.alarm.settings().shutdown);

    w.setTime(7, 29, 59);
    w.arm();
    w.run(1);
    EXPECT_TRUE(w.main.hasQuit());
    EXPECT_TRUE(std::filesystem::exists(w.file("main.tmp")));
    EXPECT_TRUE(std::filesystem::exists(w.file("alarm.tmp")));
    EXPECT_TRUE(w.power.calls.empty());
}

TEST(Alarm, ShutdownCountsDownThenQuitsAndPowersOffUnlessCancelled) {
    AlarmWorld w;
    w.main.load();
    w.alarm.setShutdown(true);
    w.setTime(7, 29, 59);
    w.arm();
    w.run(1);
    EXPECT_TRUE(w.countdown.running());
    EXPECT_EQ(w.countdown.text(), "The computer will shut down in 30 seconds");
    w.run(29);
    EXPECT_TRUE(w.power.calls.empty());
    EXPECT_FALSE(w.main.hasQuit());
    w.run(1);
    EXPECT_TRUE(w.main.hasQuit());
    EXPECT_EQ(w.power.calls, std::vector<std::string>{"poweroff"});

    AlarmWorld cancelled;
    cancelled.countdown.start(scheduling::PowerAction::Suspend);
    cancelled.run(10);
    cancelled.countdown.cancel();
    cancelled.run(60);
    EXPECT_TRUE(cancelled.power.calls.empty());
    EXPECT_FALSE(cancelled.main.hasQuit());
}

TEST(Alarm, RestartShowsTheSavedAlarm) {
    std::string saved;
    {
        AlarmWorld w;
        w.alarm.setHour(6);
        w.alarm.setMinute(5);
        w.alarm.choosePlayFor(3);
        w.alarm.setFadeIn(true);
        w.alarm.setMaxVolume(180);
        w.alarm.unload();
        saved = testing::readBytes(w.file("alarm.tmp"));
    }
    SchedulingWorld w;
    testing::writeBytes(w.file("alarm.tmp"), saved);
    w.alarm.load();
    EXPECT_EQ(w.alarm.alarmTimeText(), "06:05:00");
    EXPECT_EQ(w.alarm.settings().playForSeconds(), 120);
    EXPECT_TRUE(w.alarm.settings().fadeIn);
    EXPECT_EQ(w.alarm.settings().maxVolume, 180);
}

} // namespace
} // namespace velmora::test
