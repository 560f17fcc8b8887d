#pragma once
// Seconds of local time as the scheduler and the alarm see them: a "HH:MM:SS" text to
// compare with what the user typed, and a cursor that hands out every second since it was
// last asked, so a tick that comes late (a busy machine, a clock that stepped) still sees
// the second it skipped.
//
// Thread: UI thread.

#include "platform/clock.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::scheduling {

/// Seconds since 1970-01-01 00:00:00 of the same local calendar (no time zone involved:
/// only differences between two local times mean anything).
[[nodiscard]] std::int64_t localSeconds(const LocalTime& t);
/// The inverse of localSeconds (milliseconds zero).
[[nodiscard]] LocalTime fromLocalSeconds(std::int64_t seconds);
/// "HH:MM:SS", two digits each, 24-hour clock.
[[nodiscard]] std::string clockText(const LocalTime& t);
/// True for exactly two ASCII digits whose value is at most max.
[[nodiscard]] bool isTwoDigitNumber(std::string_view text, int max);
/// True for exactly "HH:MM:SS" with hours 00..23, minutes and seconds 00..59: the only
/// texts that can ever equal a clock text.
[[nodiscard]] bool isClockText(std::string_view text);

/// How far back a late check still looks. Longer gaps (a suspended machine) are not caught
/// up: sounding an alarm or switching a scenario an hour late surprises more than it helps.
inline constexpr int kCatchUpSeconds = 300;

/// How far the clock may step back and still not repeat a second already handed out (the
/// hour daylight saving time gives back, with room to spare).
inline constexpr int kRepeatGuardSeconds = 2 * 3600;

class SecondsCursor {
  public:
    explicit SecondsCursor(const Clock& clock) : m_clock(clock) {}

    /// From now on: the current second is still due, nothing before it.
    void restart();
    /// Every second since the previous call (or restart), oldest first, at most
    /// kCatchUpSeconds of them; each second is handed out once, also when the clock steps
    /// back by up to kRepeatGuardSeconds.
    [[nodiscard]] std::vector<LocalTime> due();

  private:
    const Clock& m_clock;
    std::optional<std::int64_t> m_last; ///< last second handed out
};

} // namespace velmora::scheduling
