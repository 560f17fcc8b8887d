#pragma once
// Periodic timers on the UI thread. The app backs them with Qt's event loop; tests and the
// recorder use VirtualTimerService, which fires them as virtual time is advanced.

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>

namespace velmora {

/// A periodic timer. Created disabled. Thread: UI thread only.
class Timer {
  public:
    virtual ~Timer() = default;
    /// Period in milliseconds (at least 1). Changing it restarts the count.
    virtual void setInterval(int milliseconds) = 0;
    [[nodiscard]] virtual int interval() const = 0;
    /// Enabling starts a full period from now; disabling a disabled timer does nothing.
    virtual void setEnabled(bool enabled) = 0;
    [[nodiscard]] virtual bool isEnabled() const = 0;
};

class TimerService {
  public:
    virtual ~TimerService() = default;
    /// The callback may enable, disable or re-period any timer, itself included.
    [[nodiscard]] virtual std::unique_ptr<Timer> createTimer(int intervalMs,
                                                             std::function<void()> onTick) = 0;
    /// Monotonic milliseconds on the time line the timers fire on (only differences
    /// mean anything). Lets one timer serve many periods and still know the moment of a
    /// change made between its ticks.
    [[nodiscard]] virtual std::int64_t nowMs() const {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    }
    /// How many milliseconds early such a scheduler may run work so that work due close
    /// together shares one wake-up (each wake-up costs far more than the work). Real time
    /// allows a little; virtual time none, so every tick lands exactly when due.
    [[nodiscard]] virtual int groupingMs() const { return 4; }
};

} // namespace velmora
