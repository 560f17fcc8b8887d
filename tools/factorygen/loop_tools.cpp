#include "loop_tools.h"

namespace velmora::factory {

PeriodicCurve::PeriodicCurve(Rng& rng, long length, int points, float lo, float hi)
    : m_length(length), m_v(static_cast<std::size_t>(std::max(points, 2))) {
    for (float& v : m_v)
        v = rng.range(lo, hi);
}

float PeriodicCurve::at(long i) const {
    const long n = static_cast<long>(m_v.size());
    const double pos = static_cast<double>(((i % m_length) + m_length) % m_length) /
                       static_cast<double>(m_length) * static_cast<double>(n);
    const long k = static_cast<long>(pos);
    const float t = static_cast<float>(pos - static_cast<double>(k));
    auto v = [&](long j) { return m_v[static_cast<std::size_t>(((j % n) + n) % n)]; };
    // Catmull-Rom through the ring of control points: smooth and exactly periodic.
    const float p0 = v(k - 1), p1 = v(k), p2 = v(k + 1), p3 = v(k + 2);
    return 0.5f * ((2 * p1) + (-p0 + p2) * t + (2 * p0 - 5 * p1 + 4 * p2 - p3) * t * t +
                   (-p0 + 3 * p1 - 3 * p2 + p3) * t * t * t);
}

void Ring::add(long at, const Buffer& event, float gain) {
    const long n = length();
    long j = ((at % n) + n) % n;
    for (float x : event) {
        m_b[static_cast<std::size_t>(j)] += gain * x;
        if (++j == n) j = 0;
    }
}

void filterCircular(Buffer& loop, Biquad filter) {
    const std::size_t warm = std::min(loop.size(), static_cast<std::size_t>(kRate));
    for (std::size_t i = loop.size() - warm; i < loop.size(); ++i)
        filter.process(loop[i]);
    filter.processInPlace(loop);
}

void addInto(Buffer& a, const Buffer& b, float gain) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i)
        a[i] += gain * b[i];
}

std::vector<long> jitteredTimes(Rng& rng, long length, float meanGap, float jitter) {
    const int count =
        std::max(1, static_cast<int>(std::lround(static_cast<double>(length) / (meanGap * kRate))));
    const double gap = static_cast<double>(length) / count;
    const double start = rng.uniform() * gap;
    std::vector<long> out;
    for (int i = 0; i < count; ++i)
        out.push_back(static_cast<long>(start + gap * (i + jitter * (rng.uniform() - 0.5))) %
                      length);
    return out;
}

std::vector<long> eventTimes(Rng& rng, long length, const PeriodicCurve& rate) {
    std::vector<long> out;
    double t = 0.0;
    while (true) {
        const float r = std::max(rate.at(static_cast<long>(t)), 0.05f);
        // Exponential gaps give the irregular spacing of independent events.
        t += -std::log(std::max(1.0 - rng.uniform(), 1e-12)) / r * kRate;
        if (t >= static_cast<double>(length)) break;
        out.push_back(static_cast<long>(t));
    }
    return out;
}

} // namespace velmora::factory
