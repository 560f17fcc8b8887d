#include "drift_scheduler.h"

#include <algorithm>
#include <limits>
#include <map>

namespace velmora {

// The one timer behind every scheduler of a TimerService.
class DriftScheduler::Hub {
  public:
    explicit Hub(TimerService& timers)
        : m_timers(timers), m_timer(timers.createTimer(1000, [this] { onTick(); })) {}

    void add(DriftScheduler* s) { m_schedulers.push_back(s); }
    void remove(DriftScheduler* s) {
        std::erase(m_schedulers, s);
        if (!m_inTick) rearm();
    }
    void changed() {
        if (!m_inTick) rearm();
    }

    /// The hub of `timers`, made on first use and gone with its last scheduler.
    static std::shared_ptr<Hub> of(TimerService& timers) {
        static std::map<TimerService*, std::weak_ptr<Hub>> hubs;
        std::erase_if(hubs, [](const auto& e) { return e.second.expired(); });
        auto& weak = hubs[&timers];
        auto hub = weak.lock();
        if (!hub) {
            hub = std::make_shared<Hub>(timers);
            weak = hub;
        }
        return hub;
    }

  private:
    void onTick() {
        m_inTick = true;
        const std::int64_t now = m_timers.nowMs();
        // Steps due a moment from now run with this wake-up rather than wake the thread again.
        const std::int64_t horizon = now + std::max(0, m_timers.groupingMs());
        for (auto* s : m_schedulers)
            for (auto& e : s->m_entries)
                if (e.active() && now - e.due > kMaxCatchUpMs) e.due = now;
        // Earliest due first, ties in creation order: the order separate timers would fire
        // in. A step may change any slot or scheduler, so the choice is made afresh each time.
        while (true) {
            DriftScheduler* owner = nullptr;
            std::size_t slot = 0;
            std::int64_t best = std::numeric_limits<std::int64_t>::max();
            for (auto* s : m_schedulers)
                for (std::size_t i = 0; i < s->m_entries.size(); ++i) {
                    const auto& e = s->m_entries[i];
                    if (e.active() && e.due <= horizon && e.due < best) {
                        best = e.due;
                        owner = s;
                        slot = i;
                    }
                }
            if (!owner) break;
            auto& e = owner->m_entries[slot];
            e.due += e.period;
            owner->m_step(static_cast<int>(slot));
        }
        m_inTick = false;
        // The timer repeats by itself one interval after this wake-up.
        m_nextFire = now + m_timer->interval();
        rearm();
    }

    void rearm() {
        std::int64_t earliest = std::numeric_limits<std::int64_t>::max();
        for (auto* s : m_schedulers)
            for (const auto& e : s->m_entries)
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

    TimerService& m_timers;
    std::unique_ptr<Timer> m_timer;
    std::vector<DriftScheduler*> m_schedulers; // creation order
    std::int64_t m_nextFire = -1;              // when the timer fires next; -1 while off
    bool m_inTick = false;
};

DriftScheduler::DriftScheduler(TimerService& timers, int slotCount, std::function<void(int)> step)
    : m_timers(timers), m_step(std::move(step)), m_entries(static_cast<std::size_t>(slotCount)),
      m_hub(Hub::of(timers)) {
    m_hub->add(this);
}

DriftScheduler::~DriftScheduler() {
    m_hub->remove(this);
}

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
    return static_cast<int>(std::count_if(m_entries.begin(), m_entries.end(),
                                          [](const Entry& e) { return e.active(); }));
}

void DriftScheduler::restart(int slot) {
    auto& e = m_entries[static_cast<std::size_t>(slot)];
    if (e.active()) e.due = m_timers.nowMs() + e.period;
    m_hub->changed();
}

} // namespace velmora
