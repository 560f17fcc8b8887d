#pragma once
// The one process-wide uniform generator in [0, 1). Every random draw of every bank comes
// from here, in a defined order, so tests can script exact draws and the recorder can
// reproduce a render from a seed.

#include <cstdint>
#include <deque>

namespace velmora {

class Clock;

class Random {
  public:
    virtual ~Random() = default;
    /// Uniform in [0, 1).
    [[nodiscard]] virtual double next() = 0;
    virtual void seed(std::uint64_t seed) = 0;
    /// Reseeds from the clock; only where the behaviour says so (e.g. "random scenario").
    virtual void seedFromClock(const Clock& clock) = 0;
};

/// Deterministic 64-bit generator (xoshiro256** seeded through splitmix64).
class SeededRandom final : public Random {
  public:
    explicit SeededRandom(std::uint64_t seed = 0x5eed5eedULL) { this->seed(seed); }
    [[nodiscard]] double next() override;
    void seed(std::uint64_t seed) override;
    void seedFromClock(const Clock& clock) override;

  private:
    std::uint64_t m_s[4]{};
};

/// Hands out scripted values first, then falls back to a seeded sequence.
class ScriptedRandom final : public Random {
  public:
    void push(double value) { m_script.push_back(value); }
    [[nodiscard]] std::size_t remaining() const { return m_script.size(); }
    [[nodiscard]] std::uint64_t drawCount() const { return m_draws; }
    [[nodiscard]] double next() override;
    void seed(std::uint64_t seed) override { m_fallback.seed(seed); }
    void seedFromClock(const Clock&) override { ++m_clockSeeds; }
    [[nodiscard]] int clockSeedCount() const { return m_clockSeeds; }

  private:
    std::deque<double> m_script;
    SeededRandom m_fallback{1};
    std::uint64_t m_draws = 0;
    int m_clockSeeds = 0;
};

} // namespace velmora
