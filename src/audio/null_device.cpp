#include "audio/output_device.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <ctime>

namespace velmora::audio {
namespace {

std::int64_t threadCpuNanos() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<std::int64_t>(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

} // namespace

NullDevice::NullDevice(Mixer& mixer) : m_mixer(mixer), m_thread([this] { run(); }) {}

NullDevice::~NullDevice() {
    stop();
}

void NullDevice::stop() {
    m_stop.store(true);
    if (m_thread.joinable()) m_thread.join();
}

void NullDevice::run() {
    using clock = std::chrono::steady_clock;
    const auto period = std::chrono::nanoseconds(1'000'000'000LL * kBlock / kSampleRate);
    std::array<float, 2 * kBlock> scratch{};
    auto next = clock::now();
    while (!m_stop.load(std::memory_order_relaxed)) {
        const std::int64_t before = threadCpuNanos();
        m_mixer.process(scratch.data(), kBlock);
        const std::int64_t spent = threadCpuNanos() - before;
        m_blocks.fetch_add(1, std::memory_order_relaxed);
        m_cpuNanos.fetch_add(spent, std::memory_order_relaxed);
        if (spent > m_worstNanos.load(std::memory_order_relaxed))
            m_worstNanos.store(spent, std::memory_order_relaxed);
        next += period;
        const auto now = clock::now();
        // After a long stall (suspend, debugger) carry on from now instead of racing to
        // catch up: a sound card would have dropped that time too.
        if (now - next > std::chrono::seconds(1)) next = now;
        std::this_thread::sleep_until(next);
    }
}

AudioLoadStats NullDevice::load() const {
    AudioLoadStats s;
    s.blocks = m_blocks.load();
    const double blockNanos = 1e9 * kBlock / kSampleRate;
    if (s.blocks > 0) {
        s.averageLoad =
            static_cast<double>(m_cpuNanos.load()) / (blockNanos * static_cast<double>(s.blocks));
        s.worstBlockLoad = static_cast<double>(m_worstNanos.load()) / blockNanos;
    }
    return s;
}

} // namespace velmora::audio
