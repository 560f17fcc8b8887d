#include "factory/factory_support.h"

#include <ebur128.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

namespace velmora::factory::test {

namespace fs = std::filesystem;

fs::path programFolder() {
    return fs::path(VELMORA_PROGRAM_DIR);
}

bool libraryExpected() {
#ifdef VELMORA_FACTORY_GENERATED
    return true;
#else
    return false;
#endif
}

Samples decode(const fs::path& p, int* rate, int* channels) {
    SF_INFO info{};
    SNDFILE* f = sf_open(p.c_str(), SFM_READ, &info);
    if (!f) return {};
    Samples inter(static_cast<std::size_t>(info.frames * info.channels));
    const sf_count_t got = sf_readf_float(f, inter.data(), info.frames);
    sf_close(f);
    if (rate) *rate = info.samplerate;
    if (channels) *channels = info.channels;
    Samples mono(static_cast<std::size_t>(got));
    for (std::size_t i = 0; i < mono.size(); ++i) {
        float sum = 0;
        for (int c = 0; c < info.channels; ++c)
            sum += inter[i * static_cast<std::size_t>(info.channels) + static_cast<std::size_t>(c)];
        mono[i] = sum / static_cast<float>(info.channels);
    }
    return mono;
}

namespace {

// True peak, measured (4x oversampled, R128 meter) only around samples above -8 dBFS. An
// inter-sample peak is a weighted sum of its neighbours whose weights add up to well under
// 2, so where every sample nearby stays below -8 dBFS it cannot reach -1 dBTP; skipping
// those stretches keeps the test fast without weakening the -1 dBTP check.
double truePeakDb(const Samples& s) {
    constexpr std::size_t w = 1024;
    constexpr float loud = 0.4f;
    double peak = 0;
    for (float x : s)
        peak = std::max(peak, static_cast<double>(std::fabs(x)));
    const std::size_t windows = (s.size() + w - 1) / w;
    std::vector<bool> flagged(windows, false);
    for (std::size_t i = 0; i < s.size(); ++i)
        if (std::fabs(s[i]) >= loud) flagged[i / w] = true;
    for (std::size_t k = 0; k < windows;) {
        if (!flagged[k]) {
            ++k;
            continue;
        }
        std::size_t end = k;
        while (end < windows && flagged[end])
            ++end;
        const std::size_t from = (k > 0 ? k - 1 : 0) * w, to = std::min(s.size(), (end + 1) * w);
        ebur128_state* st = ebur128_init(1, kRate, EBUR128_MODE_TRUE_PEAK);
        ebur128_add_frames_float(st, s.data() + from, to - from);
        double v = 0;
        if (ebur128_true_peak(st, 0, &v) == EBUR128_SUCCESS) peak = std::max(peak, v);
        ebur128_destroy(&st);
        k = end;
    }
    return peak > 0 ? 20 * std::log10(peak) : -200.0;
}

} // namespace

Loudness loudness(const Samples& s) {
    Loudness out;
    ebur128_state* st = ebur128_init(1, kRate, EBUR128_MODE_I | EBUR128_MODE_M);
    const std::size_t hop = kRate / 10;
    auto feed = [&](const float* p, std::size_t n) {
        ebur128_add_frames_float(st, p, n);
        double m;
        if (ebur128_loudness_momentary(st, &m) == EBUR128_SUCCESS && std::isfinite(m))
            out.momentaryMax = std::max(out.momentaryMax, m);
    };
    for (std::size_t i = 0; i < s.size(); i += hop)
        feed(s.data() + i, std::min(hop, s.size() - i));
    const Samples zeros(hop, 0.0f);
    for (int k = 0; k < 4; ++k)
        feed(zeros.data(), hop);
    double v;
    if (ebur128_loudness_global(st, &v) == EBUR128_SUCCESS && std::isfinite(v)) out.integrated = v;
    ebur128_destroy(&st);
    out.truePeakDb = truePeakDb(s);
    return out;
}

namespace {

void fft(std::vector<std::complex<double>>& a) {
    const std::size_t n = a.size();
    for (std::size_t i = 1, j = 0; i < n; ++i) {
        std::size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j) std::swap(a[i], a[j]);
    }
    for (std::size_t len = 2; len <= n; len <<= 1) {
        const double ang = -2 * std::numbers::pi / static_cast<double>(len);
        const std::complex<double> wl(std::cos(ang), std::sin(ang));
        for (std::size_t i = 0; i < n; i += len) {
            std::complex<double> w(1);
            for (std::size_t k = 0; k < len / 2; ++k) {
                const auto u = a[i + k], v = a[i + k + len / 2] * w;
                a[i + k] = u + v;
                a[i + k + len / 2] = u - v;
                w *= wl;
            }
        }
    }
}

constexpr std::size_t kFft = 4096;

} // namespace

