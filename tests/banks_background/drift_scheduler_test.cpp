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

// The same operations applied to a timer per slot and to two schedulers (two banks) sharing
// one timer service, in one time line each. Slot s of the second bank is number kSlots + s.
struct Twins {
    VirtualTimerService separateTime, sharedTime;
    std::vector<Step> separateLog, sharedLog;
    std::vector<std::unique_ptr<Timer>> timers;
    DriftScheduler first{sharedTime, kSlots, [this](int s) {
                             sharedLog.push_back({s, sharedTime.now()});
                         }};
    DriftScheduler second{sharedTime, kSlots, [this](int s) {
                              sharedLog.push_back({kSlots + s, sharedTime.now()});
                          }};

    Twins() {
        for (int s = 0; s < 2 * kSlots; ++s)
            timers.push_back(separateTime.createTimer(1000, [this, s] {
                separateLog.push_back({s, separateTime.now()});
            }));
    }
    DriftScheduler& owner(int s) { return s < kSlots ? first : second; }
    void setPeriod(int s, int ms) {
        // A period of 0 never fires; a timer is kept enabled-but-idle that way.
        timers[s]->setInterval(ms == 0 ? 1 << 30 : ms);
        owner(s).setPeriod(s % kSlots, ms);
    }
    void setEnabled(int s, bool on) {
        timers[s]->setEnabled(on);
        owner(s).setEnabled(s % kSlots, on);
    }
    void advance(int ms) {
        separateTime.advance(ms);
        sharedTime.advance(ms);
    }
};

TEST(DriftScheduler, TwoBanksOnOneTimerMatchATimerPerSlotUnderRandomChanges) {
    Twins t;
    SeededRandom r(42);
    const int periods[] = {5, 5, 10, 15, 1000, 4995, 0, 35, 5, 20};
    for (int s = 0; s < 2 * kSlots; ++s)
        t.setPeriod(s, 5 * (1 + s % 3));
    for (int round = 0; round < 600; ++round) {
        const int s = static_cast<int>(r.next() * 2 * kSlots);
        const double what = r.next();
        if (what < 0.4)
            t.setEnabled(s, !t.owner(s).isEnabled(s % kSlots));
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
    const std::vector<Step> expected{{0, 10}, {1, 10}, {2, 10}, {0, 20},
                                     {1, 20}, {2, 20}, {1, 30}, {2, 30}};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(s->activeCount(), 2);
    s->setEnabled(1, false);
    s->setEnabled(2, false);
    EXPECT_EQ(time.enabledCount(), 0); // nothing left to wake up for
}

} // namespace
} // namespace velmora

namespace velmora {
namespace {

// Virtual time that allows grouping as the real-time service does.
class GroupingTimers final : public TimerService {
  public:
    VirtualTimerService inner;
    int wakeUps = 0;
    std::unique_ptr<Timer> createTimer(int ms, std::function<void()> tick) override {
        return inner.createTimer(ms, [this, tick] {
            ++wakeUps;
            tick();
        });
    }
    std::int64_t nowMs() const override { return inner.now(); }
    int groupingMs() const override { return 4; }
};

TEST(DriftScheduler, InRealTimeNearbyStepsShareAWakeUpWithoutRunningLateOrOutOfOrder) {
    GroupingTimers timers;
    std::vector<std::int64_t> due(kSlots, 0);
    std::vector<Step> log;
    bool early = false, late = false;
    DriftScheduler s(timers, kSlots, [&](int slot) {
        const auto now = timers.inner.now();
        due[slot] += 5;
        early = early || now < due[slot] - 4;
        late = late || now > due[slot];
        log.push_back({slot, now});
    });
    for (int slot = 0; slot < kSlots; ++slot) {
        s.setPeriod(slot, 5);
        s.setEnabled(slot, true); // switched on a millisecond apart: five phases
        due[slot] = timers.inner.now();
        timers.inner.advance(1);
    }
    timers.wakeUps = 0;
    log.clear();
    timers.inner.advance(1000);
    EXPECT_FALSE(early);
    EXPECT_FALSE(late);
    EXPECT_NEAR(static_cast<double>(log.size()), 17 * 200, 17);
    EXPECT_LE(timers.wakeUps, 201); // one per period, not one per phase
}

} // namespace
} // namespace velmora
