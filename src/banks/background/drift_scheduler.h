#pragma once
// Runs the drift steps of many slots from one timer. Each slot behaves exactly like a timer
// of its own (a period, an enabled flag, a restart of its count when either changes, steps in
// time order with ties in creation order: scheduler by scheduler, slot by slot), but every
// scheduler on one TimerService shares a single timer, so all the banks' slots at 5 ms cost
// one wake-up per due moment, and a late wake-up catches up on the missed steps in their
// order instead of dropping them. In real time, steps due within the timer service's
// grouping window share a wake-up (run up to a few ms early); in virtual time every step runs
// exactly when due.
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
    class Hub;
    struct Entry {
        int period = 0;
        bool enabled = false;
        std::int64_t due = 0;
        [[nodiscard]] bool active() const { return enabled && period > 0; }
    };
    void restart(int slot);

    TimerService& m_timers;
    std::function<void(int)> m_step;
    std::vector<Entry> m_entries;
    std::shared_ptr<Hub> m_hub;
};

} // namespace velmora
