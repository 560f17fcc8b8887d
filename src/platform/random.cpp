#include "random.h"

#include "clock.h"

namespace velmora {
namespace {
std::uint64_t splitmix64(std::uint64_t& x) {
    std::uint64_t z = (x += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}
std::uint64_t rotl(std::uint64_t x, int k) {
    return (x << k) | (x >> (64 - k));
}
} // namespace

void SeededRandom::seed(std::uint64_t seed) {
    for (auto& s : m_s)
        s = splitmix64(seed);
}

double SeededRandom::next() {
    const std::uint64_t result = rotl(m_s[1] * 5, 7) * 9;
    const std::uint64_t t = m_s[1] << 17;
    m_s[2] ^= m_s[0];
    m_s[3] ^= m_s[1];
    m_s[1] ^= m_s[2];
    m_s[0] ^= m_s[3];
    m_s[2] ^= t;
    m_s[3] = rotl(m_s[3], 45);
    // 53 high bits -> [0, 1)
    return static_cast<double>(result >> 11) * 0x1.0p-53;
}

void SeededRandom::seedFromClock(const Clock& clock) {
    seed(static_cast<std::uint64_t>(clock.ticksMs()));
}

double ScriptedRandom::next() {
    ++m_draws;
    if (!m_script.empty()) {
        const double v = m_script.front();
        m_script.pop_front();
        return v;
    }
    return m_fallback.next();
}

} // namespace velmora
