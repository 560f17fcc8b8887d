// Measures the sound engine under the heaviest load the program produces: 32 looping
// voices with volume and pan through ten equaliser bands and the reverb.
//
//   velmora_engine_bench offline <input folder> <seconds> <out.wav>
//       renders to a WAV file, prints CPU seconds per second of audio
//   velmora_engine_bench realtime <input folder> <seconds>
//       plays on the null device in real time, prints the audio thread's load, then
//       the same voices with both effects off, then nothing playing and no effects
//
// The input folder holds in00.wav .. in31.wav (any format the engine reads).

#include "audio/sound_engine.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <thread>
#include <vector>

using namespace velmora::audio;

namespace {

double processCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + ts.tv_nsec * 1e-9;
}

bool setUpLoad(SoundEngine& engine, const std::string& folder, bool effects = true) {
    for (int i = 0; i < kChannelCount; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "/in%02d.wav", i);
        const SampleHandle s = engine.loadSample(folder + name);
        if (!s.valid()) {
            std::fprintf(stderr, "cannot load %s%s\n", folder.c_str(), name);
            return false;
        }
        const ChannelHandle ch = engine.play(s);
        engine.setVolume(ch, 120 + 4 * i);
        engine.setPan(ch, (i * 37) % 256);
        engine.setLoopMode(ch, kLoopNormal);
    }
    if (!effects) return true;
    const float centres[] = {80, 170, 310, 600, 1000, 3000, 6000, 12000, 14000, 16000};
    const float gains[] = {4, 2, -3, 1, -2, 3, -4, 2, 1, -1};
    std::vector<int> bands;
    for (int b = 0; b < 10; ++b)
        bands.push_back(engine.enableEffect(kSystemChannel, EffectType::ParamEq));
    for (int b = 0; b < 10; ++b)
        engine.setParamEq(bands[b], centres[b], 18.0f, gains[b]);
    engine.setReverb(engine.enableEffect(kSystemChannel, EffectType::Reverb), ReverbParams{});
    return true;
}

int offline(const std::string& folder, double seconds, const std::string& out) {
    SoundEngine engine(Backend::Offline);
    if (!setUpLoad(engine, folder)) return 1;
    const auto frames = static_cast<std::int64_t>(seconds * kSampleRate);
    const double start = processCpuSeconds();
    if (!engine.renderToFile(out, frames)) {
        std::fprintf(stderr, "cannot write %s\n", out.c_str());
        return 1;
    }
    const double cpu = processCpuSeconds() - start;
    std::printf(
        "engine: %.2f s of audio in %.4f CPU s: %.5f CPU s per s of audio (%.0f x real time)\n",
        seconds, cpu, cpu / seconds, seconds / cpu);
    std::printf("engine cpu seconds: %.6f\n", cpu);
    std::printf("effect memory: %zu bytes\n", engine.effectMemoryBytes());
    return 0;
}

void report(const char* what, const SoundEngine& engine) {
    const auto load = engine.audioLoad();
    std::printf(
        "%s: %lld blocks, average audio-thread load %.3f %% of one core, slowest block %.2f %% of "
        "its period\n",
        what, static_cast<long long>(load.blocks), 100.0 * load.averageLoad,
        100.0 * load.worstBlockLoad);
}

int realtime(const std::string& folder, double seconds) {
    {
        SoundEngine engine(Backend::Null);
        engine.init();
        if (!setUpLoad(engine, folder)) return 1;
        std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
        report("full load (32 voices, 10 bands, reverb)", engine);
    }
    {
        SoundEngine engine(Backend::Null);
        engine.init();
        if (!setUpLoad(engine, folder, false)) return 1;
        std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
        report("32 voices, equaliser and reverb off", engine);
    }
    {
        SoundEngine engine(Backend::Null);
        engine.init();
        std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
        report("idle (nothing playing, no effects)", engine);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "offline" && argc == 5) return offline(argv[2], std::atof(argv[3]), argv[4]);
    if (mode == "realtime" && argc == 4) return realtime(argv[2], std::atof(argv[3]));
    std::fprintf(stderr,
                 "usage: %s offline <inputs> <seconds> <out.wav> | realtime <inputs> <seconds>\n",
                 argv[0]);
    return 2;
}
