#pragma once
// The scheduler's scenario playlist: entries in order, each with the path it came with (a
// full path, or a bare file name from an older playlist file) and the text shown for it,
// and the selected entry, which is where the interval change goes on from.
//
// Thread: UI thread.

#include "platform/random.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace velmora::scheduling {

struct PlaylistEntry {
    std::string path;
    std::string display;
    friend bool operator==(const PlaylistEntry&, const PlaylistEntry&) = default;
};

/// The text after the last "\" or "/", without its extension (".vlm").
[[nodiscard]] std::string scenarioBaseName(const std::string& path);

class ScenarioPlaylist {
  public:
    [[nodiscard]] const std::vector<PlaylistEntry>& entries() const { return m_entries; }
    [[nodiscard]] std::size_t size() const { return m_entries.size(); }
    [[nodiscard]] bool empty() const { return m_entries.empty(); }
    [[nodiscard]] std::optional<std::size_t> selected() const { return m_selected; }
    void select(std::optional<std::size_t> index);

    /// Appends an entry shown as display (empty: the base name + ".vlm").
    void add(const std::string& path, const std::string& display = {});
    /// Removes the selected entry; nothing is selected afterwards.
    void removeSelected();
    /// Moves the selected entry one place and keeps it selected; at either end nothing moves.
    void moveSelectedUp();
    void moveSelectedDown();
    void clear();

    /// Steps to the next entry and selects it: in order (from nothing or the last entry back
    /// to the first), or a uniform draw over every entry. nullopt when empty.
    std::optional<std::size_t> advance(bool randomOrder, Random& random);

    /// What a playlist file holds: the shown text of each entry.
    [[nodiscard]] std::vector<std::string> displayTexts() const;
    /// What Timersettings2.tmp holds: the path of each entry.
    [[nodiscard]] std::vector<std::string> paths() const;

  private:
    std::vector<PlaylistEntry> m_entries;
    std::optional<std::size_t> m_selected;
};

} // namespace velmora::scheduling
