#pragma once
// Tools that make loops seamless by construction.
//
// - PeriodicCurve: a smooth random curve that repeats exactly once per loop, for slow
//   changes of intensity, cut-off or density; its value at the end meets its start.
// - Ring: a loop-long buffer in which events (drops, calls, crackles) are placed at random;
//   an event that runs past the end continues at the start, as it would on the next pass.
// - seamlessBed: renders a continuous texture a little longer than the loop and blends its
//   overlong tail over the start with an equal-power crossfade, so the last sample flows
//   into the first one exactly as in the rendered texture.
//
// Threads: owned by the one worker thread rendering the loop.

#include "dsp.h"

namespace velmora::factory {

class PeriodicCurve {
  public:
    /// `points` control points over `length` frames, values uniform in [lo, hi).
    PeriodicCurve(Rng& rng, long length, int points, float lo, float hi);
    /// Value at frame i (any integer; wraps).
    float at(long i) const;

  private:
    long m_length;
    std::vector<float> m_v;
};

class Ring {
  public:
    explicit Ring(long length) : m_b(static_cast<std::size_t>(length), 0.0f) {}
    /// Adds an event starting at frame `at`, wrapping past the end.
    void add(long at, const Buffer& event, float gain = 1.0f);
    long length() const { return static_cast<long>(m_b.size()); }
    Buffer& buffer() { return m_b; }

  private:
    Buffer m_b;
};

/// Calls next(i) for i = 0 .. length + fade - 1 and folds the overlong tail over the start.
template <class Gen> Buffer seamlessBed(long length, Gen&& next, long fade = frames(2.0)) {
    Buffer raw(static_cast<std::size_t>(length + fade));
    for (long i = 0; i < length + fade; ++i)
        raw[static_cast<std::size_t>(i)] = next(i);
    Buffer out(raw.begin(), raw.begin() + length);
    for (long i = 0; i < fade; ++i) {
        const double u = (static_cast<double>(i) + 0.5) / static_cast<double>(fade);
        const float in = static_cast<float>(std::sin(0.5 * std::numbers::pi * u));
        const float outGain = static_cast<float>(std::cos(0.5 * std::numbers::pi * u));
        out[static_cast<std::size_t>(i)] = in * raw[static_cast<std::size_t>(i)] +
                                           outGain * raw[static_cast<std::size_t>(length + i)];
    }
    return out;
}

/// Runs a filter over a loop as a ring: warmed up on the loop's last second first, so the
/// start hears the ringing of the end as it will on the next pass.
void filterCircular(Buffer& loop, Biquad filter);

/// Adds b into a (same length).
void addInto(Buffer& a, const Buffer& b, float gain = 1.0f);

/// Events that come round roughly regularly (waves, laps): about meanGap seconds apart,
/// each moved by up to +-jitter/2 of a gap, evenly spread round the loop so the gap across
/// the seam is like any other.
std::vector<long> jitteredTimes(Rng& rng, long length, float meanGap, float jitter);

/// Poisson-like event times over a loop whose rate (events per second) follows `rate`.
std::vector<long> eventTimes(Rng& rng, long length, const PeriodicCurve& rate);

} // namespace velmora::factory