std::vector<double> powerSpectrum(const Samples& s, std::size_t maxWindows) {
    std::vector<double> p(kFft / 2 + 1, 0.0);
    if (s.size() < kFft) return p;
    const std::size_t windows = (s.size() - kFft) / (kFft / 2) + 1;
    const std::size_t step = std::max<std::size_t>(1, windows / maxWindows);
    std::vector<std::complex<double>> a(kFft);
    for (std::size_t w = 0; w < windows; w += step) {
        const std::size_t o = w * (kFft / 2);
        for (std::size_t i = 0; i < kFft; ++i)
            a[i] = s[o + i] *
                   (0.5 - 0.5 * std::cos(2 * std::numbers::pi * static_cast<double>(i) / kFft));
        fft(a);
        for (std::size_t k = 0; k < p.size(); ++k)
            p[k] += std::norm(a[k]);
    }
    return p;
}

double bandFraction(const std::vector<double>& spectrum, double lo, double hi) {
    double in = 0, all = 0;
    for (std::size_t k = 1; k < spectrum.size(); ++k) {
        const double hz = static_cast<double>(k) * kRate / kFft;
        all += spectrum[k];
        if (hz >= lo && hz < hi) in += spectrum[k];
    }
    return all > 0 ? in / all : 0.0;
}

double medianPitch(const Samples& s, double minHz, double maxHz) {
    constexpr std::size_t n = 2048;
    if (s.size() < 2 * n) return 0;
    std::vector<double> energy;
    for (std::size_t o = 0; o + n <= s.size(); o += n / 2) {
        double e = 0;
        for (std::size_t i = 0; i < n; ++i)
            e += s[o + i] * s[o + i];
        energy.push_back(e);
    }
    const double loud = *std::max_element(energy.begin(), energy.end()) * 0.2;
    std::vector<double> pitches;
    std::vector<std::complex<double>> a(2 * n);
    const auto minLag = static_cast<std::size_t>(kRate / maxHz),
               maxLag = static_cast<std::size_t>(kRate / minHz);
    for (std::size_t f = 0; f < energy.size(); ++f) {
        if (energy[f] < loud) continue;
        std::fill(a.begin(), a.end(), 0.0);
        for (std::size_t i = 0; i < n; ++i)
            a[i] = s[f * n / 2 + i];
        fft(a);
        for (auto& x : a)
            x = std::norm(x);
        fft(a); // the autocorrelation (real and even, so a forward transform serves)
        const double r0 = a[0].real();
        // The first lag whose correlation comes near the best one: the period, not a multiple.
        double best = 0;
        for (std::size_t lag = minLag; lag <= maxLag && lag < n; ++lag)
            best = std::max(best, a[lag].real());
        if (best < 0.45 * r0) continue;
        for (std::size_t lag = minLag; lag <= maxLag && lag < n; ++lag) {
            const double v = a[lag].real();
            if (v >= 0.85 * best && v >= a[lag - 1].real() && v >= a[lag + 1].real()) {
                pitches.push_back(kRate / static_cast<double>(lag));
                break;
            }
        }
    }
    if (pitches.empty()) return 0;
    std::nth_element(pitches.begin(), pitches.begin() + static_cast<long>(pitches.size() / 2),
                     pitches.end());
    return pitches[pitches.size() / 2];
}

std::vector<double> envelope(const Samples& s, double ms) {
    const auto w = static_cast<std::size_t>(ms * kRate / 1000);
    std::vector<double> out;
    for (std::size_t o = 0; o + w <= s.size(); o += w) {
        double e = 0;
        for (std::size_t i = 0; i < w; ++i)
            e += s[o + i] * s[o + i];
        out.push_back(std::sqrt(e / static_cast<double>(w)));
    }
    return out;
}

