// How fast the recorder renders: an hour of a busy soundscape (ten background loops
// drifting at the initial rate, random banks 1 and 2 firing, the ten-band equaliser and the
// reverb on), written as a WAV file; x real time, median of the runs.
//
//   velmora_recorder_bench [seconds=3600] [runs=3] [extension=.wav]
//
// The soundscape lives in a temporary program folder with generated sounds: 8 s loops and
// 1.5 s one-shots, so the mixer carries realistic voices.

#include "render.h"

#include "banks/soundscape.h"
#include "core/offline_services.h"

#include <sndfile.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include <time.h>
#include <unistd.h>

using namespace velmora;
namespace fs = std::filesystem;

namespace {

/// CPU seconds this process used: on a shared machine wall time also counts the waits.
double cpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

void writeMono(const fs::path& path, const std::vector<float>& samples) {
    fs::create_directories(path.parent_path());
    SF_INFO info{};
    info.samplerate = audio::kSampleRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    if (SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info)) {
        sf_writef_float(f, samples.data(), static_cast<sf_count_t>(samples.size()));
        sf_close(f);
    }
}

/// Low-passed noise: a rain- or wind-like texture.
std::vector<float> texture(double seconds, double smoothing, unsigned seed) {
    std::mt19937 gen(seed);
    std::normal_distribution<float> noise(0.0f, 1.0f);
    std::vector<float> out(static_cast<std::size_t>(seconds * audio::kSampleRate));
    float y = 0;
    for (auto& s : out) {
        y += static_cast<float>(smoothing) * (noise(gen) - y);
        s = 0.3f * y;
    }
    return out;
}

/// A decaying chirp, bird- or insect-like.
std::vector<float> chirp(double seconds, double hz) {
    std::vector<float> out(static_cast<std::size_t>(seconds * audio::kSampleRate));
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / audio::kSampleRate;
        out[i] = static_cast<float>(0.6 * std::exp(-3 * t) *
                                    std::sin(2 * std::numbers::pi * hz * t * (1 + 0.3 * t)));
    }
    return out;
}

void buildProgramFolder(const fs::path& dir) {
    for (int k = 1; k <= 10; ++k)
        writeMono(dir / "bin" / (std::to_string(k) + ".isz"), texture(8.0, 0.02 + 0.03 * k, k));
    for (int k = 1; k <= 28; ++k) {
        writeMono(dir / "bin" / (std::to_string(100 + k) + ".raz"), chirp(1.5, 800 + 90 * k));
        writeMono(dir / "bin" / (std::to_string(50 + k) + ".raz"), chirp(1.5, 2000 + 50 * k));
    }
    OfflineServices live(dir, 3);
    Soundscape s(live.services);
    for (int k = 1; k <= 10; ++k)
        s.backgroundOne().setOn(k, true); // drift at rate 800
    for (int bank : {1, 2})
        for (int slot = 1; slot <= 28; ++slot)
            s.randomBanks().bank(bank).setFrequency(slot, slot % 2 ? 150 : 200);
    for (Bank* b : s.banks())
        b->dosave(dir / b->stateFileName());
}

void effectsOn(Services& services, Soundscape&) {
    auto& engine = services.engine;
    const float centres[10] = {31, 62, 125, 250, 500, 1000, 2000, 4000, 8000, 16000};
    for (int band = 0; band < 10; ++band) {
        const int id = engine.enableEffect(audio::kSystemChannel, audio::EffectType::ParamEq);
        engine.setParamEq(id, centres[band], 12.0f, band % 2 ? 3.0f : -2.0f);
    }
    const int reverb = engine.enableEffect(audio::kSystemChannel, audio::EffectType::Reverb);
    engine.setReverb(reverb, audio::ReverbParams{});
}

} // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 3600.0;
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    const std::string ext = argc > 3 ? argv[3] : ".wav";

    const fs::path dir =
        fs::temp_directory_path() / ("velmora-recorder-bench-" + std::to_string(::getpid()));
    buildProgramFolder(dir / "program");

    recorder::RenderRequest request;
    request.programFolder = dir / "program";
    request.output = dir / ("out" + ext);
    request.seconds = seconds;
    request.seed = 42;
    recorder::RenderHooks hooks;
    hooks.prepare = effectsOn;
    int playing = 0;
    hooks.inspect = [&](Services& s, Soundscape&) { playing = s.engine.playingCount(); };

    std::vector<double> speeds, cpuSpeeds;
    for (int run = 1; run <= runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = cpuSeconds();
        const auto outcome = recorder::render(request, {}, nullptr, hooks);
        const double wall =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const double cpu = cpuSeconds() - cpuStart;
        if (outcome.status != recorder::RenderStatus::Finished) {
            std::fprintf(stderr, "render failed: %s\n", outcome.error.c_str());
            fs::remove_all(dir);
            return 1;
        }
        speeds.push_back(seconds / wall);
        cpuSpeeds.push_back(seconds / cpu);
        std::printf("run %d: %.0f s of audio in %.2f s wall (%.0fx real time), %.2f s CPU "
                    "(%.0fx); %d voices at the end, %.0f MB\n",
                    run, seconds, wall, seconds / wall, cpu, seconds / cpu, playing,
                    static_cast<double>(fs::file_size(request.output)) / 1e6);
        fs::remove(request.output);
    }
    std::sort(speeds.begin(), speeds.end());
    std::sort(cpuSpeeds.begin(), cpuSpeeds.end());
    std::printf("median: %.0fx real time by the wall clock, %.0fx per CPU second (%s, %d runs)\n",
                speeds[speeds.size() / 2], cpuSpeeds[cpuSpeeds.size() / 2], ext.c_str(), runs);
    fs::remove_all(dir);
    return 0;
}
