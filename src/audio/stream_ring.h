#pragma once
// The lock-free ring between a stream's feeder thread and the audio thread: interleaved
// stereo float frames at 44 100 Hz. Frame counters only ever grow, so "where the listener
// is" (consumed) and "where the feeder is" (written) are absolute frame numbers of the
// stream that the UI thread can compare with the points where one source gave way to the
// next.
//
// Thread: write(), space() and skipWritten() on the feeder side (one thread at a time);
// read() on the audio thread; written(), consumed() and skipTarget() on any thread.

#include <algorithm>
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>

namespace velmora::audio {

class StreamRing {
  public:
    static constexpr std::size_t kFrames = std::size_t{1} << 15; ///< 0.74 s at 44 100 Hz

    /// Feeder. Frames that fit without overwriting what the listener has not heard.
    [[nodiscard]] std::size_t space() const {
        return kFrames - static_cast<std::size_t>(m_written.load(std::memory_order_relaxed) -
                                                  m_consumed.load(std::memory_order_acquire));
    }
    /// Feeder. Appends min(frames, space()) frames; returns how many.
    std::size_t write(const float* stereo, std::size_t frames) {
        const std::uint64_t w = m_written.load(std::memory_order_relaxed);
        const std::size_t n = std::min(frames, space());
        for (std::size_t i = 0; i < n; ++i) {
            const std::size_t at = 2 * ((w + i) & (kFrames - 1));
            m_frames[at] = stereo[2 * i];
            m_frames[at + 1] = stereo[2 * i + 1];
        }
        m_written.store(w + n, std::memory_order_release);
        return n;
    }
    /// Feeder. Everything written so far is dropped unheard (a new source, a seek); the
    /// listener jumps to what is written next.
    void skipWritten() {
        m_skipTo.store(m_written.load(std::memory_order_relaxed), std::memory_order_release);
    }

    /// Audio thread. Reads up to frames into stereo; sets jumped when a skip was taken
    /// (the caller fades in, since the sound changed abruptly).
    std::size_t read(float* stereo, std::size_t frames, bool& jumped) {
        std::uint64_t r = m_consumed.load(std::memory_order_relaxed);
        const std::uint64_t w = m_written.load(std::memory_order_acquire);
        const std::uint64_t skip = m_skipTo.load(std::memory_order_acquire);
        jumped = skip > r;
        if (jumped) r = skip;
        const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(frames, w - r));
        for (std::size_t i = 0; i < n; ++i) {
            const std::size_t at = 2 * ((r + i) & (kFrames - 1));
            stereo[2 * i] = m_frames[at];
            stereo[2 * i + 1] = m_frames[at + 1];
        }
        m_consumed.store(r + n, std::memory_order_release);
        return n;
    }

    [[nodiscard]] std::uint64_t written() const {
        return m_written.load(std::memory_order_acquire);
    }
    /// The next frame the listener will hear, counting a skip that is still pending.
    [[nodiscard]] std::uint64_t heard() const {
        return std::max(m_consumed.load(std::memory_order_acquire),
                        m_skipTo.load(std::memory_order_acquire));
    }

  private:
    std::array<float, 2 * kFrames> m_frames{};
    alignas(64) std::atomic<std::uint64_t> m_written{0};
    alignas(64) std::atomic<std::uint64_t> m_consumed{0};
    alignas(64) std::atomic<std::uint64_t> m_skipTo{0};
};

} // namespace velmora::audio
