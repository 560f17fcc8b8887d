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

/// What a replacement must survive. Flushing to disk costs milliseconds per file; a file
/// that only has to outlive this process (a crash of the program, not of the machine) can
/// leave that to the system.
enum class Durability { PowerCut, ProgramCrash };

/// Writes bytes to a temporary file beside path, flushes it to disk (PowerCut) and renames
/// it over path. On any failure the temporary file is removed and path is left as it was.
/// Creates no missing folders. Thread: any.
[[nodiscard]] FileResult replaceFileAtomically(const std::filesystem::path& path,
                                               std::string_view bytes,
                                               Durability durability = Durability::PowerCut);

/// Reads a whole regular file of at most maxBytes into out (left empty on failure):
/// Missing, Unreadable or TooLarge otherwise. Thread: any.
[[nodiscard]] FileResult readWholeFile(const std::filesystem::path& path, std::string& out,
                                       std::uintmax_t maxBytes);

} // namespace velmora
