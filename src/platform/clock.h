#pragma once
// Local wall-clock time, for the clock display, the scheduler and the alarm.

#include <cstdint>

namespace velmora {

struct LocalTime {
    int year = 2000, month = 1, day = 1; ///< calendar date
    int hour = 0, minute = 0, second = 0;
    int millisecond = 0;
};

class Clock {
  public:
    virtual ~Clock() = default;
    [[nodiscard]] virtual LocalTime now() const = 0;
    /// Monotonic milliseconds, for seeding the shared random generator.
    [[nodiscard]] virtual std::int64_t ticksMs() const = 0;
};

/// The machine's local time.
class SystemClock final : public Clock {
  public:
    [[nodiscard]] LocalTime now() const override;
    [[nodiscard]] std::int64_t ticksMs() const override;
};

/// A clock tests set by hand.
class ManualClock final : public Clock {
  public:
    [[nodiscard]] LocalTime now() const override { return m_now; }
    [[nodiscard]] std::int64_t ticksMs() const override { return m_ticks; }
    void set(const LocalTime& t) { m_now = t; }
    void setTicks(std::int64_t ms) { m_ticks = ms; }

  private:
    LocalTime m_now;
    std::int64_t m_ticks = 0;
};

} // namespace velmora
