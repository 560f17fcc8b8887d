#pragma once
// Replacing a file so that a crash or power cut leaves either the old contents or the new,
// never a truncated file. The platform layer's own writers (the settings store, the
// autostart entry) use it; the text-record writer in core does the same for state files.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace velmora {

enum class ReplaceError { None, CannotCreate, WriteFailed, RenameFailed };

/// What a replacement must survive. Flushing to disk costs milliseconds per file; a file
/// that only has to outlive this process (a crash of the program, not of the machine) can
/// leave that to the system.
enum class Durability { PowerCut, ProgramCrash };

/// Writes bytes to a temporary file beside path, flushes it to disk (PowerCut) and renames
/// it over path. On any failure the temporary file is removed and path is left as it was.
/// Creates no missing folders. Thread: any.
[[nodiscard]] ReplaceError replaceFileAtomically(const std::filesystem::path& path,
                                                 std::string_view bytes,
                                                 Durability durability = Durability::PowerCut);

/// Reads a whole regular file of at most maxBytes; false when missing, unreadable or larger.
[[nodiscard]] bool readSmallFile(const std::filesystem::path& path, std::string& out,
                                 std::uintmax_t maxBytes);

} // namespace velmora
