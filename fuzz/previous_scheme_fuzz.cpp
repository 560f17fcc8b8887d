// previous.tmp as the editor meets it: a file on disk, possibly damaged, read by "restore
// previous". The scheme it restores is either the file's whole or what was shown before.
#include "appearance/scheme_file.h"
#include "fuzz_check.h"

#include <filesystem>
#include <fstream>
#include <unistd.h>

using velmora::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Memory-backed where there is such a folder: the write-back flushes to disk each run.
    static const auto folder = std::filesystem::is_directory("/dev/shm")
                                   ? std::filesystem::path("/dev/shm")
                                   : std::filesystem::temp_directory_path();
    static const auto path =
        folder / ("velmora-previous-fuzz-" + std::to_string(::getpid()) + ".tmp");
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    velmora::ColorScheme before;
    before.backColor = 0x010203;
    velmora::ColorScheme scheme = before;
    const auto result = velmora::appearance::readSchemeFile(path, scheme);
    if (!result.ok()) require(scheme == before);
    // The editor writes it back on its next activation: that write must read back whole.
    require(velmora::appearance::writeSchemeFile(path, scheme).ok());
    velmora::ColorScheme again;
    require(velmora::appearance::readSchemeFile(path, again).ok() && again == scheme);
    std::filesystem::remove(path);
    return 0;
}
