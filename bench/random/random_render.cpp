// A minute of random bank 1 at typical settings, rendered offline exactly as the program
// would play it (500 ms ticks in virtual time, shared generator, the real engine), written
// to a WAV file and measured: number of firings, spread of the pans drawn, peak level.
//
//   velmora_random_render <program folder> <out.wav> [seconds] [seed]

#include "banks/random/random_banks.h"
#include "core/offline_services.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace velmora;

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <program folder> <out.wav> [seconds] [seed]\n", argv[0]);
        return 2;
    }
    const int seconds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 60;
    const unsigned long long seed = argc > 4 ? std::strtoull(argv[4], nullptr, 10) : 7;
    OfflineServices world(argv[1], seed); // levels as a fresh start: master 500, random 10
    auto& engine = world.engine;
    auto& timers = world.timers;
    auto& services = world.services;
    RandomBanks banks(services);
    auto& bank = banks.bank(1);
    // Typical settings: the slot volumes at their initial 220, every other bird on at a
    // moderate frequency, a few of them often.
    for (int n = 1; n <= kRandomSlotCount; ++n)
        bank.setFrequency(n, n % 2 ? 120 : (n % 4 == 0 ? 200 : 0));

    // Each firing gives its slot a new channel; its pan is read once, when first seen.
    std::vector<int> pans;
    std::vector<audio::ChannelHandle> seen;
    SF_INFO info{};
    info.samplerate = audio::kSampleRate;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* out = sf_open(argv[2], SFM_WRITE, &info);
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    constexpr int kStepMs = 10;
    constexpr int kFrames = audio::kSampleRate * kStepMs / 1000;
    std::vector<std::int16_t> buf(2 * kFrames);
    int peak = 0;
    for (int t = 0; t < seconds * 1000; t += kStepMs) {
        timers.advance(kStepMs);
        for (int n = 1; n <= kRandomSlotCount; ++n) {
            const auto ch = bank.slot(n).channel;
            if (ch.valid() && std::find(seen.begin(), seen.end(), ch) == seen.end()) {
                seen.push_back(ch);
                pans.push_back(engine.pan(ch));
            }
        }
        engine.render(buf.data(), kFrames);
        for (auto s : buf)
            peak = std::max(peak, std::abs(static_cast<int>(s)));
        sf_writef_short(out, buf.data(), kFrames);
    }
    sf_close(out);
    const int lo = pans.empty() ? 0 : *std::min_element(pans.begin(), pans.end());
    const int hi = pans.empty() ? 0 : *std::max_element(pans.begin(), pans.end());
    double mean = 0, sd = 0;
    for (int p : pans)
        mean += p;
    mean = pans.empty() ? 0 : mean / pans.size();
    for (int p : pans)
        sd += (p - mean) * (p - mean);
    sd = pans.size() > 1 ? std::sqrt(sd / (pans.size() - 1)) : 0;
    std::printf("seconds: %d, firings: %llu (identify lines %zu)\n", seconds,
                static_cast<unsigned long long>(bank.firingCount()), banks.identify().totalAdded());
    std::printf("pans: %zu drawn, min %d, max %d, mean %.1f, sd %.1f\n", pans.size(), lo, hi, mean,
                sd);
    std::printf("peak: %d of 32767 (%.1f dBFS)\n", peak,
                peak > 0 ? 20 * std::log10(peak / 32767.0) : -999.0);
    engine.close();
    return 0;
}
