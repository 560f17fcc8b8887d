#pragma once
// One stream channel as the mixer sees it: the ring its feeder fills, and the volume and
// pause the UI thread sets. The mixer owns a fixed set of these for its whole life, so the
// audio thread never follows a pointer that a closing stream could free.
//
// Thread: gain, paused and open are written on the UI thread; mixInto() and the fade state
// belong to the audio thread; the ring has its own contract.

#include "audio/stream_ring.h"

#include <atomic>

namespace velmora::audio {

inline constexpr int kStreamSlots = 4;

class StreamSlot {
  public:
    StreamRing& ring() { return m_ring; }
    const StreamRing& ring() const { return m_ring; }

    /// UI thread. Linear gain, 0..1.
    void setGain(float gain) { m_gain.store(gain, std::memory_order_relaxed); }
    void setPaused(bool paused) { m_paused.store(paused, std::memory_order_relaxed); }
    void setOpen(bool open) { m_open.store(open, std::memory_order_release); }
    [[nodiscard]] bool open() const { return m_open.load(std::memory_order_acquire); }

    /// Audio thread. Adds up to n frames to the planar bus, fading over the block on volume
    /// changes, pause and resume and after a jump; a paused stream that has faded out stops
    /// taking frames, so it resumes where it was. scratch holds 2 * n floats. True while
    /// the stream carries sound.
    bool mixInto(float* left, float* right, int n, float* scratch) {
        if (!open()) {
            m_current = 0.0f;
            return false;
        }
        const bool paused = m_paused.load(std::memory_order_relaxed);
        const float target = paused ? 0.0f : m_gain.load(std::memory_order_relaxed);
        if (paused && m_current == 0.0f) return false;
        bool jumped = false;
        const int got = static_cast<int>(m_ring.read(scratch, static_cast<std::size_t>(n), jumped));
        if (jumped) m_current = 0.0f;
        const float step = (target - m_current) / static_cast<float>(n);
        float g = m_current;
        for (int i = 0; i < got; ++i) {
            g += step;
            left[i] += scratch[2 * i] * g;
            right[i] += scratch[2 * i + 1] * g;
        }
        m_current = got == n ? target : g;
        return got > 0;
    }

  private:
    StreamRing m_ring;
    std::atomic<float> m_gain{1.0f};
    std::atomic<bool> m_paused{false};
    std::atomic<bool> m_open{false};
    float m_current = 0.0f; // audio thread: gain reached at the end of the last block
};

} // namespace velmora::audio
