#include "cd/media_control.h"

#include "platform/ascii_case.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <optional>

namespace velmora::cd {

namespace {
using Words = std::vector<std::string>;

/// Splits at blanks; a double-quoted run is one word without its quotes.
Words split(const std::string& text) {
    Words words;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ' || text[i] == '\t') {
            ++i;
            continue;
        }
        std::string word;
        if (text[i] == '"') {
            const auto close = text.find('"', i + 1);
            const auto stop = close == std::string::npos ? text.size() : close;
            word = text.substr(i + 1, stop - i - 1);
            i = stop + 1;
        } else {
            while (i < text.size() && text[i] != ' ' && text[i] != '\t')
                word += text[i++];
        }
        words.push_back(std::move(word));
    }
    return words;
}

bool is(const Words& w, std::size_t i, std::string_view word) {
    return i < w.size() && equalsIgnoringCase(w[i], word);
}

bool isFlag(const std::string& word) {
    return equalsIgnoringCase(word, "wait") || equalsIgnoringCase(word, "notify") ||
           equalsIgnoringCase(word, "shareable");
}

/// Drops the flags that change nothing here, so the rest can be read by position.
Words withoutFlags(Words w) {
    std::erase_if(w, isFlag);
    return w;
}

std::optional<std::int64_t> number(std::string_view text) {
    std::int64_t value = 0;
    const auto* end = text.data() + text.size();
    const auto [p, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc{} || p != end || value < 0) return std::nullopt;
    return value;
}

/// "a:b:c" into up to `most` numbers; empty when a field is not a number.
std::vector<std::int64_t> fields(const std::string& text, std::size_t most) {
    std::vector<std::int64_t> out;
    std::size_t start = 0;
    while (true) {
        const auto colon = text.find(':', start);
        const auto n = number(std::string_view(text).substr(
            start, colon == std::string::npos ? std::string::npos : colon - start));
        if (!n || out.size() == most) return {};
        out.push_back(*n);
        if (colon == std::string::npos) return out;
        start = colon + 1;
    }
}

std::int64_t msfSectors(std::int64_t m, std::int64_t s, std::int64_t f) {
    return (m * 60 + s) * kSectorsPerSecond + f;
}

std::string twoDigits(std::int64_t v) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "%02lld", static_cast<long long>(v));
    return buf;
}

std::string msfText(std::int64_t sectors) {
    return twoDigits(sectors / (60 * kSectorsPerSecond)) + ":" +
           twoDigits(sectors / kSectorsPerSecond % 60) + ":" +
           twoDigits(sectors % kSectorsPerSecond);
}

const CdTrack* trackAt(const CdToc& toc, std::int64_t sector) {
    const CdTrack* found = toc.tracks.empty() ? nullptr : &toc.tracks.front();
    for (const auto& t : toc.tracks)
        if (t.start <= sector) found = &t;
    return found;
}

const CdTrack* trackNumbered(const CdToc& toc, std::int64_t number) {
    for (const auto& t : toc.tracks)
        if (t.number == number) return &t;
    return nullptr;
}

McReply fail(McError e) {
    return {e, {}};
}
McReply reply(std::string text) {
    return {McError::None, std::move(text)};
}
} // namespace

const char* errorText(McError error) {
    switch (error) {
    case McError::None:
        return "The command succeeded.";
    case McError::UnrecognizedCommand:
        return "The command is not recognized.";
    case McError::MissingParameter:
        return "The command needs a parameter it was not given.";
    case McError::BadParameter:
        return "A parameter is out of range or not valid for this disc.";
    case McError::UnknownDevice:
        return "No device is open under that name.";
    case McError::AliasInUse:
        return "The alias is already in use.";
    case McError::UnsupportedType:
        return "Only the cdaudio device type is supported.";
    case McError::CannotOpen:
        return "The drive or image could not be opened.";
    case McError::NotReady:
        return "There is no disc in the drive.";
    case McError::CannotEject:
        return "The drive cannot open its door.";
    case McError::OutputUnavailable:
        return "The sound engine has no channel for the CD.";
    }
    return "";
}

