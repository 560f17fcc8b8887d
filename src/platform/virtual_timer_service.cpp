#include "virtual_timer_service.h"

#include <algorithm>
#include <queue>

namespace velmora {

struct VirtualTimerService::State {
    struct Entry {
        std::int64_t due;
        std::uint64_t order; // creation order of the timer: ties fire in that order
        std::uint64_t id;
        std::uint64_t generation;
        bool operator>(const Entry& o) const {
            return due != o.due ? due > o.due : order > o.order;
        }
    };
    struct TimerData {
        std::function<void()> onTick;
        int interval = 1;
        bool enabled = false;
        bool alive = true;
        std::uint64_t generation = 0;
        std::uint64_t order = 0;
    };
    std::int64_t now = 0;
    std::uint64_t nextId = 0;
    std::vector<TimerData> timers; // index = id
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> queue;

    void schedule(std::uint64_t id) {
        auto& t = timers[id];
        ++t.generation;
        if (t.enabled && t.alive) queue.push({now + t.interval, t.order, id, t.generation});
    }
};

namespace {
class VirtualTimer final : public Timer {
  public:
    VirtualTimer(std::shared_ptr<VirtualTimerService::State> state, std::uint64_t id)
        : m_state(std::move(state)), m_id(id) {}
    ~VirtualTimer() override {
        auto& t = m_state->timers[m_id];
        t.alive = false;
        t.enabled = false;
        t.onTick = nullptr;
        ++t.generation;
    }
    void setInterval(int ms) override {
        auto& t = m_state->timers[m_id];
        t.interval = std::max(1, ms);
        m_state->schedule(m_id);
    }
    int interval() const override { return m_state->timers[m_id].interval; }
    void setEnabled(bool enabled) override {
        auto& t = m_state->timers[m_id];
        if (t.enabled == enabled) return;
        t.enabled = enabled;
        m_state->schedule(m_id);
    }
    bool isEnabled() const override { return m_state->timers[m_id].enabled; }

  private:
    std::shared_ptr<VirtualTimerService::State> m_state;
    std::uint64_t m_id;
};
} // namespace

VirtualTimerService::VirtualTimerService() : m_state(std::make_shared<State>()) {}
VirtualTimerService::~VirtualTimerService() = default;

std::unique_ptr<Timer> VirtualTimerService::createTimer(int intervalMs,
                                                        std::function<void()> onTick) {
    const std::uint64_t id = m_state->timers.size();
    State::TimerData t;
    t.onTick = std::move(onTick);
    t.interval = std::max(1, intervalMs);
    t.order = m_state->nextId++;
    m_state->timers.push_back(std::move(t));
    return std::make_unique<VirtualTimer>(m_state, id);
}

void VirtualTimerService::advance(std::int64_t milliseconds) {
    auto& s = *m_state;
    const std::int64_t end = s.now + std::max<std::int64_t>(0, milliseconds);
    while (!s.queue.empty() && s.queue.top().due <= end) {
        const auto e = s.queue.top();
        s.queue.pop();
        auto& t = s.timers[e.id];
        if (!t.alive || !t.enabled || t.generation != e.generation) continue;
        s.now = e.due;
        // Next tick is one period after this one, not after the callback's end.
        ++t.generation;
        s.queue.push({e.due + t.interval, t.order, e.id, t.generation});
        auto cb = t.onTick; // the callback may destroy or change its own timer
        if (cb) cb();
    }
    s.now = end;
}

std::int64_t VirtualTimerService::now() const {
    return m_state->now;
}

int VirtualTimerService::enabledCount() const {
    return static_cast<int>(
        std::count_if(m_state->timers.begin(), m_state->timers.end(),
                      [](const State::TimerData& t) { return t.alive && t.enabled; }));
}

} // namespace velmora
