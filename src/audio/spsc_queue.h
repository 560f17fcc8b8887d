#pragma once
// A fixed-capacity lock-free queue for exactly one producer thread and one consumer thread.
// Neither side ever blocks or allocates; a full queue refuses the push and the producer
// decides what to do. Values are copied in and out, so T should be small and trivially
// copyable in spirit (commands, pointers).

#include <array>
#include <atomic>
#include <cstddef>
#include <optional>

namespace velmora::audio {

template <typename T, std::size_t Capacity> class SpscQueue {
    static_assert(Capacity >= 2 && (Capacity & (Capacity - 1)) == 0,
                  "capacity must be a power of two");

  public:
    /// Producer only. False when the queue is full (nothing is written).
    bool push(const T& value) {
        const std::size_t head = m_head.load(std::memory_order_relaxed);
        if (head - m_tailCache == Capacity) {
            m_tailCache = m_tail.load(std::memory_order_acquire);
            if (head - m_tailCache == Capacity) return false;
        }
        m_items[head & (Capacity - 1)] = value;
        m_head.store(head + 1, std::memory_order_release);
        return true;
    }

    /// Consumer only. Empty optional when nothing is waiting.
    std::optional<T> pop() {
        const std::size_t tail = m_tail.load(std::memory_order_relaxed);
        if (tail == m_headCache) {
            m_headCache = m_head.load(std::memory_order_acquire);
            if (tail == m_headCache) return std::nullopt;
        }
        std::optional<T> value(m_items[tail & (Capacity - 1)]);
        m_tail.store(tail + 1, std::memory_order_release);
        return value;
    }

    /// Either side; a snapshot that may be stale by the time it is used.
    [[nodiscard]] bool emptyApprox() const {
        return m_head.load(std::memory_order_acquire) == m_tail.load(std::memory_order_acquire);
    }

  private:
    std::array<T, Capacity> m_items{};
    alignas(64) std::atomic<std::size_t> m_head{0}; // written by the producer
    std::size_t m_tailCache = 0;                    // producer's view of m_tail
    alignas(64) std::atomic<std::size_t> m_tail{0}; // written by the consumer
    std::size_t m_headCache = 0;                    // consumer's view of m_head
};

} // namespace velmora::audio
