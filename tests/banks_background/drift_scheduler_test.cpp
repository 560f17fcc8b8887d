// One timer serving many drift periods must fire each slot's steps exactly when, and in the
// order, a timer per slot would have: the same steps, the same times, ties in slot order.
#include "banks/background/drift_scheduler.h"
#include "platform/random.h"
#include "platform/virtual_timer_service.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace velmora {
namespace {

constexpr int kSlots = 17;

struct Step {
    int slot;
    std::int64_t at;
    bool operator==(const Step&) const = default;
};

// The same operations applied to separate timers and to the scheduler, in one time line each.
struct Twins {
    VirtualTimerService separateTime, sharedTime;
    std::vector<Step> separateLog, sharedLog;
    std::vector<std::unique_ptr<Timer>> timers;
    std::vector<int> periods = std::vector<int>(kSlots, 0);
    DriftScheduler scheduler{sharedTime, kSlots,
                             [this](int s) { sharedLog.push_back({s, sharedTime.now()}); }};

    Twins() {
        for (int s = 0; s < kSlots; ++s)
            timers.push_back(separateTime.createTimer(1000, [this, s] {
                separateLog.push_back({s, separateTime.now()});
            }));
    }
    void setPeriod(int s, int ms) {
        periods[s] = ms;
        // A period of 0 never fires; a timer is kept enabled-but-idle that way.
        timers[s]->setInterval(ms == 0 ? 1 << 30 : ms);
        scheduler.setPeriod(s, ms);
    }
    void setEnabled(int s, bool on) {
        timers[s]->setEnabled(on);
        scheduler.setEnabled(s, on);
    }
    void advance(int ms) {
        separateTime.advance(ms);
        sharedTime.advance(ms);
    }
};

TEST(DriftScheduler, MatchesATimerPerSlotUnderRandomChanges) {
    Twins t;
    SeededRandom r(42);
    const int periods[] = {5, 5, 10, 15, 1000, 4995, 0, 35, 5, 20};
    for (int s = 0; s < kSlots; ++s) t.setPeriod(s, 5 * (1 + s % 3));
    for (int round = 0; round < 400; ++round) {
        const int s = static_cast<int>(r.next() * kSlots);
        const double what = r.next();
        if (what < 0.4)
            t.setEnabled(s, !t.scheduler.isEnabled(s));
        else if (what < 0.8)
            t.setPeriod(s, periods[static_cast<int>(r.next() * 10)]);
        t.advance(static_cast<int>(r.next() * 60));
    }
    t.advance(3000);
    ASSERT_GT(t.sharedLog.size(), 1000u);
    EXPECT_EQ(t.sharedLog, t.separateLog);
}

TEST(DriftScheduler, StepsMayChangeOtherSlotsAndTiesRunInSlotOrder) {
    VirtualTimerService time;
    std::vector<Step> log;
    std::unique_ptr<DriftScheduler> s;
    s = std::make_unique<DriftScheduler>(time, 3, [&](int slot) {
        log.push_back({slot, time.now()});
        if (slot == 2 && time.now() == 20) s->setEnabled(0, false); // from inside a step
    });
    for (int i = 0; i < 3; ++i) {
        s->setPeriod(i, 10);
        s->setEnabled(i, true);
    }
    time.advance(30);
    const std::vector<Step> expected{{0, 10}, {1, 10}, {2, 10}, {0, 20}, {1, 20},
                                     {2, 20}, {1, 30}, {2, 30}};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(s->activeCount(), 2);
    s->setEnabled(1, false);
    s->setEnabled(2, false);
    EXPECT_EQ(time.enabledCount(), 0); // nothing left to wake up for
}

} // namespace
} // namespace velmora
