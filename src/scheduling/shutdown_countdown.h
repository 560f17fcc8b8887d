#pragma once
// The visible countdown before the machine powers off or suspends: the user sees the
// seconds left and can cancel. Powering off quits the program in order first, so every
// window saves as on a normal quit; suspending leaves it running.
//
// Thread: UI thread (its timer included).

#include "core/signal.h"
#include "platform/power.h"
#include "platform/timer_service.h"

#include <functional>
#include <memory>
#include <string>

namespace velmora::scheduling {

enum class PowerAction { PowerOff, Suspend };
inline constexpr int kCountdownSeconds = 30;

class ShutdownCountdown {
  public:
    /// quitInOrder: the program's orderly quit, run before a power-off.
    ShutdownCountdown(TimerService& timers, Power& power, std::function<void()> quitInOrder);
    ~ShutdownCountdown();
    ShutdownCountdown(const ShutdownCountdown&) = delete;
    ShutdownCountdown& operator=(const ShutdownCountdown&) = delete;

    /// Starts (or restarts) the count; the action runs when it reaches zero.
    void start(PowerAction action, int seconds = kCountdownSeconds);
    void cancel();
    [[nodiscard]] bool running() const { return m_remaining > 0; }
    [[nodiscard]] int remaining() const { return m_remaining; }
    [[nodiscard]] PowerAction action() const { return m_action; }
    /// "The computer will shut down in N seconds" (or "suspend").
    [[nodiscard]] std::string text() const;

    /// Started, ticked, cancelled or finished.
    Signal<> changed;

  private:
    void tick();

    Power& m_power;
    std::function<void()> m_quit;
    std::unique_ptr<Timer> m_timer;
    PowerAction m_action = PowerAction::PowerOff;
    int m_remaining = 0;
};

} // namespace velmora::scheduling
