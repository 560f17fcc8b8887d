#pragma once
// A minimal toolkit-free notification: controllers announce changes, views and other
// controllers listen. Single-threaded (UI thread); a listener may disconnect any listener,
// itself included, while being notified. No member is called "slots" or "signals": Qt
// defines both as macros, and views include this header beside Qt's.

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace velmora {

/// Disconnects on destruction. Movable, not copyable.
class Connection {
  public:
    Connection() = default;
    explicit Connection(std::function<void()> disconnect) : m_disconnect(std::move(disconnect)) {}
    Connection(Connection&& o) noexcept : m_disconnect(std::exchange(o.m_disconnect, nullptr)) {}
    Connection& operator=(Connection&& o) noexcept {
        if (this != &o) {
            disconnect();
            m_disconnect = std::exchange(o.m_disconnect, nullptr);
        }
        return *this;
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    ~Connection() { disconnect(); }
    void disconnect() {
        if (m_disconnect) std::exchange(m_disconnect, nullptr)();
    }

  private:
    std::function<void()> m_disconnect;
};

template <typename... Args> class Signal {
  public:
    using Slot = std::function<void(Args...)>;

    /// The listener stays connected as long as the returned Connection lives.
    [[nodiscard]] Connection connect(Slot slot) {
        const auto id = ++m_state->nextId;
        m_state->entries.push_back({id, std::move(slot)});
        std::weak_ptr<State> weak = m_state;
        return Connection([weak, id] {
            if (auto s = weak.lock())
                for (auto& e : s->entries)
                    if (e.id == id) e.slot = nullptr;
        });
    }

    void operator()(Args... args) const {
        auto state = m_state; // survives a listener that destroys the owner
        const std::size_t n = state->entries.size();
        for (std::size_t i = 0; i < n; ++i)
            if (auto slot = state->entries[i].slot) slot(args...);
        std::erase_if(state->entries, [](const Entry& e) { return !e.slot; });
    }

  private:
    struct Entry {
        unsigned long id;
        Slot slot;
    };
    struct State {
        std::vector<Entry> entries;
        unsigned long nextId = 0;
    };
    std::shared_ptr<State> m_state = std::make_shared<State>();
};

} // namespace velmora
