#pragma once
// What a program folder holds of the user's saved soundscape, byte for byte: every file but
// the sounds. The crash and save-failure tests compare a folder after a save that went wrong
// with the folder before the save and after a save that went right.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

namespace velmora::reliability {

struct SavedFolder {
    std::map<std::string, std::string> files; ///< path relative to the folder -> bytes

    /// Reads every saved file of folder (not the sounds, not the temporary files of a write
    /// that was cut short; see leftoverTemporaries).
    static SavedFolder read(const std::filesystem::path& folder);
    /// Puts folder back to exactly this: other saved files go, these get their bytes.
    void restore(const std::filesystem::path& folder) const;
};

/// Temporary files an interrupted atomic write left behind in folder (and removes them when
/// remove is set).
std::vector<std::string> leftoverTemporaries(const std::filesystem::path& folder, bool remove);

/// Every file of now whose bytes are not those it has in any of the allowed states, and
/// every file the first (oldest) state has that is gone: each with a word on what is wrong.
/// Empty when the folder holds, file by file, one of the saves.
[[nodiscard]] std::vector<std::string>
mixedFiles(const SavedFolder& now, std::initializer_list<const SavedFolder*> allowed);

/// Runs body in a child process and returns what it wrote to its pipe once it exits (or is
/// killed: then what it wrote before). killAfter: called in the parent once the child has
/// written a line; it may kill the child.
struct ChildRun {
    std::string output;
    int status = 0; ///< as waitpid gives it
};
ChildRun runInChild(const std::function<void(int pipeFd)>& body,
                    const std::function<void(int pid)>& onFirstLine = {});

/// Writes text to the pipe of a child (all of it, or nothing more can be done).
void tellParent(int pipeFd, const std::string& text);

} // namespace velmora::reliability
