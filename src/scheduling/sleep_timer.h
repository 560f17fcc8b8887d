#pragma once
// The sleep timer: after a chosen time everything fades smoothly to silence over the last
// minute, then the soundscape stops, the program quits (saving as on any quit), or the
// computer suspends or shuts down after the visible countdown. Cancelling at any moment
// brings the sound back exactly as it was.
//
// The fade works on the engine's output gain rather than on the master level: level steps
// are whole numbers, and near silence one step is several dB, which the ear hears as a
// staircase; the output gain moves in fine steps and the engine ramps between them.
//
// Thread: UI thread (its timer included).

#include "core/services.h"
#include "core/signal.h"
#include "shutdown_countdown.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace velmora::scheduling {

enum class SleepAction { StopAll, Quit, Suspend, PowerOff };
inline constexpr std::array<int, 6> kSleepMinutes = {15, 30, 45, 60, 90, 120};
inline constexpr int kDefaultSleepFadeSeconds = 60;
inline constexpr int kMaxSleepMinutes = 720;
/// Settings of the program's title: the fade's length in seconds (1..600).
inline constexpr const char* kSleepSection = "Sleep";
inline constexpr const char* kSleepFadeKey = "FadeSeconds";
inline constexpr const char* kSleepPrompt = "Minutes until Velmora goes to sleep (1 to 720):";
inline constexpr const char* kSleepRefused =
    "Please enter a whole number of minutes from 1 to 720.";
/// Where the fade's curve ends before the last step to silence: quieter than anything a
/// soundscape is heard at.
inline constexpr double kSleepFadeFloorDb = -60.0;

class SleepTimer {
  public:
    struct Actions {
        std::function<void()> stopAll; ///< "Stop all sounds"
        std::function<void()> quit;    ///< the orderly quit
    };
    SleepTimer(Services& services, ShutdownCountdown& countdown, Actions actions);
    ~SleepTimer();
    SleepTimer(const SleepTimer&) = delete;
    SleepTimer& operator=(const SleepTimer&) = delete;

    /// Starts (or restarts) the timer: the action runs `minutes` from now (at least 1).
    void start(int minutes, SleepAction action = SleepAction::StopAll);
    /// "Custom...": asks for the minutes (1..kMaxSleepMinutes); false when cancelled or
    /// refused (a message says why).
    bool startCustom(SleepAction action);
    /// Stops the timer and restores the sound at once.
    void cancel();
    /// Seconds of fading at the end (1..600; kSleepFadeKey, 60 unless set).
    void setFadeSeconds(int seconds);
    [[nodiscard]] int fadeSeconds() const { return m_fadeMs / 1000; }

    [[nodiscard]] bool running() const { return m_running; }
    [[nodiscard]] SleepAction action() const { return m_action; }
    /// Whole seconds left, rounded up; 0 when not running.
    [[nodiscard]] int remainingSeconds() const;
    /// "Sleep in 1:05:00", "Sleep in 4:59"; empty when not running.
    [[nodiscard]] std::string remainingText() const;

    /// Started, cancelled, finished, or the remaining time's text changed.
    Signal<> changed;

  private:
    void tick();
    void finish();
    void restoreSound();
    [[nodiscard]] std::int64_t leftMs() const;

    Services& m_s;
    ShutdownCountdown& m_countdown;
    Actions m_actions;
    std::unique_ptr<Timer> m_timer;
    Connection m_countdownChanged;
    SleepAction m_action = SleepAction::StopAll;
    std::int64_t m_deadlineMs = 0;
    int m_fadeMs = kDefaultSleepFadeSeconds * 1000;
    int m_shownSeconds = -1;
    bool m_running = false;
    bool m_awaitingCountdown = false; ///< silent while the power-off countdown runs
};

} // namespace velmora::scheduling
