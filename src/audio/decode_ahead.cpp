#include "audio/decode_ahead.h"

namespace velmora::audio {

DecodeAhead::DecodeAhead(Decode decode) : m_decode(std::move(decode)) {}

DecodeAhead::~DecodeAhead() {
    join();
}

void DecodeAhead::join() {
    if (m_worker.joinable()) m_worker.join();
}

void DecodeAhead::start(std::vector<std::string> paths) {
    join();
    std::lock_guard lock(m_mutex);
    m_results.clear();
    for (const auto& path : paths)
        m_results.emplace(path, std::nullopt);
    if (m_results.empty()) return;
    m_busy = true;
    m_worker = std::thread([this, batch = std::move(paths)]() mutable { run(std::move(batch)); });
}

void DecodeAhead::run(std::vector<std::string> paths) {
    for (const auto& path : paths) {
        {
            // A path listed twice is decoded once.
            std::lock_guard lock(m_mutex);
            const auto it = m_results.find(path);
            if (it == m_results.end() || it->second) continue;
        }
        DecodeResult result = m_decode(path);
        std::lock_guard lock(m_mutex);
        if (const auto it = m_results.find(path); it != m_results.end())
            it->second = std::move(result);
        m_ready.notify_all();
    }
    std::lock_guard lock(m_mutex);
    m_busy = false;
    m_ready.notify_all();
}

bool DecodeAhead::busy() const {
    std::lock_guard lock(m_mutex);
    return m_busy;
}

std::optional<DecodeResult> DecodeAhead::take(const std::string& path) {
    std::unique_lock lock(m_mutex);
    const auto it = m_results.find(path);
    if (it == m_results.end()) return std::nullopt;
    m_ready.wait(lock, [&] { return it->second.has_value() || !m_busy; });
    std::optional<DecodeResult> result = std::move(it->second);
    m_results.erase(it);
    return result;
}

void DecodeAhead::clear() {
    join();
    std::lock_guard lock(m_mutex);
    m_results.clear();
}

} // namespace velmora::audio
