// velmora_music_bench FILE: how long from play until the first frame of FILE is heard (live
// engine on the silent real-time device), how fast FILE decodes, and what a playlist of
// 10 000 entries costs in memory.
#include "audio/file_stream_source.h"
#include "audio/sound_engine.h"
#include "audio/stream_channel.h"
#include "music/playlist.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <string>
#include <thread>

using namespace velmora;
using Clock = std::chrono::steady_clock;

namespace {

long residentKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

double threadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

std::unique_ptr<audio::FileStreamSource> open(const char* path) {
    audio::DecodeError error;
    std::string detail;
    auto source = audio::FileStreamSource::open(path, error, detail);
    if (!source) std::fprintf(stderr, "cannot open %s: %s\n", path, detail.c_str());
    return source;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: velmora_music_bench FILE\n");
        return 2;
    }
    // Play to first sound: opening the file is part of it, as it is for the player.
    {
        audio::SoundEngine engine(audio::Backend::Null);
        engine.init();
        audio::StreamChannel* stream = engine.openStream();
        const auto start = Clock::now();
        auto source = open(argv[1]);
        if (!source) return 1;
        stream->play(std::move(source));
        while (stream->position() <= 0.0)
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        std::printf("play to first frame heard: %.1f ms (null device, 11.6 ms blocks)\n", ms);
    }
    // Decoding speed on one core: what the feeder thread spends per second of music.
    {
        auto source = open(argv[1]);
        if (!source) return 1;
        std::vector<float> block(2 * 4096);
        std::size_t frames = 0;
        const double cpu0 = threadCpuSeconds();
        while (const std::size_t n = source->read(block.data(), 4096))
            frames += n;
        const double cpu = threadCpuSeconds() - cpu0;
        const double seconds = static_cast<double>(frames) / audio::kSampleRate;
        std::printf("decoding: %.1f s of music in %.3f s of CPU = %.2f%% of a core while "
                    "playing\n",
                    seconds, cpu, 100.0 * cpu / seconds);
    }
    // A playlist of 10 000 entries with paths of a typical length.
    {
        const long before = residentKb();
        music::Playlist list;
        for (int i = 0; i < 10000; ++i)
            list.add("/home/someone/Music/Some Artist/Album number " + std::to_string(i / 12) +
                     "/" + std::to_string(i % 12 + 1) + " - A track title of some length.mp3");
        const long after = residentKb();
        std::printf("playlist of %d entries: %ld KiB resident\n", list.count(), after - before);
    }
    // Loading a playlist file of 100 000 lines, as the "Loa" command does on the UI thread.
    {
        const std::string file = "/tmp/velmora-music-bench.plf";
        {
            std::ofstream out(file, std::ios::binary);
            for (int i = 0; i < 100000; ++i)
                out << "/home/someone/Music/Some Artist/Album " << i / 12 << "/" << i % 12 + 1
                    << " - A track title of some length.mp3\r\n";
        }
        const auto start = Clock::now();
        const music::PlaylistRead read = music::readPlaylistFile(file);
        music::Playlist list;
        list.add(read.paths);
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        std::printf("loading a playlist file of %d lines: %.0f ms\n", list.count(), ms);
        std::remove(file.c_str());
    }
    return 0;
}