MediaControl::MediaControl(CdDrives& drives, CdOutput& output)
    : m_drives(drives), m_output(output) {}

MediaControl::~MediaControl() {
    for (auto& [alias, d] : m_devices)
        release(d);
}

McReply MediaControl::send(const std::string& command) {
    const Words w = withoutFlags(split(command));
    if (w.empty()) return fail(McError::UnrecognizedCommand);
    if (is(w, 0, "open")) return open(w);
    if (is(w, 0, "close")) return close(w);
    if (w.size() < 2) return fail(McError::MissingParameter);
    const auto it = m_devices.find(asciiLowered(w[1]));
    if (it == m_devices.end()) return fail(McError::UnknownDevice);
    Device& d = it->second;
    if (is(w, 0, "set")) return set(d, w);
    if (is(w, 0, "play")) return play(d, w);
    if (is(w, 0, "seek")) return seek(d, w);
    if (is(w, 0, "status")) return status(d, w);
    if (is(w, 0, "pause")) return pause(d);
    if (is(w, 0, "stop")) return stop(d);
    if (is(w, 0, "resume")) {
        if (d.mode != Mode::Paused) return reply({});
        return play(d, {w[0], w[1]});
    }
    return fail(McError::UnrecognizedCommand);
}

McReply MediaControl::open(const Words& w) {
    if (w.size() < 2) return fail(McError::MissingParameter);
    std::string name = w[1];
    std::string alias;
    for (std::size_t i = 2; i < w.size(); i += 2) {
        if (i + 1 >= w.size()) return fail(McError::MissingParameter);
        if (is(w, i, "type")) {
            if (!equalsIgnoringCase(w[i + 1], "cdaudio")) return fail(McError::UnsupportedType);
        } else if (is(w, i, "alias")) {
            alias = asciiLowered(w[i + 1]);
        } else {
            return fail(McError::UnrecognizedCommand);
        }
    }
    // "open cdaudio" names no drive: the first the system lists.
    if (equalsIgnoringCase(name, "cdaudio")) {
        const auto found = m_drives.list();
        if (found.empty()) return fail(McError::CannotOpen);
        name = found.front();
    }
    if (alias.empty()) alias = asciiLowered(name);
    if (m_devices.count(alias)) return fail(McError::AliasInUse);
    std::string why;
    auto drive = m_drives.open(name, why);
    if (!drive) return fail(McError::CannotOpen);
    Device d;
    d.name = name;
    d.drive = std::move(drive);
    m_devices.emplace(alias, std::move(d));
    return reply({});
}

McReply MediaControl::close(const Words& w) {
    if (w.size() < 2) return fail(McError::MissingParameter);
    if (equalsIgnoringCase(w[1], "all")) {
        for (auto& [alias, d] : m_devices)
            release(d);
        m_devices.clear();
        return reply({});
    }
    const auto it = m_devices.find(asciiLowered(w[1]));
    if (it == m_devices.end()) return fail(McError::UnknownDevice);
    release(it->second);
    m_devices.erase(it);
    return reply({});
}

McReply MediaControl::set(Device& d, const Words& w) {
    if (is(w, 2, "time") && is(w, 3, "format") && w.size() == 5) {
        if (is(w, 4, "tmsf"))
            d.format = Format::Tmsf;
        else if (is(w, 4, "msf"))
            d.format = Format::Msf;
        else if (is(w, 4, "milliseconds") || is(w, 4, "ms"))
            d.format = Format::Milliseconds;
        else
            return fail(McError::BadParameter);
        return reply({});
    }
    if (is(w, 2, "door") && w.size() == 4) {
        if (is(w, 3, "open")) {
            // The channel lets go of the disc before the tray takes it away.
            release(d);
            if (d.mode == Mode::Playing || d.mode == Mode::Paused) d.mode = Mode::Stopped;
            if (!d.drive->eject()) return fail(McError::CannotEject);
            d.mode = Mode::Open;
            return reply({});
        }
        if (is(w, 3, "closed")) {
            if (d.mode == Mode::Open) d.mode = Mode::Stopped;
            const auto toc = d.drive->toc();
            d.position = toc.tracks.empty() ? 0 : toc.tracks.front().start;
            return reply({});
        }
    }
    return fail(McError::UnrecognizedCommand);
}

