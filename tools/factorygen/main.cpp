// factorygen: writes Velmora's factory library (sounds, tones, pictures, folders) into a
// program folder. Deterministic: the same generator writes the same bytes on every run.
//
//   factorygen <program folder> [--only <text>] [--threads <n>]
//
// --only renders just the entries whose path contains the text (for sound-design work).
#include "catalogue.h"
#include "mastering.h"
#include "pictures.h"
#include "recipes.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;
using namespace velmora::factory;

namespace {

// FNV-1a over the path: each sound's seed depends only on its own name, so adding or
// reordering entries never changes the other sounds.
std::uint64_t seedFor(const std::string& path) {
    std::uint64_t h = 0xcbf29ce484222325ULL;
    for (unsigned char c : path)
        h = (h ^ c) * 0x100000001b3ULL;
    return h;
}

struct Job {
    std::string path;
    double cost; // rough seconds of work, to start the longest jobs first
    std::function<bool(const fs::path& root)> run;
};

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr,
                     "usage: factorygen <program folder> [--only <text>] [--threads <n>]\n");
        return 2;
    }
    const fs::path root = argv[1];
    std::string only;
    unsigned threads = std::max(1u, std::min(2u, std::thread::hardware_concurrency()));
    for (int i = 2; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--only") == 0)
            only = argv[i + 1];
        else if (std::strcmp(argv[i], "--threads") == 0)
            threads = static_cast<unsigned>(std::max(1, std::atoi(argv[i + 1])));
    }
    const auto started = std::chrono::steady_clock::now();

    std::error_code ec;
    for (const std::string& folder : factoryFolders()) {
        fs::create_directories(root / folder, ec);
        if (ec) {
            std::fprintf(stderr, "factorygen: cannot create %s: %s\n", (root / folder).c_str(),
                         ec.message().c_str());
            return 1;
        }
    }

    std::vector<Job> jobs;
    for (const Entry& e : catalogue()) {
        if (!only.empty() && e.path.find(only) == std::string::npos) continue;
        // Long loops go first so that no single one runs on alone at the end.
        const double cost = e.kind == Kind::OneShot ? 1.0 : loopSeconds(e) / 5.0;
        jobs.push_back({e.path, cost, [&e](const fs::path& r) {
                            Rng rng(seedFor(e.path));
                            Buffer b = renderEntry(e, rng);
                            master(b, e.kind);
                            return writeAudio(r / e.path, b, e.format);
                        }});
    }
    for (const Picture& p : pictures()) {
        if (!only.empty() && p.path.find(only) == std::string::npos) continue;
        jobs.push_back({p.path, p.width / 1000.0, [&p](const fs::path& r) {
                            return writeJpeg(r / p.path, renderScene(p.scene, p.width, p.height),
                                             p.width, p.height);
                        }});
    }
    std::stable_sort(jobs.begin(), jobs.end(),
                     [](const Job& a, const Job& b) { return a.cost > b.cost; });

    std::atomic<std::size_t> next{0};
    std::atomic<bool> failed{false};
    std::mutex printLock;
    auto worker = [&] {
        for (std::size_t i = next++; i < jobs.size(); i = next++) {
            const auto t0 = std::chrono::steady_clock::now();
            if (!jobs[i].run(root)) failed = true;
            const double took =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
            std::lock_guard lock(printLock);
            std::printf("  %5.2f s  %s\n", took, jobs[i].path.c_str());
            std::fflush(stdout);
        }
    };
    std::vector<std::thread> pool;
    for (unsigned t = 0; t < threads; ++t)
        pool.emplace_back(worker);
    for (auto& t : pool)
        t.join();

    std::uintmax_t bytes = 0;
    for (const auto& f : fs::recursive_directory_iterator(root, ec))
        if (f.is_regular_file()) bytes += f.file_size();
    const double secs =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("factorygen: %zu files in %.1f s on %u threads; program folder holds %.1f MB\n",
                jobs.size(), secs, threads, static_cast<double>(bytes) / 1e6);
    return failed ? 1 : 0;
}
