// The sleep timer on rendered audio: a fade without audible steps, an exact return on
// cancel, and each action through the recording fakes.

#include "scheduling/sleep_timer.h"
#include "scheduling_rig.h"
#include "support/wav_file.h"

#include <gtest/gtest.h>

#include <cmath>

namespace velmora::test {
namespace {

using scheduling::SleepAction;

struct SleepWorld : SchedulingWorld {
    int stops = 0;
    scheduling::SleepTimer sleep{services,
                                 countdown,
                                 {[this] {
                                      ++stops;
                                      engine.stop(tone);
                                  },
                                  [this] { main.quit(false); }}};
    audio::ChannelHandle tone;

    SleepWorld() {
        // 1 kHz: a 10 ms block holds whole cycles, so its level is steady.
        testing::writeWav(file("tone.wav"), testing::sineTone(1.0, 1000.0, 0.5));
        tone = engine.play(engine.loadSample(file("tone.wav").string()));
        engine.setLoopMode(tone, audio::kLoopNormal);
    }
    /// Level of the next 10 ms, in dB full scale, and virtual time moved on with it.
    double blockDb() {
        std::vector<float> out(441 * 2);
        engine.render(out.data(), 441);
        timers.advance(10);
        double sum = 0;
        for (float v : out)
            sum += double(v) * v;
        return 10.0 * std::log10(sum / double(out.size()) + 1e-30);
    }
};

TEST(SleepTimer, FadesWithoutAudibleStepsThenStopsAndRestoresTheGain) {
    SleepWorld w;
    (void)w.blockDb(); // the sound starting
    const double start = w.blockDb();
    w.sleep.start(2);
    EXPECT_EQ(w.sleep.remainingText(), "Sleep in 2:00");
    double previous = start;
    double largestStep = 0;
    for (int block = 0; block < 12000 - 1; ++block) {
        const double db = w.blockDb();
        if (previous > start - 60.0) largestStep = std::max(largestStep, std::fabs(db - previous));
        if (block < 5990) {
            ASSERT_NEAR(db, start, 0.01) << "faded before the last minute";
        }
        previous = db;
    }
    EXPECT_LT(largestStep, 0.5);
    EXPECT_LT(previous, start - 55.0);
    w.blockDb();
    EXPECT_FALSE(w.sleep.running());
    EXPECT_EQ(w.stops, 1);
    EXPECT_FLOAT_EQ(w.engine.outputGain(), 1.0f);
}

TEST(SleepTimer, FadeLengthComesFromTheSettings) {
    SleepWorld w;
    w.settings.write(kProgramTitle, scheduling::kSleepSection, scheduling::kSleepFadeKey, "10");
    scheduling::SleepTimer timer(w.services, w.countdown, {});
    EXPECT_EQ(timer.fadeSeconds(), 10);
    (void)w.blockDb();
    const double start = w.blockDb();
    timer.start(1);
    for (int i = 0; i < 4950; ++i)
        (void)w.blockDb();
    EXPECT_NEAR(w.blockDb(), start, 0.01);
    for (int i = 0; i < 500; ++i)
        (void)w.blockDb();
    EXPECT_LT(w.blockDb(), start - 20.0);
}

TEST(SleepTimer, CancelBringsTheSoundBackExactly) {
    SleepWorld w;
    (void)w.blockDb(); // the sound starting
    const double start = w.blockDb();
    w.sleep.start(1);
    for (int i = 0; i < 4000; ++i)
        (void)w.blockDb();
    EXPECT_LT(w.blockDb(), start - 20.0);
    w.sleep.cancel();
    (void)w.blockDb(); // the ramp back
    EXPECT_NEAR(w.blockDb(), start, 1e-6);
    w.timers.advance(120000);
    EXPECT_EQ(w.stops, 0);
    EXPECT_TRUE(w.engine.isPlaying(w.tone));
}

TEST(SleepTimer, QuitSuspendAndPowerOffGoThroughTheOrderlyQuitAndTheCountdown) {
    SleepWorld quit;
    quit.main.load();
    quit.sleep.start(1, SleepAction::Quit);
    quit.timers.advance(60000);
    EXPECT_TRUE(quit.main.hasQuit());
    EXPECT_TRUE(quit.power.calls.empty());

    SleepWorld suspend;
    suspend.sleep.start(1, SleepAction::Suspend);
    suspend.timers.advance(60000);
    EXPECT_EQ(suspend.stops, 1);
    EXPECT_TRUE(suspend.countdown.running());
    EXPECT_EQ(suspend.countdown.text(), "The computer will suspend in 30 seconds");
    suspend.timers.advance(30000);
    EXPECT_EQ(suspend.power.calls, std::vector<std::string>{"suspend"});
    EXPECT_FALSE(suspend.main.hasQuit());

    SleepWorld custom;
    custom.dialogs.inputs = {std::string("0"), std::string("12abc"), std::string("25")};
    EXPECT_FALSE(custom.sleep.startCustom(SleepAction::StopAll));
    EXPECT_FALSE(custom.sleep.startCustom(SleepAction::StopAll));
    EXPECT_EQ(custom.dialogs.lastMessage(), scheduling::kSleepRefused);
    EXPECT_TRUE(custom.sleep.startCustom(SleepAction::StopAll));
    EXPECT_EQ(custom.sleep.remainingSeconds(), 25 * 60);

    SleepWorld off;
    off.sleep.start(1, SleepAction::PowerOff);
    off.timers.advance(60000);
    EXPECT_FLOAT_EQ(off.engine.outputGain(), 0.0f);
    off.countdown.cancel(); // awake after all
    EXPECT_FLOAT_EQ(off.engine.outputGain(), 1.0f);
    EXPECT_EQ(off.stops, 0);
    EXPECT_TRUE(off.power.calls.empty());
}

} // namespace
} // namespace velmora::test
