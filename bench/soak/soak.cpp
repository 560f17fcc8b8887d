// A day of use in minutes: the whole mixer on the offline engine in virtual time, driven by a
// user who acts at random (drawn from a seed) for a simulated number of hours. Every block
// is rendered and checked as it comes: no NaN or infinity, nothing beyond full scale after
// the limiter, every channel free again shortly after "Stop all sounds", memory flat after
// the first hour. Then the same seed is rendered again and must give the same output, bit
// for bit. Exits non-zero on the first broken promise, after saying which.
//
//   velmora_soak [--hours H] [--seed S] [--block-ms B] [--once]
//
// Smaller blocks are closer to the device's 10 ms, larger ones faster; timers still fire
// at their own times, only the audio between two control moves is rendered in one piece.

#include "reliability/reliability_rig.h"
#include "support/temp_dir.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <malloc.h>
#include <random>
#include <string>
#include <vector>

using namespace velmora;
using namespace velmora::reliability;

namespace {

constexpr std::int64_t kHourMs = 3600 * 1000;
/// Time the engine gets after "Stop all sounds" to fade its channels out (about 2 ms each).
constexpr int kStopSettleMs = 20;
constexpr long kGrowthLimitKb = 1024;
constexpr double kMeanActionGapMs = 15000;

struct Options {
    double hours = 24;
    std::uint64_t seed = 1;
    int blockMs = 10;
    bool once = false;
};

struct Outcome {
    std::uint64_t hash = 1469598103934665603ull;
    double peak = 0;
    int mostChannels = 0;
    long rssBaselineKb = 0;
    long rssEndKb = 0;
    long heapBaselineKb = 0;
    long heapEndKb = 0;
    std::int64_t stopChecks = 0;
    std::vector<std::string> faults;
};

long residentKb() {
    std::ifstream in("/proc/self/status");
    for (std::string line; std::getline(in, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

/// Bytes the program holds on the heap: what a leak grows, free of the allocator's habit of
/// keeping freed pages resident.
long heapKb() {
    return static_cast<long>(mallinfo2().uordblks / 1024);
}

double wallSeconds() {
    using namespace std::chrono;
    static const auto start = steady_clock::now();
    return duration<double>(steady_clock::now() - start).count();
}

class Renderer {
  public:
    Renderer(World& world, Outcome& out) : m_world(world), m_out(out) {}

    /// Renders ms of audio (without moving time) and checks every sample.
    void render(int ms, std::int64_t atMs) {
        const int frames = audio::kSampleRate * ms / 1000;
        m_buffer.resize(static_cast<std::size_t>(2 * frames));
        m_world.engine.render(m_buffer.data(), frames);
        for (float s : m_buffer) {
            if (!std::isfinite(s)) return fault(atMs, "a sample is not a finite number");
            const double a = std::fabs(s);
            if (a > 1.0) return fault(atMs, "a sample beyond full scale: " + std::to_string(a));
            m_out.peak = std::max(m_out.peak, a);
        }
        // FNV-1a over the bits of every sample: the re-render must match exactly.
        const auto* bytes = reinterpret_cast<const unsigned char*>(m_buffer.data());
        for (std::size_t i = 0; i < m_buffer.size() * sizeof(float); ++i)
            m_out.hash = (m_out.hash ^ bytes[i]) * 1099511628211ull;
        m_out.mostChannels = std::max(m_out.mostChannels, m_world.engine.playingCount());
    }

    void fault(std::int64_t atMs, const std::string& what) {
        if (m_out.faults.size() < 20)
            m_out.faults.push_back("at " + std::to_string(atMs / 1000.0) + " s: " + what);
    }

  private:
    World& m_world;
    Outcome& m_out;
    std::vector<float> m_buffer;
};

/// A loud, crowded start: every background slot playing, every bird of every random bank
/// firing often, every level at its top, every custom slot holding one of the user's
/// sounds. More sounds than channels and a limiter at work from the first minute; the
/// random user thins it out from there. A bird's sound is loaded when it first sings and
/// kept: with every bird heard and every custom slot filled in the first hour, the samples
/// held stay the same size from then on, and any growth is a leak.
void crowd(World& world, const std::filesystem::path& folder) {
    const auto sounds = userSounds(folder);
    std::vector<std::string> background;
    for (int n = 1; n <= kRandomSlotCount; ++n)
        (void)world.soundscape.randomBanks().custom().setSound(n, sounds[n % sounds.size()]);
    for (int n = 0; n < 17; ++n)
        background.push_back(sounds[n % sounds.size()].string());
    world.soundscape.customBackground().reloadAll(background);
    for (auto* bank : {&world.soundscape.backgroundOne(), &world.soundscape.backgroundTwo()})
        for (int n = 1; n <= 17; ++n)
            bank->setOn(n, true);
    for (int bank = 1; bank <= 4; ++bank)
        for (int n = 1; n <= kRandomSlotCount; ++n)
            world.soundscape.randomBanks().bank(bank).setFrequency(n, 200);
    for (int n = 1; n <= kRandomSlotCount; ++n)
        world.soundscape.randomBanks().custom().setFrequency(n, 200);
    for (Level level : {Level::Master, Level::Random, Level::Background})
        world.levels.set(level, levelRange(level).maximum);
}

Outcome run(const Options& o, bool report) {
    Outcome out;
    testing::TempDir folder;
    populateProgramFolder(folder.path());
    World world(folder.path(), o.seed);
    world.main.load();
    crowd(world, folder.path());
    RandomUser user(world, folder.path(), o.seed * 0x9E3779B97F4A7C15ull + 1);
    std::mt19937_64 gaps(o.seed + 2);
    std::exponential_distribution<double> gap(1.0 / kMeanActionGapMs);
    Renderer renderer(world, out);

    const auto total = static_cast<std::int64_t>(o.hours * kHourMs);
    // Memory is measured from the first hour on (or a quarter of a shorter run): by then
    // every sound has been loaded and every bank file written at least once.
    const std::int64_t baselineAt = std::min<std::int64_t>(kHourMs, total / 4);
    std::int64_t nextAction = static_cast<std::int64_t>(gap(gaps));
    std::int64_t nextHour = kHourMs;
    for (std::int64_t t = 0; t < total && out.faults.empty();) {
        const std::int64_t step = std::min<std::int64_t>(o.blockMs, total - t);
        world.timers.advance(static_cast<int>(step));
        renderer.render(static_cast<int>(step), t);
        t += step;
        if (t >= baselineAt && out.rssBaselineKb == 0) {
            out.rssBaselineKb = residentKb();
            out.heapBaselineKb = heapKb();
        }
        while (nextAction <= t) {
            if (user.act() == Action::StopAll) {
                renderer.render(kStopSettleMs, t);
                ++out.stopChecks;
                if (const int n = world.engine.playingCount(); n != 0)
                    renderer.fault(t, std::to_string(n) + " channels still busy after stop-all");
            }
            nextAction += 1 + static_cast<std::int64_t>(gap(gaps));
        }
        if (report && t >= nextHour) {
            std::printf("  hour %5.1f  rss %ld kB  heap %ld kB  channels now %d  peak %.4f  "
                        "wall %.1f s\n",
                        t / double(kHourMs), residentKb(), heapKb(), world.engine.playingCount(),
                        out.peak, wallSeconds());
            std::fflush(stdout);
            nextHour += kHourMs;
        }
    }
    // The end of the day: everything stopped must leave every channel free.
    world.main.panels().stopAllSounds();
    renderer.render(kStopSettleMs, total);
    if (const int n = world.engine.playingCount(); n != 0)
        renderer.fault(total, std::to_string(n) + " channels still busy at the end");
    if (user.fileFailures() != 0)
        renderer.fault(total, std::to_string(user.fileFailures()) + " bank-file or sound failures");
    out.rssEndKb = residentKb();
    out.heapEndKb = heapKb();
    // Resident memory also holds pages the allocator keeps after a free; the heap in use is
    // what a leak grows, and what is held to the limit.
    if (out.heapEndKb - out.heapBaselineKb > kGrowthLimitKb)
        renderer.fault(total, "heap grew by " + std::to_string(out.heapEndKb - out.heapBaselineKb) +
                                  " kB after the baseline");
    if (report) {
        static constexpr const char* kNames[] = {"slot switch", "slot move", "level move",
                                                 "mute",        "stop all",  "bank save",
                                                 "bank load",   "own sound", "auto-randomise"};
        std::printf("  actions:");
        for (int k = 0; k < kActionCount; ++k)
            std::printf(" %s %lld%s", kNames[k], static_cast<long long>(user.counts()[k]),
                        k + 1 < kActionCount ? "," : "\n");
    }
    world.main.quit(false);
    return out;
}

bool parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == "--hours" && hasValue)
            o.hours = std::atof(argv[++i]);
        else if (a == "--seed" && hasValue)
            o.seed = std::strtoull(argv[++i], nullptr, 10);
        else if (a == "--block-ms" && hasValue)
            o.blockMs = std::atoi(argv[++i]);
        else if (a == "--once")
            o.once = true;
        else
            return false;
    }
    return o.hours > 0 && o.blockMs > 0;
}

} // namespace

