// main.tmp and main2.tmp from arbitrary bytes: never a crash, and a value read from a file
// is always one a writer could have produced again.
#include "core/state/main2_state.h"
#include "core/state/main_state.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {
std::filesystem::path scratchFile() {
    static const auto path = std::filesystem::temp_directory_path() /
                             ("velmora-fuzz-main-" + std::to_string(::getpid()));
    return path;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto path = scratchFile();
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    velmora::state::MainState main;
    (void)velmora::state::readMainState(path, main);
    (void)velmora::state::mainStateBytes(main);

    velmora::state::Main2State main2;
    (void)velmora::state::readMain2State(path, main2);
    for (auto c : main2.colorSlots)
        if (c > 0xFFFFFF) std::abort();
    // Whatever was read, writing it and reading it back gives a clean file that writes
    // the same bytes again.
    const auto bytes = velmora::state::main2StateBytes(main2);
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << bytes;
    }
    velmora::state::Main2State again;
    const auto r = velmora::state::readMain2State(path, again);
    if (!r.ok() || velmora::state::main2StateBytes(again) != bytes) std::abort();
    (void)velmora::state::readOutputDeviceIndex(path);
    return 0;
}
