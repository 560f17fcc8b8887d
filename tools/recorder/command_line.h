#pragma once
// The recorder's command line. With --out it renders without a window; with nothing but
// --program-folder (and perhaps --seed) it opens the window on that soundscape, the way
// Velmora starts it on a snapshot.
//
// Thread: any (pure function).

#include "render.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace velmora::recorder {

inline constexpr const char* kUsage =
    "usage: recorder --program-folder DIR --seconds N --out FILE [--seed S] [--fade-in S] "
    "[--fade-out S] [--scenario NAME]";

struct CommandLine {
    enum class Mode { Window, Render, Help, Invalid };
    Mode mode = Mode::Window;
    std::optional<std::filesystem::path> programFolder;
    std::optional<std::uint64_t> seed;
    /// Window mode: the point the window opens centred on (Velmora's main window's centre).
    std::optional<std::pair<int, int>> centreOn;
    /// Filled as far as given (window mode: program folder and seed).
    RenderRequest request;
    bool secondsGiven = false;
    std::string error; ///< one line, when Invalid
};

/// args without the program name.
[[nodiscard]] CommandLine parseCommandLine(const std::vector<std::string>& args);

} // namespace velmora::recorder
