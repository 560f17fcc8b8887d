// What drifting costs on the UI thread, and what the loops cost in memory.
//
//   velmora_background_bench [program folder] [seconds]
//
// 1. Banks one and two with all 34 slots on at rate 999 (a step every 5 ms each, about
//    6 800 steps a second) on Qt's event loop with the engine on its null device (mixing on
//    its own thread at real-time pace). Prints the UI thread's CPU milliseconds per second,
//    first for the controllers alone, then with bank one's panel shown (offscreen platform;
//    the main window shows one panel at a time, and hidden panels do not redraw).
// 2. Every loop of both banks, the tone bank and the start-up sound loaded: peak resident
//    memory.
//
// Without a program folder holding bin/1.isz (the factory library), 30-second noise loops
// are generated in a temporary folder instead.

#include "banks/background/background_bank.h"
#include "banks/background/bw_bank.h"
#include "platform/qt/qt_timer_service.h"
#include "ui/banks/background/background_bank_view.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

using namespace velmora;
namespace fs = std::filesystem;

namespace {

double threadCpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

long statusKb(const char* key) {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(key, 0) == 0) return std::atol(line.c_str() + std::string(key).size());
    return -1;
}

void writeNoiseWav(const fs::path& path, int seconds, unsigned seed) {
    const std::uint32_t frames = 44100u * static_cast<std::uint32_t>(seconds);
    std::ofstream out(path, std::ios::binary);
    auto put = [&](std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out.put(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    out.write("RIFF", 4);
    put(36 + frames * 4, 4);
    out.write("WAVEfmt ", 8);
    put(16, 4);
    put(1, 2);
    put(2, 2);
    put(44100, 4);
    put(44100 * 4, 4);
    put(4, 2);
    put(16, 2);
    out.write("data", 4);
    put(frames * 4, 4);
    std::mt19937 gen(seed);
    std::normal_distribution<float> n(0.0f, 3000.0f);
    float l = 0, r = 0;
    for (std::uint32_t i = 0; i < frames; ++i) {
        l = 0.9f * l + 0.1f * n(gen);
        r = 0.9f * r + 0.1f * n(gen);
        put(static_cast<std::uint16_t>(static_cast<std::int16_t>(l * 3)), 2);
        put(static_cast<std::uint16_t>(static_cast<std::int16_t>(r * 3)), 2);
    }
}

fs::path generatedFolder() {
    const fs::path dir = fs::temp_directory_path() / "velmora-background-bench";
    fs::create_directories(dir / "bin");
    std::printf("no factory loops: generating 30 s stereo noise loops in %s\n", dir.c_str());
    std::vector<std::string> names;
    for (int k = 1; k <= 17; ++k) {
        names.push_back(std::to_string(k) + ".isz");
        names.push_back(std::to_string(50 + k) + ".isz");
    }
    for (int k = 1; k <= 16; ++k)
        names.push_back("b" + std::to_string(k) + ".isx");
    names.push_back("51.raz");
    unsigned seed = 1;
    for (const auto& name : names)
        if (!fs::exists(dir / "bin" / name)) writeNoiseWav(dir / "bin" / name, 30, seed++);
    return dir;
}

struct World {
    audio::SoundEngine engine{audio::Backend::Null};
    QtTimerService timers;
    SeededRandom random{7};
    SystemClock clock;
    ScriptedDialogs dialogs;
    MemorySettingsStore settings;
    RecordingShell shell;
    ProgramFolder folder;
    Levels levels;
    Services services{engine, timers, random, clock, dialogs, settings, shell, folder, levels};
    explicit World(const fs::path& dir) : folder(dir) { engine.init(); }
};

// Runs the event loop for `seconds`; returns UI-thread CPU ms per wall second.
double measure(double seconds, long& steps) {
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(seconds * 1000), &loop, &QEventLoop::quit);
    const long before = steps;
    QElapsedTimer wall;
    wall.start();
    const double cpu0 = threadCpuMs();
    loop.exec();
    const double cpu = threadCpuMs() - cpu0;
    const double wallS = static_cast<double>(wall.elapsed()) / 1000.0;
    std::printf("    %.0f drift steps a second\n", static_cast<double>(steps - before) / wallS);
    return cpu / wallS;
}

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    fs::path dir = argc > 1 ? fs::path(argv[1]) : fs::path(VELMORA_PROGRAM_DIR);
    if (!fs::exists(dir / "bin" / "1.isz")) dir = generatedFolder();
    const double seconds = argc > 2 ? std::atof(argv[2]) : 10.0;

    const long rssStart = statusKb("VmRSS:");
    {
        World w(dir);
        BackgroundBank one(w.services, backgroundBankOne());
        BackgroundBank two(w.services, backgroundBankTwo());
        long steps = 0;
        Connection c1 = one.slotChanged.connect([&](int) { ++steps; });
        Connection c2 = two.slotChanged.connect([&](int) { ++steps; });
        for (auto* bank : {&one, &two})
            for (int n = 1; n <= BackgroundSlots::kAudibleSlots; ++n) {
                bank->setRate(n, 999);
                bank->setOn(n, true);
            }
        std::printf("34 slots at rate 999, %.0f s each run (%d channels playing)\n", seconds,
                    w.engine.playingCount());
        std::printf("  controllers only:            %.2f ms CPU per second on the UI thread\n",
                    measure(seconds, steps));
        // The main window shows one bank panel at a time.
        BackgroundBankView v1(one, w.levels), v2(two, w.levels);
        v1.resize(1100, 700);
        v1.show();
        std::printf("  with bank one's panel shown: %.2f ms CPU per second on the UI thread\n",
                    measure(seconds, steps));
        const auto load = w.engine.audioLoad();
        std::printf("  audio thread: average load %.3f, worst block %.3f\n", load.averageLoad,
                    load.worstBlockLoad);
    }
    {
        World w(dir);
        BackgroundBank one(w.services, backgroundBankOne());
        BackgroundBank two(w.services, backgroundBankTwo());
        BwBank bw(w.services);
        one.activate();
        std::int64_t frames = 0;
        for (auto* bank : {&one, &two})
            for (int n = 1; n <= BackgroundSlots::kAudibleSlots; ++n) {
                bank->setOn(n, true); // loads the loop
                bank->setOn(n, false);
                frames += w.engine.sampleFrames(bank->voice(n).sample());
            }
        for (int n = 1; n <= BwBank::kSlots; ++n) {
            bw.setOn(n, true);
            frames += w.engine.sampleFrames(bw.voice(n).sample());
        }
        bw.stopAll();
        std::printf("every loop loaded (34 background, 16 tones, start-up sound):\n"
                    "  %.1f MB of samples (%.0f s of audio), resident %ld MB (before: %ld MB), "
                    "peak %ld MB\n",
                    static_cast<double>(frames) * 2 / 1e6, static_cast<double>(frames) / 44100.0,
                    statusKb("VmRSS:") / 1024, rssStart / 1024, statusKb("VmHWM:") / 1024);
    }
    return 0;
}
