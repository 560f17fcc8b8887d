#include "factory/measures.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace velmora::factory::test {

namespace {

constexpr int kBands = 30;
constexpr double kLowHz = 50, kHighHz = 16000;

double bandEdge(int k) {
    return kLowHz * std::pow(kHighHz / kLowHz, static_cast<double>(k) / kBands);
}

double toDb(double power) {
    return 10 * std::log10(std::max(power, 1e-20));
}

double median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::nth_element(v.begin(), v.begin() + static_cast<long>(v.size() / 2), v.end());
    return v[v.size() / 2];
}

} // namespace

std::vector<double> logBandLevels(const Samples& s) {
    const auto spectrum = powerSpectrum(s);
    const double binHz =
        static_cast<double>(kRate) / static_cast<double>(2 * (spectrum.size() - 1));
    std::vector<double> bands(kBands, 0.0);
    double total = 0;
    for (std::size_t k = 1; k < spectrum.size(); ++k) {
        const double hz = static_cast<double>(k) * binHz;
        total += spectrum[k];
        if (hz < kLowHz || hz >= kHighHz) continue;
        const auto band =
            static_cast<int>(kBands * std::log(hz / kLowHz) / std::log(kHighHz / kLowHz));
        bands[static_cast<std::size_t>(std::clamp(band, 0, kBands - 1))] += spectrum[k];
    }
    // Bands 60 dB under the whole are silence to the ear; flooring them keeps empty bands
    // of two quiet-topped sounds from deciding their distance.
    for (double& b : bands)
        b = std::max(toDb(b / std::max(total, 1e-20)), -60.0);
    return bands;
}

double logSpectralDistance(const std::vector<double>& la, const std::vector<double>& lb) {
    double sum = 0;
    for (int k = 0; k < kBands; ++k) {
        const double d = la[static_cast<std::size_t>(k)] - lb[static_cast<std::size_t>(k)];
        sum += d * d;
    }
    return std::sqrt(sum / kBands);
}

std::vector<double> shapeEnvelope(const Samples& s) {
    auto e = envelope(s, 50.0);
    const double peak = e.empty() ? 0.0 : *std::max_element(e.begin(), e.end());
    for (double& v : e)
        v = peak > 0 ? v / peak : 0.0;
    return e;
}

double envelopeShapeCorrelation(std::vector<double> ea, std::vector<double> eb) {
    const std::size_t n = std::max(ea.size(), eb.size());
    if (n == 0) return 0;
    ea.resize(n, 0.0);
    eb.resize(n, 0.0);
    const double ma = std::accumulate(ea.begin(), ea.end(), 0.0) / static_cast<double>(n),
                 mb = std::accumulate(eb.begin(), eb.end(), 0.0) / static_cast<double>(n);
    double ab = 0, aa = 0, bb = 0;
    for (std::size_t i = 0; i < n; ++i) {
        ab += (ea[i] - ma) * (eb[i] - mb);
        aa += (ea[i] - ma) * (ea[i] - ma);
        bb += (eb[i] - mb) * (eb[i] - mb);
    }
    return aa > 0 && bb > 0 ? ab / std::sqrt(aa * bb) : 0.0;
}

bool nearTwins(double distanceDb, double shapeCorrelation) {
    return distanceDb < 2.5 && shapeCorrelation > 0.6;
}

SpectralEdge largestSpectralEdge(const Samples& s, double skipSeconds) {
    constexpr double fromHz = 2000;
    const int first = static_cast<int>(
        std::ceil(kBands * std::log(fromHz / kLowHz) / std::log(kHighHz / kLowHz)));
    std::vector<double> edges;
    for (int k = first; k <= kBands; ++k)
        edges.push_back(bandEdge(k));
    constexpr std::size_t size = 2048, hop = 1024;
    const auto frames = bandPowerFrames(s, edges, size, hop);
    SpectralEdge worst;
    if (frames.size() < 2) return worst;
    double loudest = 0;
    for (const auto& f : frames)
        for (double p : f)
            loudest = std::max(loudest, p);
    const double floorDb = toDb(loudest) - 45;
    const auto skip = static_cast<std::size_t>(skipSeconds * kRate / hop);
    for (std::size_t i = std::max<std::size_t>(1, skip); i < frames.size(); ++i)
        for (std::size_t k = 0; k < frames[i].size(); ++k) {
            const double before = std::max(toDb(frames[i - 1][k]), floorDb),
                         after = std::max(toDb(frames[i][k]), floorDb);
            const double jump = std::fabs(after - before);
            if (jump > worst.jumpDb)
                worst = {jump, static_cast<double>(i * hop) / kRate,
                         std::sqrt(edges[k] * edges[k + 1])};
        }
    return worst;
}

double smallSpeakerLoudness(const Samples& s) {
    Samples hp = s;
    highPass(hp, 200);
    return loudness(hp).integrated;
}

double loopRepetition(const Samples& loop) {
    Samples band = loop;
    highPass(band, 2000);
    lowPass(band, 8000);
    const auto env = envelope(band, 50.0);
    if (env.empty()) return 0;
    // Events: what stands out above the bed's running median.
    constexpr std::size_t half = 30; // 1.5 s either side
    std::vector<double> events(env.size());
    for (std::size_t i = 0; i < env.size(); ++i) {
        std::vector<double> around;
        for (std::size_t d = 0; d <= 2 * half; d += 3) // every third window is plenty
            around.push_back(env[(i + env.size() * 4 + d - half) % env.size()]);
        events[i] = std::max(0.0, env[i] - median(around));
    }
    // 120 s of playback: the loop over and over.
    const std::size_t period = env.size(), listen = 120 * 20;
    auto at = [&](std::size_t i) { return events[i % period]; };
    auto level = [&](std::size_t i) { return env[i % period]; };
    double shared = 0, power = 0;
    for (std::size_t i = 0; i < listen; ++i) {
        power += level(i) * level(i);
        if (i + period < listen) shared += at(i) * at(i + period);
    }
    return power > 0 ? shared / power : 0.0;
}

} // namespace velmora::factory::test
