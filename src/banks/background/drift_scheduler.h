#pragma once
// Runs the drift steps of many slots from one timer. Each slot behaves exactly like a timer
// of its own (a period, an enabled flag, a restart of its count when either changes, steps in
// time order with ties in slot order), but a bank with 17 slots at 5 ms costs one wake-up
// per due moment instead of 17 timers, and a late wake-up catches up on the missed steps in
// their order instead of dropping them.
//
// Thread: UI thread; the step callback runs on it, between other events.

#include "platform/timer_service.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace velmora {

class DriftScheduler {
public:
    /// `step(slot)` runs one drift step of slot 0..slotCount-1.
    DriftScheduler(TimerService& timers, int slotCount, std::function<void(int)> step);
    ~DriftScheduler();
    DriftScheduler(const DriftScheduler&) = delete;
    DriftScheduler& operator=(const DriftScheduler&) = delete;

    /// Period in milliseconds; 0 means the slot never steps. Restarts the slot's count.
    void setPeriod(int slot, int periodMs);
    /// A newly enabled slot first steps one full period from now.
    void setEnabled(int slot, bool enabled);
    [[nodiscard]] int period(int slot) const;
    [[nodiscard]] bool isEnabled(int slot) const;
    /// Slots that are enabled with a non-zero period.
    [[nodiscard]] int activeCount() const;

    /// A wake-up later than this behind a due step skips ahead instead of catching up
    /// (a suspended machine must not replay hours of drift in one go).
    static constexpr std::int64_t kMaxCatchUpMs = 1000;

private:
    struct Entry {
        int period = 0;
        bool enabled = false;
        std::int64_t due = 0;
        [[nodiscard]] bool active() const { return enabled && period > 0; }
    };
    void restart(int slot);
    void onTick();
    void rearm();

    TimerService& m_timers;
    std::function<void(int)> m_step;
    std::vector<Entry> m_entries;
    std::unique_ptr<Timer> m_timer;
    std::int64_t m_nextFire = -1; ///< when the timer fires next; -1 while it is off
    bool m_inTick = false;
};

} // namespace velmora
