#include "mastering.h"

#include <ebur128.h>
#include <sndfile.h>

#include <cstdint>
#include <cstdio>
#include <deque>
#include <numbers>

namespace velmora::factory {

namespace {

constexpr float kSilence = 1e-4f; // -80 dBFS

// Catmull-Rom estimate of the largest inter-sample value between i and i+1; close enough to
// true peak for deciding limiter gain (the final check uses the R128 true-peak meter).
float localPeak(const Buffer& b, std::size_t i, bool circular) {
    const std::size_t n = b.size();
    auto at = [&](long j) {
        if (circular)
            return b[static_cast<std::size_t>(((j % static_cast<long>(n)) + static_cast<long>(n)) %
                                              static_cast<long>(n))];
        if (j < 0 || j >= static_cast<long>(n)) return 0.0f;
        return b[static_cast<std::size_t>(j)];
    };
    const long k = static_cast<long>(i);
    const float p0 = at(k - 1), p1 = at(k), p2 = at(k + 1), p3 = at(k + 2);
    float m = std::fabs(p1);
    for (float t : {0.25f, 0.5f, 0.75f}) {
        const float v =
            0.5f * ((2 * p1) + (-p0 + p2) * t + (2 * p0 - 5 * p1 + 4 * p2 - p3) * t * t +
                    (-p0 + 3 * p1 - 3 * p2 + p3) * t * t * t);
        m = std::max(m, std::fabs(v));
    }
    return m;
}

// Gain reduction that brings every (estimated) peak under ceiling: per-sample required gain,
// a running minimum over +-radius, then a moving average over +-radius, which can only
// lower the gain at a peak. Circular for loops so the seam sees the same gain on both sides.
void limit(Buffer& b, float ceiling, bool circular) {
    const std::size_t n = b.size();
    if (n == 0) return;
    std::vector<float> need(n);
    bool any = false;
    for (std::size_t i = 0; i < n; ++i) {
        const float p = localPeak(b, i, circular);
        need[i] = p > ceiling ? ceiling / p : 1.0f;
        any = any || need[i] < 1.0f;
    }
    if (!any) return;
    const long r = frames(0.004);
    const long ln = static_cast<long>(n);
    auto idx = [&](long j) -> long {
        if (circular) return ((j % ln) + ln) % ln;
        return std::clamp(j, 0L, ln - 1);
    };
    // Running minimum with a monotonic deque over the window [i - r, i + r].
    std::vector<float> held(n);
    std::deque<long> dq;
    for (long j = -r; j < ln + r; ++j) {
        const float v = need[static_cast<std::size_t>(idx(j))];
        while (!dq.empty() && need[static_cast<std::size_t>(idx(dq.back()))] >= v)
            dq.pop_back();
        dq.push_back(j);
        const long centre = j - r;
        if (centre < 0) continue;
        while (dq.front() < centre - r)
            dq.pop_front();
        held[static_cast<std::size_t>(centre)] = need[static_cast<std::size_t>(idx(dq.front()))];
    }
    double sum = 0.0;
    for (long j = -r; j <= r; ++j)
        sum += held[static_cast<std::size_t>(idx(j))];
    for (long i = 0; i < ln; ++i) {
        b[static_cast<std::size_t>(i)] *= static_cast<float>(sum / static_cast<double>(2 * r + 1));
        sum += held[static_cast<std::size_t>(idx(i + r + 1))] -
               held[static_cast<std::size_t>(idx(i - r))];
    }
}

// 3 kHz high-pass over a loop as a ring (warmed up on the loop's last second).
void filterCircularHp(Buffer& b) {
    Biquad hp = Biquad::highpass(3000.0f);
    const std::size_t warm = std::min(b.size(), static_cast<std::size_t>(kRate));
    for (std::size_t i = b.size() - warm; i < b.size(); ++i)
        hp.process(b[i]);
    hp.processInPlace(b);
}

void scale(Buffer& b, double db) {
    const float g = static_cast<float>(std::pow(10.0, db / 20.0));
    for (float& x : b)
        x *= g;
}

// 16-bit rounding as the file will hold it, so measurements see what the engine will play.
Buffer quantised(const Buffer& b) {
    Buffer q(b.size());
    for (std::size_t i = 0; i < b.size(); ++i)
        q[i] = std::round(std::clamp(b[i], -1.0f, 32767.0f / 32768.0f) * 32768.0f) / 32768.0f;
    return q;
}

} // namespace

Loudness measureLoudness(const Buffer& b) {
    Loudness out;
    ebur128_state* st =
        ebur128_init(1, kRate, EBUR128_MODE_I | EBUR128_MODE_M | EBUR128_MODE_TRUE_PEAK);
    if (!st) return out;
    const std::size_t hop = kRate / 10;
    auto feed = [&](const float* p, std::size_t count) {
        ebur128_add_frames_float(st, p, count);
        double m = 0.0;
        if (ebur128_loudness_momentary(st, &m) == EBUR128_SUCCESS && std::isfinite(m))
            out.momentaryMaxLufs = std::max(out.momentaryMaxLufs, m);
    };
    for (std::size_t i = 0; i < b.size(); i += hop)
        feed(b.data() + i, std::min(hop, b.size() - i));
    // Trailing silence lets a sound shorter than the 400 ms window be measured whole.
    const Buffer zeros(hop, 0.0f);
    for (int k = 0; k < 4; ++k)
        feed(zeros.data(), zeros.size());
    double v = 0.0;
    if (ebur128_loudness_global(st, &v) == EBUR128_SUCCESS && std::isfinite(v))
        out.integratedLufs = v;
    if (ebur128_true_peak(st, 0, &v) == EBUR128_SUCCESS && v > 0)
        out.truePeakDb = 20.0 * std::log10(v);
    ebur128_destroy(&st);
    return out;
}

void trimOneShot(Buffer& b) {
    const float peak = peakOf(b);
    if (peak <= 0) return;
    // Start 2 ms before the sound reaches -40 dB of its peak, fading in over those 2 ms.
    std::size_t first = 0;
    while (first < b.size() && std::fabs(b[first]) < peak * 0.01f)
        ++first;
    const auto lead = static_cast<std::size_t>(frames(0.002));
    first = first > lead ? first - lead : 0;
    std::size_t last = b.size();
    while (last > first + 1 && std::fabs(b[last - 1]) < peak * kSilence)
        --last;
    b = Buffer(b.begin() + static_cast<long>(first), b.begin() + static_cast<long>(last));
    const std::size_t in = std::min<std::size_t>(b.size() / 4, lead);
    for (std::size_t i = 0; i < in; ++i)
        b[i] *= static_cast<float>(i) / static_cast<float>(in);
    const std::size_t out =
        std::min<std::size_t>(b.size() / 4, static_cast<std::size_t>(frames(0.03)));
    for (std::size_t i = 0; i < out; ++i) { // i counts back from the last sample, which ends at 0
        const float u = static_cast<float>(i) / static_cast<float>(out);
        b[b.size() - 1 - i] *= 0.5f - 0.5f * std::cos(std::numbers::pi_v<float> * u);
    }
}

static void addAmbience(Buffer& b) {
    // Open air around the source: a faint, short diffuse tail (parallel combs into all-passes),
    // so every one-shot dies away naturally instead of stopping dead.
    b.resize(b.size() + static_cast<std::size_t>(frames(0.8)), 0.0f);
    const int combDelay[4] = {1116, 1188, 1277, 1356};
    const int allpassDelay[2] = {556, 441};
    const float rt60 = 0.45f;
    Buffer wet(b.size(), 0.0f);
    for (int d : combDelay) {
        const float g = std::pow(10.0f, -3.0f * static_cast<float>(d) / (rt60 * kRate));
        std::vector<float> line(static_cast<std::size_t>(d), 0.0f);
        OnePole damp(5000.0f);
        std::size_t k = 0;
        for (std::size_t i = 0; i < b.size(); ++i) {
            const float y = line[k];
            line[k] = b[i] + g * damp.process(y);
            wet[i] += y * 0.25f;
            if (++k == line.size()) k = 0;
        }
    }
    for (int d : allpassDelay) {
        std::vector<float> line(static_cast<std::size_t>(d), 0.0f);
        std::size_t k = 0;
        for (float& x : wet) {
            const float buf = line[k];
            const float y = -0.5f * x + buf;
            line[k] = x + 0.5f * buf;
            x = y;
            if (++k == line.size()) k = 0;
        }
    }
    for (std::size_t i = 0; i < b.size(); ++i)
        b[i] += 0.12f * wet[i];
}

// A seamless loop may start anywhere: start it at its calmest 50 ms of high-frequency
// energy, so not even a listener waiting for the loop point hears anything there.
static void rotateToCalmestPoint(Buffer& b) {
    if (b.size() < static_cast<std::size_t>(kRate)) return;
    Buffer hp = b;
    filterCircularHp(hp);
    const auto w = static_cast<std::size_t>(frames(0.01));
    const std::size_t windows = hp.size() / w;
    std::vector<double> e(windows, 0.0);
    for (std::size_t k = 0; k < windows; ++k)
        for (std::size_t i = 0; i < w; ++i)
            e[k] += static_cast<double>(hp[k * w + i]) * hp[k * w + i];
    std::size_t best = 0;
    double bestSum = -1;
    for (std::size_t k = 0; k < windows; ++k) {
        double sum = 0;
        for (std::size_t j = 0; j < 5; ++j)
            sum += e[(k + windows - 2 + j) % windows];
        if (bestSum < 0 || sum < bestSum) bestSum = sum, best = k;
    }
    std::rotate(b.begin(), b.begin() + static_cast<long>(best * w + w / 2), b.end());
}

void master(Buffer& b, Kind kind) {
    if (peakOf(b) <= 0) return;
    const bool circular = kind != Kind::OneShot;
    if (kind == Kind::OneShot) {
        addAmbience(b);
        trimOneShot(b);
    } else if (kind == Kind::Loop) {
        rotateToCalmestPoint(b);
    }
    normalisePeak(b, 0.5f);
    const float ceiling = static_cast<float>(std::pow(10.0, (kTruePeakCeilingDb - 0.3) / 20.0));
    for (int pass = 0; pass < 4; ++pass) {
        const Loudness l = measureLoudness(b);
        const double current = kind == Kind::OneShot ? l.momentaryMaxLufs : l.integratedLufs;
        const double target = kind == Kind::OneShot ? kOneShotMomentaryLufs : kLoopLufs;
        if (std::fabs(current - target) < 0.05) break;
        scale(b, target - current);
        // Tones are pure sines: limiting would distort them; they never come near the ceiling.
        if (kind != Kind::Tone) limit(b, ceiling, circular);
    }
    // The limiter estimate is close but not exact: lower the whole sound by whatever the
    // 16-bit file would still exceed.
    for (int pass = 0; pass < 3; ++pass) {
        const double tp = measureLoudness(quantised(b)).truePeakDb;
        if (tp <= kTruePeakCeilingDb - 0.05) break;
        scale(b, kTruePeakCeilingDb - 0.1 - tp);
    }
}

bool writeAudio(const std::filesystem::path& path, const Buffer& b, Format format) {
    SF_INFO info{};
    info.samplerate = kRate;
    info.channels = 1;
    info.format = (format == Format::Flac ? SF_FORMAT_FLAC : SF_FORMAT_WAV) | SF_FORMAT_PCM_16;
    const std::filesystem::path tmp = path.string() + ".part";
    SNDFILE* f = sf_open(tmp.c_str(), SFM_WRITE, &info);
    if (!f) {
        std::fprintf(stderr, "factorygen: cannot write %s: %s\n", path.c_str(),
                     sf_strerror(nullptr));
        return false;
    }
    std::vector<short> pcm(b.size());
    for (std::size_t i = 0; i < b.size(); ++i)
        pcm[i] = static_cast<short>(std::lround(std::clamp(b[i] * 32768.0f, -32768.0f, 32767.0f)));
    const sf_count_t written = sf_write_short(f, pcm.data(), static_cast<sf_count_t>(pcm.size()));
    sf_close(f);
    if (written != static_cast<sf_count_t>(pcm.size())) {
        std::fprintf(stderr, "factorygen: short write to %s\n", path.c_str());
        return false;
    }
    std::error_code ec;
    std::filesystem::rename(tmp, path, ec);
    if (ec)
        std::fprintf(stderr, "factorygen: cannot rename %s: %s\n", tmp.c_str(),
                     ec.message().c_str());
    return !ec;
}

} // namespace velmora::factory
