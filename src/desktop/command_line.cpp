#include "command_line.h"

#include "platform/instance_channel.h"

#include <array>
#include <charconv>

namespace velmora::desktop {

namespace {
constexpr std::string_view kWirePrefix = "velmora-1 ";

struct Verb {
    Action action;
    std::string_view name;
};
// Option names are also the verbs of the wire form.
constexpr std::array kVerbs{
    Verb{Action::Scenario, "scenario"},
    Verb{Action::Preset, "preset"},
    Verb{Action::Mute, "mute"},
    Verb{Action::Unmute, "unmute"},
    Verb{Action::ToggleMute, "toggle-mute"},
    Verb{Action::StopAll, "stop-all"},
    Verb{Action::Show, "show"},
    Verb{Action::Quit, "quit"},
    Verb{Action::Help, "help"},
    Verb{Action::Version, "version"},
};

const Verb* verbNamed(std::string_view name) {
    for (const Verb& v : kVerbs)
        if (v.name == name) return &v;
    return nullptr;
}

std::string_view verbName(Action action) {
    for (const Verb& v : kVerbs)
        if (v.action == action) return v.name;
    return {};
}

bool takesValue(Action action) {
    return action == Action::Scenario || action == Action::Preset;
}

std::optional<int> presetNumber(std::string_view text) {
    int n = 0;
    const auto* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, n);
    if (text.empty() || ec != std::errc{} || ptr != end || n < kFirstPreset || n > kLastPreset)
        return std::nullopt;
    return n;
}

/// A scenario name is a file name in the scenario folder: no folders, no control characters.
bool isPlainName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    for (const char c : name)
        if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            return false;
    return true;
}

/// Sets the value of an option that takes one; an empty error means it was taken.
std::string setValue(Command& command, std::string_view value) {
    if (command.action == Action::Scenario) {
        if (!isPlainName(value)) return "--scenario needs the name of a scenario";
        command.scenario = std::string(value);
    } else {
        const auto n = presetNumber(value);
        if (!n) return "--preset needs a number from 1 to 14";
        command.preset = *n;
    }
    return {};
}
} // namespace

std::string usageLine() {
    return "Usage: velmora [--verbose] [--scenario NAME | --preset N | --mute | --unmute | "
           "--toggle-mute | --stop-all | --show | --quit | --help | --version]";
}

std::string helpText() {
    return usageLine() + "\n"
                         "Starts Velmora, or hands the command to the Velmora already running.\n"
                         "  --scenario NAME  load the scenario NAME\n"
                         "  --preset N       load preset N (1-14)\n"
                         "  --mute           mute the soundscape\n"
                         "  --unmute         give the soundscape its level back\n"
                         "  --toggle-mute    mute, or unmute when muted\n"
                         "  --stop-all       stop every sound of every bank\n"
                         "  --show           bring the window forward\n"
                         "  --quit           save everything and quit\n"
                         "  --verbose        let the sound libraries report on the terminal\n"
                         "  --help           show this text\n"
                         "  --version        show the version\n";
}

ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    Command command;
    bool haveAction = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string_view arg = arguments[i];
        if (arg == "--verbose") {
            command.verbose = true;
            continue;
        }
        if (!arg.starts_with("--")) return {{}, "unexpected argument \"" + std::string(arg) + "\""};
        std::string_view name = arg.substr(2);
        std::optional<std::string_view> inlineValue;
        if (const auto eq = name.find('='); eq != std::string_view::npos) {
            inlineValue = name.substr(eq + 1);
            name = name.substr(0, eq);
        }
        const Verb* verb = verbNamed(name);
        if (!verb) return {{}, "unknown option --" + std::string(name)};
        if (haveAction) return {{}, "give one command at a time"};
        haveAction = true;
        command.action = verb->action;
        if (!takesValue(verb->action)) {
            if (inlineValue) return {{}, "--" + std::string(name) + " takes no value"};
            continue;
        }
        std::string_view value;
        if (inlineValue) {
            value = *inlineValue;
        } else if (i + 1 < arguments.size()) {
            value = arguments[++i];
        } else {
            return {{}, "--" + std::string(name) + " needs a value"};
        }
        if (std::string error = setValue(command, value); !error.empty()) return {{}, error};
    }
    return {command, {}};
}

std::string encodeCommand(const Command& command) {
    if (command.action == Action::Start || command.action == Action::Help ||
        command.action == Action::Version)
        return {};
    std::string line(kWirePrefix);
    line += verbName(command.action);
    if (command.action == Action::Scenario) line += " " + command.scenario;
    if (command.action == Action::Preset) line += " " + std::to_string(command.preset);
    return line;
}

std::optional<Command> decodeCommand(std::string_view line) {
    if (line.size() > kMaxInstanceMessageBytes || !line.starts_with(kWirePrefix))
        return std::nullopt;
    line.remove_prefix(kWirePrefix.size());
    const auto space = line.find(' ');
    const Verb* verb = verbNamed(line.substr(0, space));
    if (!verb || verb->action == Action::Help || verb->action == Action::Version)
        return std::nullopt;
    Command command;
    command.action = verb->action;
    if (!takesValue(verb->action)) {
        if (space != std::string_view::npos) return std::nullopt;
        return command;
    }
    if (space == std::string_view::npos || !setValue(command, line.substr(space + 1)).empty())
        return std::nullopt;
    return command;
}

} // namespace velmora::desktop
