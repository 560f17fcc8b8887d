#pragma once
// The effects window's share of a file other windows write (a scenario): the whole setting
// of the equaliser and the reverb as one record. Whoever owns the file calls these at the
// point its layout holds the record, without knowing the effects window itself.
//
// Thread: UI thread.

#include "platform/file_result.h"

#include <filesystem>

namespace velmora {

class EffectsRecordOwner {
  public:
    virtual ~EffectsRecordOwner() = default;
    /// Writes the record to path (replacing it atomically).
    [[nodiscard]] virtual FileResult dosave(const std::filesystem::path& path) = 0;
    /// Reads the record from path and applies it; on failure nothing changes.
    [[nodiscard]] virtual FileResult doload(const std::filesystem::path& path) = 0;
};

} // namespace velmora