int main(int argc, char** argv) {
    (void)wallSeconds(); // the clock starts now
    Options o;
    if (!parse(argc, argv, o)) {
        std::fprintf(stderr, "usage: %s [--hours H] [--seed S] [--block-ms B] [--once]\n", argv[0]);
        return 2;
    }
    std::printf("soak: %.2f simulated hours, seed %llu, %d ms blocks\n", o.hours,
                static_cast<unsigned long long>(o.seed), o.blockMs);
    const Outcome first = run(o, true);
    const double firstWall = wallSeconds();
    std::printf(
        "rendered in %.1f s wall; heap %ld -> %ld kB (%+ld kB), rss %ld -> %ld kB (%+ld kB) "
        "from the baseline to the end; most channels at once %d; peak %.4f (%.2f dBFS); "
        "%lld stop-all checks; hash %016llx\n",
        firstWall, first.heapBaselineKb, first.heapEndKb, first.heapEndKb - first.heapBaselineKb,
        first.rssBaselineKb, first.rssEndKb, first.rssEndKb - first.rssBaselineKb,
        first.mostChannels, first.peak, first.peak > 0 ? 20 * std::log10(first.peak) : -999.0,
        static_cast<long long>(first.stopChecks), static_cast<unsigned long long>(first.hash));
    bool ok = first.faults.empty();
    for (const auto& f : first.faults)
        std::printf("FAULT %s\n", f.c_str());
    if (ok && !o.once) {
        const Outcome second = run(o, false);
        const bool same = second.hash == first.hash && second.faults.empty();
        std::printf("re-render: hash %016llx, %s (%.1f s wall)\n",
                    static_cast<unsigned long long>(second.hash), same ? "identical" : "DIFFERENT",
                    wallSeconds() - firstWall);
        ok = same;
    }
    std::printf("%s\n", ok ? "soak passed" : "soak FAILED");
    return ok ? 0 : 1;
}
