#pragma once
// The MP3 player's playlist: entries in order, each a full path and the name shown for it,
// and the selected entry (the one playing or about to). Also its files, mp3.tmp and .plf:
// one path per line, so a path with a comma or a space is one entry.
//
// Thread: UI thread (the file functions: any thread).

#include "platform/file_result.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace velmora::music {

struct PlaylistEntry {
    std::string path;
    std::string name;
};

/// The name shown for a path: its file name (after the last "/" or "\").
[[nodiscard]] std::string entryName(const std::string& path);

class Playlist {
  public:
    static constexpr int kNone = -1;

    [[nodiscard]] int count() const { return static_cast<int>(m_entries.size()); }
    [[nodiscard]] bool empty() const { return m_entries.empty(); }
    [[nodiscard]] const PlaylistEntry& at(int index) const { return m_entries[index]; }
    [[nodiscard]] const std::vector<PlaylistEntry>& entries() const { return m_entries; }
    /// kNone when nothing is selected.
    [[nodiscard]] int selected() const { return m_selected; }

    void add(const std::string& path);
    void add(const std::vector<std::string>& paths);
    /// Removes one entry; the selection stays on the entry it was on (cleared if removed).
    void remove(int index);
    void clear();
    /// Selects index, or clears the selection for an index out of range.
    void select(int index);

  private:
    std::vector<PlaylistEntry> m_entries;
    int m_selected = kNone;
};

/// What reading a playlist file gave: the paths, and lines left out because they cannot
/// be paths (binary garbage, absurd lengths).
struct PlaylistRead {
    std::vector<std::string> paths;
    std::size_t skippedLines = 0;
    FileResult result;
};

/// Reads one path per line (CR LF or LF; UTF-8, or Windows-1252 when not valid UTF-8).
/// Empty lines are ignored.
[[nodiscard]] PlaylistRead readPlaylistFile(const std::filesystem::path& file);
/// Writes every path on a line of its own, CR LF, replacing the file atomically.
[[nodiscard]] FileResult writePlaylistFile(const std::filesystem::path& file,
                                           const std::vector<PlaylistEntry>& entries);

} // namespace velmora::music
