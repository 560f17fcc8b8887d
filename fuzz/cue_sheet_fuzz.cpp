// A cue sheet of any content opened as a CD: it opens or is refused, and whatever table of
// contents it gives can be walked and read within its bounds.
#include "platform/cd/libcdio_drives.h"

#include "fuzz_check.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {
std::filesystem::path g_dir;
void removeDir() {
    std::error_code ec;
    std::filesystem::remove_all(g_dir, ec);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::filesystem::path dir = [] {
        g_dir = std::filesystem::temp_directory_path() /
                ("velmora-cue-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(g_dir);
        std::atexit(removeDir);
        const auto& d = g_dir;
        // The data file most sheets name: a second of silence.
        std::ofstream(d / "disc.bin", std::ios::binary) << std::string(75 * 2352, '\0');
        return d;
    }();
    std::ofstream(dir / "disc.cue", std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

    velmora::cd::LibcdioDrives drives;
    std::string why;
    auto drive = drives.open((dir / "disc.cue").string(), why);
    velmora::fuzz::require(drive != nullptr || !why.empty());
    if (!drive) return 0;
    const auto toc = drive->toc();
    std::int64_t previousEnd = toc.tracks.empty() ? 0 : toc.tracks.front().start;
    for (const auto& t : toc.tracks) {
        velmora::fuzz::require(t.sectors > 0 && t.start >= previousEnd);
        previousEnd = t.start + t.sectors;
    }
    if (!toc.tracks.empty()) {
        std::int16_t sector[588 * 2 * 2];
        velmora::fuzz::require(drive->readAudio(toc.tracks.front().start, 2, sector) <= 2);
    }
    return 0;
}
