#pragma once
// Where a failed save goes when nobody can be asked (a signal, a logout, the alarm's
// shutdown): standard error and a one-line file in the per-user settings folder, which
// survives a program folder that cannot be written. The file holds the last failure only
// and goes once a save succeeds, so its presence means "the last save lost something".
//
// Thread: UI thread.

#include <filesystem>
#include <string>

namespace velmora::state {

inline constexpr const char* kSaveErrorFile = "last-save-error.txt";

class SaveErrorLog {
  public:
    /// folder: the per-user settings folder; empty keeps the log to standard error.
    explicit SaveErrorLog(std::filesystem::path folder = {}) : m_folder(std::move(folder)) {}
    void setFolder(std::filesystem::path folder) { m_folder = std::move(folder); }

    /// Writes line to standard error and replaces the file with it.
    void record(const std::string& line) const;
    /// A clean save: removes the file.
    void clear() const;
    [[nodiscard]] std::filesystem::path file() const;

  private:
    std::filesystem::path m_folder;
};

/// Whether a file can be created in folder now (tried, not guessed from permission bits: a
/// read-only mount or an ACL says no as well).
[[nodiscard]] bool canWriteIn(const std::filesystem::path& folder);

} // namespace velmora::state
