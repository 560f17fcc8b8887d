#include "command_line.h"

#include "sound_file_output.h"

#include <charconv>
#include <cmath>

namespace velmora::recorder {

namespace {

std::optional<double> parseSeconds(const std::string& text) {
    double v = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, v);
    if (ec != std::errc{} || ptr != end || !std::isfinite(v)) return std::nullopt;
    return v;
}

/// "X,Y" in screen pixels; either may be negative on a screen left of or above the first.
std::optional<std::pair<int, int>> parsePoint(const std::string& text) {
    const auto comma = text.find(',');
    if (comma == std::string::npos) return std::nullopt;
    int x = 0, y = 0;
    const char* end = text.data() + text.size();
    const auto [xEnd, xError] = std::from_chars(text.data(), text.data() + comma, x);
    const auto [yEnd, yError] = std::from_chars(text.data() + comma + 1, end, y);
    if (xError != std::errc{} || xEnd != text.data() + comma || yError != std::errc{} ||
        yEnd != end || comma == 0 || comma + 1 == text.size())
        return std::nullopt;
    return std::pair{x, y};
}

std::optional<std::uint64_t> parseSeed(const std::string& text) {
    std::uint64_t v = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, v);
    if (ec != std::errc{} || ptr != end || text.empty()) return std::nullopt;
    return v;
}

CommandLine invalid(std::string why) {
    CommandLine c;
    c.mode = CommandLine::Mode::Invalid;
    c.error = std::move(why);
    return c;
}

} // namespace

CommandLine parseCommandLine(const std::vector<std::string>& args) {
    CommandLine c;
    bool outGiven = false;
    bool fadeGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::optional<std::string> value;
        if (name == "--help" || name == "-h") {
            c.mode = CommandLine::Mode::Help;
            return c;
        }
        if (const auto eq = name.find('='); name.rfind("--", 0) == 0 && eq != std::string::npos) {
            value = name.substr(eq + 1);
            name = name.substr(0, eq);
        }
        const bool known = name == "--program-folder" || name == "--seconds" || name == "--out" ||
                           name == "--seed" || name == "--fade-in" || name == "--fade-out" ||
                           name == "--centre-on" || name == "--scenario";
        if (!known) return invalid("unknown argument '" + args[i] + "'");
        if (!value) {
            if (i + 1 >= args.size()) return invalid(name + " needs a value");
            value = args[++i];
        }
        if (name == "--program-folder") {
            if (value->empty()) return invalid("--program-folder needs a folder");
            c.programFolder = *value;
        } else if (name == "--out") {
            if (value->empty()) return invalid("--out needs a file name");
            if (!formatForPath(*value))
                return invalid("--out must name a .wav, .flac or .ogg file, not '" + *value + "'");
            c.request.output = *value;
            outGiven = true;
        } else if (name == "--centre-on") {
            c.centreOn = parsePoint(*value);
            if (!c.centreOn) return invalid("--centre-on needs a point X,Y, not '" + *value + "'");
        } else if (name == "--scenario") {
            if (value->empty()) return invalid("--scenario needs the name of a scenario");
            c.request.scenario = *value;
        } else if (name == "--seed") {
            const auto s = parseSeed(*value);
            if (!s) return invalid("--seed must be a whole number from 0 to 18446744073709551615");
            c.seed = *s;
        } else {
            const auto s = parseSeconds(*value);
            if (!s || *s < 0)
                return invalid(name + " must be a number of seconds, not '" + *value + "'");
            if (name == "--seconds") {
                if (*s <= 0) return invalid("--seconds must be more than 0");
                if (*s > kMaxSeconds) return invalid("--seconds can be at most 86400 (24 hours)");
                c.request.seconds = *s;
                c.secondsGiven = true;
            } else {
                (name == "--fade-in" ? c.request.fadeInSeconds : c.request.fadeOutSeconds) = *s;
                fadeGiven = true;
            }
        }
    }
    if (c.programFolder) c.request.programFolder = *c.programFolder;
    if (c.seed) c.request.seed = *c.seed;
    if (!outGiven) {
        // A length or fade without a file is a script that forgot --out, not a request
        // for a window that nobody may be there to see.
        if (c.secondsGiven || fadeGiven) return invalid("--out is required to record");
        c.mode = CommandLine::Mode::Window;
        return c;
    }
    if (!c.programFolder) return invalid("--program-folder is required with --out");
    if (!c.secondsGiven) return invalid("--seconds is required with --out");
    c.mode = CommandLine::Mode::Render;
    return c;
}

} // namespace velmora::recorder