McReply MediaControl::play(Device& d, const Words& w) {
    settle(d);
    if (d.mode == Mode::Open || !d.drive->mediaPresent()) return fail(McError::NotReady);
    const CdToc toc = d.drive->toc();
    if (toc.tracks.empty()) return fail(McError::NotReady);
    std::int64_t from = -1, to = toc.end();
    for (std::size_t i = 2; i < w.size(); i += 2) {
        if (i + 1 >= w.size()) return fail(McError::MissingParameter);
        const auto at = parsePosition(d, w[i + 1]);
        if (at < 0) return fail(McError::BadParameter);
        if (is(w, i, "from"))
            from = at;
        else if (is(w, i, "to"))
            to = at;
        else
            return fail(McError::UnrecognizedCommand);
    }
    if (from < 0 && to == toc.end() && d.mode == Mode::Paused && m_playing == &d) {
        m_output.setPaused(false);
        d.mode = Mode::Playing;
        return reply({});
    }
    if (from < 0) from = positionOf(d);
    if (from >= to) return fail(McError::BadParameter);
    if (!m_output.available()) return fail(McError::OutputUnavailable);
    release(d);
    if (!m_output.start(std::make_unique<CdTrackSource>(d.drive, from, to)))
        return fail(McError::OutputUnavailable);
    m_playing = &d;
    d.playStart = from;
    d.playEnd = to;
    d.position = from;
    d.mode = Mode::Playing;
    return reply({});
}

McReply MediaControl::seek(Device& d, const Words& w) {
    if (!is(w, 2, "to") || w.size() != 4) return fail(McError::MissingParameter);
    if (d.mode == Mode::Open || !d.drive->mediaPresent()) return fail(McError::NotReady);
    const CdToc toc = d.drive->toc();
    std::int64_t at = -1;
    if (is(w, 3, "start"))
        at = toc.tracks.empty() ? 0 : toc.tracks.front().start;
    else if (is(w, 3, "end"))
        at = toc.end();
    else
        at = parsePosition(d, w[3]);
    if (at < 0) return fail(McError::BadParameter);
    release(d);
    d.position = at;
    d.mode = Mode::Stopped;
    return reply({});
}

McReply MediaControl::pause(Device& d) {
    settle(d);
    if (d.mode == Mode::Open || !d.drive->mediaPresent()) return fail(McError::NotReady);
    if (d.mode == Mode::Playing) {
        m_output.setPaused(true);
        d.position = positionOf(d);
    }
    d.mode = Mode::Paused;
    return reply({});
}

McReply MediaControl::stop(Device& d) {
    settle(d);
    if (d.mode == Mode::Open) return fail(McError::NotReady);
    d.position = positionOf(d);
    release(d);
    d.mode = Mode::Stopped;
    return reply({});
}

