#include "music/playlist.h"

#include "core/files/text_record.h"
#include "platform/atomic_file.h"

#include <algorithm>

namespace velmora::music {
namespace {

// Longer than any path a Linux file system takes (PATH_MAX is 4096 bytes).
constexpr std::size_t kMaxPathBytes = 4096;
// A million entries of ordinary length; anything larger is not a playlist.
constexpr std::uintmax_t kMaxPlaylistBytes = 64u * 1024u * 1024u;

bool plausiblePath(const std::string& line) {
    if (line.size() > kMaxPathBytes) return false;
    return std::none_of(line.begin(), line.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u < 0x20 && c != '\t';
    });
}

} // namespace

std::string entryName(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void Playlist::add(const std::string& path) {
    m_entries.push_back({path, entryName(path)});
}

void Playlist::add(const std::vector<std::string>& paths) {
    m_entries.reserve(m_entries.size() + paths.size());
    for (const auto& p : paths)
        add(p);
}

void Playlist::remove(int index) {
    if (index < 0 || index >= count()) return;
    m_entries.erase(m_entries.begin() + index);
    if (m_selected == index)
        m_selected = kNone;
    else if (m_selected > index)
        --m_selected;
}

void Playlist::clear() {
    m_entries.clear();
    m_selected = kNone;
}

void Playlist::select(int index) {
    m_selected = index >= 0 && index < count() ? index : kNone;
}

PlaylistRead readPlaylistFile(const std::filesystem::path& file) {
    PlaylistRead read;
    std::string bytes;
    read.result = readWholeFile(file, bytes, kMaxPlaylistBytes);
    for (auto& line : files::splitLines(bytes)) {
        if (line.empty()) continue;
        if (!plausiblePath(line)) {
            ++read.skippedLines;
            continue;
        }
        read.paths.push_back(std::move(line));
    }
    return read;
}

FileResult writePlaylistFile(const std::filesystem::path& file,
                             const std::vector<PlaylistEntry>& entries) {
    std::string bytes;
    for (const auto& e : entries) {
        bytes += e.path;
        bytes += "\r\n";
    }
    return replaceFileAtomically(file, bytes, Durability::ProgramCrash);
}

} // namespace velmora::music
