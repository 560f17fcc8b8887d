#pragma once
// Timers in virtual time: nothing fires until advance() is called, then every due tick fires
// in time order (ties in the order the timers were created). Used by tests and the
// recorder, which step it in lock-step with offline audio rendering.

#include "timer_service.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace velmora {

class VirtualTimerService final : public TimerService {
  public:
    VirtualTimerService();
    ~VirtualTimerService() override;

    std::unique_ptr<Timer> createTimer(int intervalMs, std::function<void()> onTick) override;

    /// Moves virtual time forward, firing every tick that falls due on the way.
    void advance(std::int64_t milliseconds);
    /// Virtual milliseconds since construction.
    [[nodiscard]] std::int64_t now() const;
    /// The virtual time line: now().
    [[nodiscard]] std::int64_t nowMs() const override { return now(); }
    /// Exact: nothing runs before it is due.
    [[nodiscard]] int groupingMs() const override { return 0; }
    /// Number of enabled timers (for tests).
    [[nodiscard]] int enabledCount() const;

    struct State;

  private:
    std::shared_ptr<State> m_state;
};

} // namespace velmora
