#pragma once
// Preset lists (.pst): the fourteen preset captions in one record, slot 0 first, each in
// double quotes.
//
// Thread: any.

#include "core/state/main2_state.h"
#include "platform/file_result.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace velmora::scenarios {

using PresetCaptions = std::array<std::string, state::kPresetCount>;

/// The fourteen captions, or nullopt when there are fewer fields: a list that names only
/// some slots would leave the rest to chance, so it is refused whole. Fields past the
/// fourteenth are ignored; an empty caption is an unassigned slot.
[[nodiscard]] std::optional<PresetCaptions> parsePresetList(std::string_view bytes);
/// nullopt also when the file cannot be read.
[[nodiscard]] std::optional<PresetCaptions> readPresetList(const std::filesystem::path& path);
[[nodiscard]] std::string presetListBytes(const PresetCaptions& captions);
[[nodiscard]] FileResult writePresetList(const std::filesystem::path& path,
                                         const PresetCaptions& captions);

} // namespace velmora::scenarios