int burstCount(const Samples& s, double ms) {
    const auto env = envelope(s, ms);
    if (env.empty()) return 0;
    const double top = *std::max_element(env.begin(), env.end());
    int bursts = 0;
    bool armed = true;
    for (double v : env) {
        if (armed && v > 0.5 * top) {
            ++bursts;
            armed = false;
        } else if (v < 0.25 * top) {
            armed = true;
        }
    }
    return bursts;
}

namespace {

// One RBJ biquad section, Butterworth Q, run in place.
void biquad(Samples& s, double hz, bool high) {
    const double w = 2 * std::numbers::pi * hz / kRate, cw = std::cos(w),
                 alpha = std::sin(w) / (2 * 0.7071);
    const double a0 = 1 + alpha;
    const double b0 = (high ? (1 + cw) : (1 - cw)) / 2 / a0, b1 = (high ? -(1 + cw) : 1 - cw) / a0,
                 b2 = b0, a1 = -2 * cw / a0, a2 = (1 - alpha) / a0;
    double z1 = 0, z2 = 0;
    for (float& x : s) {
        const double y = b0 * x + z1;
        z1 = b1 * x - a1 * y + z2;
        z2 = b2 * x - a2 * y;
        x = static_cast<float>(y);
    }
}

} // namespace

void highPass(Samples& s, double hz) {
    biquad(s, hz, true);
}

void lowPass(Samples& s, double hz) {
    biquad(s, hz, false);
}

std::vector<std::vector<double>> bandPowerFrames(const Samples& s,
                                                 const std::vector<double>& edgesHz,
                                                 std::size_t size, std::size_t hop) {
    std::vector<std::vector<double>> out;
    if (edgesHz.size() < 2) return out;
    std::vector<std::complex<double>> a(size);
    const double binHz = static_cast<double>(kRate) / static_cast<double>(size);
    for (std::size_t o = 0; o + size <= s.size(); o += hop) {
        for (std::size_t i = 0; i < size; ++i)
            a[i] = s[o + i] * (0.5 - 0.5 * std::cos(2 * std::numbers::pi * static_cast<double>(i) /
                                                    static_cast<double>(size)));
        fft(a);
        std::vector<double> bands(edgesHz.size() - 1, 0.0);
        for (std::size_t k = 1; k <= size / 2; ++k) {
            const double hz = static_cast<double>(k) * binHz;
            const auto it = std::upper_bound(edgesHz.begin(), edgesHz.end(), hz);
            if (it == edgesHz.begin() || it == edgesHz.end()) continue;
            bands[static_cast<std::size_t>(it - edgesHz.begin() - 1)] += std::norm(a[k]);
        }
        out.push_back(std::move(bands));
    }
    return out;
}

double envelopeBeatHz(const Samples& s, double minHz, double maxHz) {
    // Power envelope, smoothed well below the carriers and decimated to 441 Hz.
    constexpr int decim = 100;
    std::vector<double> env;
    double y1 = 0, y2 = 0;
    const double a = 1 - std::exp(-2 * std::numbers::pi * 50.0 / kRate);
    for (std::size_t i = 0; i < s.size(); ++i) {
        y1 += a * (s[i] * s[i] - y1);
        y2 += a * (y1 - y2);
        if (i % decim == 0) env.push_back(y2);
    }
    double mean = 0;
    for (double v : env)
        mean += v;
    mean /= static_cast<double>(env.size());
    const double rate = static_cast<double>(kRate) / decim;
    auto power = [&](double hz) {
        std::complex<double> acc = 0;
        const std::complex<double> step = std::polar(1.0, -2 * std::numbers::pi * hz / rate);
        std::complex<double> w = 1;
        for (double v : env) {
            acc += (v - mean) * w;
            w *= step;
        }
        return std::norm(acc);
    };
    double best = minHz, bestP = -1;
    for (double hz = minHz; hz <= maxHz; hz += 0.02) {
        const double p = power(hz);
        if (p > bestP) bestP = p, best = hz;
    }
    double lo = best - 0.02, hi = best + 0.02;
    for (int i = 0; i < 30; ++i) { // golden-section style narrowing around the peak
        const double m1 = lo + (hi - lo) / 3, m2 = hi - (hi - lo) / 3;
        if (power(m1) < power(m2))
            lo = m1;
        else
            hi = m2;
    }
    return (lo + hi) / 2;
}

std::vector<Entry> entriesOf(Kind k) {
    std::vector<Entry> out;
    for (const Entry& e : catalogue())
        if (e.kind == k) out.push_back(e);
    return out;
}

} // namespace velmora::factory::test
