#pragma once
// The one whole-file reader and the one file writer of the program. Reading refuses files
// far larger than any of ours; writing replaces a file so that a crash or power cut leaves
// either the old contents or the new, never a truncated file.

#include "file_result.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace velmora {

/// Writes bytes to a temporary file beside path, flushes it to disk and renames it over
/// path. On any failure the temporary file is removed and path is left as it was.
/// Creates no missing folders. Thread: any.
[[nodiscard]] FileResult replaceFileAtomically(const std::filesystem::path& path,
                                               std::string_view bytes);

/// Reads a whole regular file of at most maxBytes into out (left empty on failure):
/// Missing, Unreadable or TooLarge otherwise. Thread: any.
[[nodiscard]] FileResult readWholeFile(const std::filesystem::path& path, std::string& out,
                                       std::uintmax_t maxBytes);

} // namespace velmora
