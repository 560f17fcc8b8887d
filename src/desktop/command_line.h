#pragma once
// The command line of the velmora executable, and the one-line form in which a second start
// hands its command to the instance already running. Both directions are parsed here so the
// running instance trusts nothing it did not check itself.
//
// Thread: any (pure functions).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::desktop {

enum class Action {
    Start,
    Scenario,
    Preset,
    Mute,
    Unmute,
    ToggleMute,
    StopAll,
    Show,
    Quit,
    Help,
    Version
};

struct Command {
    Action action = Action::Start;
    std::string scenario; ///< Action::Scenario: the name without ".vlm"
    int preset = 0;       ///< Action::Preset: 1..14
    bool verbose = false; ///< the sound libraries' own complaints reach the terminal
    bool operator==(const Command&) const = default;
};

struct ParsedCommandLine {
    std::optional<Command> command; ///< empty: error says why
    std::string error;
};

inline constexpr int kFirstPreset = 1;
inline constexpr int kLastPreset = 14;

/// arguments: without the program name.
[[nodiscard]] ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments);
[[nodiscard]] std::string usageLine();
[[nodiscard]] std::string helpText();

/// One line, without its line end; Help, Version and Start have no wire form (empty).
[[nodiscard]] std::string encodeCommand(const Command& command);
/// Empty for anything that is not exactly what encodeCommand makes.
[[nodiscard]] std::optional<Command> decodeCommand(std::string_view line);

} // namespace velmora::desktop
