#include "drift_scheduler.h"

#include <algorithm>
#include <limits>

namespace velmora {

DriftScheduler::DriftScheduler(TimerService& timers, int slotCount, std::function<void(int)> step)
    : m_timers(timers), m_step(std::move(step)), m_entries(static_cast<std::size_t>(slotCount)),
      m_timer(timers.createTimer(1000, [this] { onTick(); })) {}

DriftScheduler::~DriftScheduler() = default;

void DriftScheduler::setPeriod(int slot, int periodMs) {
    m_entries.at(static_cast<std::size_t>(slot)).period = std::max(0, periodMs);
    restart(slot);
}

void DriftScheduler::setEnabled(int slot, bool enabled) {
    auto& e = m_entries.at(static_cast<std::size_t>(slot));
    if (e.enabled == enabled) return;
    e.enabled = enabled;
    restart(slot);
}

int DriftScheduler::period(int slot) const {
    return m_entries.at(static_cast<std::size_t>(slot)).period;
}

bool DriftScheduler::isEnabled(int slot) const {
    return m_entries.at(static_cast<std::size_t>(slot)).enabled;
}

int DriftScheduler::activeCount() const {
    return static_cast<int>(
        std::count_if(m_entries.begin(), m_entries.end(), [](const Entry& e) { return e.active(); }));
}

void DriftScheduler::restart(int slot) {
    auto& e = m_entries[static_cast<std::size_t>(slot)];
    if (e.active()) e.due = m_timers.nowMs() + e.period;
    if (!m_inTick) rearm();
}

void DriftScheduler::onTick() {
    m_inTick = true;
    const std::int64_t now = m_timers.nowMs();
    for (auto& e : m_entries)
        if (e.active() && now - e.due > kMaxCatchUpMs) e.due = now;
    // Earliest due first, ties in slot order: the order separate timers would have fired in.
    // A step may change any slot's period or switch, so the choice is made afresh each time.
    while (true) {
        int next = -1;
        std::int64_t best = std::numeric_limits<std::int64_t>::max();
        for (std::size_t i = 0; i < m_entries.size(); ++i) {
            const auto& e = m_entries[i];
            if (e.active() && e.due <= now && e.due < best) {
                best = e.due;
                next = static_cast<int>(i);
            }
        }
        if (next < 0) break;
        auto& e = m_entries[static_cast<std::size_t>(next)];
        e.due += e.period;
        m_step(next);
    }
    m_inTick = false;
    // The timer repeats by itself one interval after this wake-up.
    m_nextFire = now + m_timer->interval();
    rearm();
}

void DriftScheduler::rearm() {
    std::int64_t earliest = std::numeric_limits<std::int64_t>::max();
    for (const auto& e : m_entries)
        if (e.active()) earliest = std::min(earliest, e.due);
    if (earliest == std::numeric_limits<std::int64_t>::max()) {
        m_timer->setEnabled(false);
        m_nextFire = -1;
        return;
    }
    // Equal periods (the usual case) keep the timer repeating untouched.
    if (m_timer->isEnabled() && m_nextFire == earliest) return;
    const std::int64_t now = m_timers.nowMs();
    const auto wait = static_cast<int>(std::clamp<std::int64_t>(earliest - now, 1, 1 << 30));
    m_timer->setEnabled(false);
    m_timer->setInterval(wait);
    m_timer->setEnabled(true);
    m_nextFire = now + wait;
}

} // namespace velmora