McReply MediaControl::status(Device& d, const Words& w) {
    settle(d);
    const std::string item = w.size() > 2 ? asciiLowered(w[2]) : std::string{};
    const bool present = d.mode != Mode::Open && d.drive->mediaPresent();
    if (item == "mode" && w.size() == 3) {
        if (d.mode == Mode::Open) return reply("open");
        if (!present) return reply("not ready");
        return reply(d.mode == Mode::Playing  ? "playing"
                     : d.mode == Mode::Paused ? "paused"
                                              : "stopped");
    }
    if ((item == "media" && is(w, 3, "present") && w.size() == 4) ||
        (item == "ready" && w.size() == 3))
        return reply(present ? "true" : "false");
    if (item == "time" && is(w, 3, "format") && w.size() == 4)
        return reply(d.format == Format::Tmsf  ? "tmsf"
                     : d.format == Format::Msf ? "msf"
                                               : "milliseconds");
    if (!present) return fail(McError::NotReady);
    const CdToc toc = d.drive->toc();
    if (toc.tracks.empty()) return fail(McError::NotReady);
    // "number of tracks", "current track", "position [track N]", "length [track N]"
    if (item == "number" && is(w, 3, "of") && is(w, 4, "tracks") && w.size() == 5)
        return reply(std::to_string(toc.tracks.size()));
    if (item == "current" && is(w, 3, "track") && w.size() == 4)
        return reply(std::to_string(trackAt(toc, positionOf(d))->number));
    const CdTrack* track = nullptr;
    if (w.size() == 5 && is(w, 3, "track")) {
        const auto n = number(w[4]);
        track = n ? trackNumbered(toc, *n) : nullptr;
        if (!track) return fail(McError::BadParameter);
    } else if (w.size() != 3) {
        return fail(McError::UnrecognizedCommand);
    }
    if (item == "position") return reply(formatPosition(d, track ? track->start : positionOf(d)));
    if (item == "length") {
        const std::int64_t sectors = track ? track->sectors : toc.end() - toc.tracks.front().start;
        return reply(d.format == Format::Milliseconds
                         ? std::to_string(sectors * 1000 / kSectorsPerSecond)
                         : msfText(sectors));
    }
    return fail(McError::UnrecognizedCommand);
}

void MediaControl::settle(Device& d) {
    if (d.mode != Mode::Playing || m_playing != &d || !m_output.ended()) return;
    // Played to its end: stopped, and a later play starts from the top as a player would.
    release(d);
    d.mode = Mode::Stopped;
    const auto toc = d.drive->toc();
    d.position = toc.tracks.empty() ? 0 : toc.tracks.front().start;
}

std::int64_t MediaControl::positionOf(Device& d) {
    if (m_playing == &d && (d.mode == Mode::Playing || d.mode == Mode::Paused)) {
        const auto heard = static_cast<std::int64_t>(m_output.heardSeconds() * kSectorsPerSecond);
        return std::clamp(d.playStart + heard, d.playStart, d.playEnd);
    }
    return d.position;
}

std::int64_t MediaControl::parsePosition(Device& d, const std::string& word) {
    const CdToc toc = d.drive->toc();
    std::int64_t sector = -1;
    if (d.format == Format::Milliseconds) {
        const auto ms = number(word);
        if (ms) sector = *ms * kSectorsPerSecond / 1000;
    } else if (d.format == Format::Msf) {
        const auto f = fields(word, 3);
        if (!f.empty()) sector = msfSectors(f[0], f.size() > 1 ? f[1] : 0, f.size() > 2 ? f[2] : 0);
    } else {
        const auto f = fields(word, 4);
        const CdTrack* t = f.empty() ? nullptr : trackNumbered(toc, f[0]);
        if (t)
            sector = t->start + msfSectors(f.size() > 1 ? f[1] : 0, f.size() > 2 ? f[2] : 0,
                                           f.size() > 3 ? f[3] : 0);
    }
    return sector > toc.end() ? -1 : sector;
}

std::string MediaControl::formatPosition(Device& d, std::int64_t sector) {
    switch (d.format) {
    case Format::Milliseconds:
        return std::to_string(sector * 1000 / kSectorsPerSecond);
    case Format::Msf:
        return msfText(sector);
    case Format::Tmsf:
        break;
    }
    const CdToc toc = d.drive->toc();
    const CdTrack* t = trackAt(toc, sector);
    return twoDigits(t->number) + ":" + msfText(std::max<std::int64_t>(0, sector - t->start));
}

void MediaControl::release(Device& d) {
    if (m_playing != &d) return;
    m_output.stop();
    m_playing = nullptr;
}

} // namespace velmora::cd
