#pragma once
// The preset files of the effects window: one line of comma-separated slider values, ten
// band sliders in an .eqf file, reverb sliders 0..14 in an .rvf file, one file per preset
// in its own folder under the program folder.
//
// Thread: UI thread (file access); the parsers are pure.

#include "effects/effect_sliders.h"
#include "platform/file_result.h"

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::effects {

enum class PresetKind { Equaliser, Reverb };

/// "\config\fx\EQ Presets" or "\config\fx\reverb presets".
[[nodiscard]] const char* presetFolder(PresetKind kind);
/// ".eqf" or ".rvf".
[[nodiscard]] const char* presetExtension(PresetKind kind);
/// Values a preset file holds: 10 or 15.
[[nodiscard]] int presetValueCount(PresetKind kind);
/// Travel of the slider the i-th value of a preset sets.
[[nodiscard]] SliderRange presetRange(PresetKind kind, int i);

struct PresetRead {
    std::vector<int> values; ///< presetValueCount() values, each within its slider's travel
    FileResult result;       ///< on failure values is empty
    bool adjusted = false;   ///< some value lay outside its slider's travel and was limited
};

/// Reads the values of a preset from the bytes of its file. All or nothing: a file with
/// too few values or a value that is not a whole number gives no values at all.
[[nodiscard]] PresetRead parsePreset(std::string_view bytes, PresetKind kind);
[[nodiscard]] PresetRead readPreset(const std::filesystem::path& path, PresetKind kind);
/// The file's bytes for the values (one line, CR LF).
[[nodiscard]] std::string presetBytes(std::span<const int> values);

/// Preset names in a folder: the file names with the kind's extension, less it, sorted as a
/// user reads them. A missing folder has none.
[[nodiscard]] std::vector<std::string> listPresets(const std::filesystem::path& folder,
                                                   PresetKind kind);

/// True for a name that makes a file inside its folder: not empty, no path separator,
/// not "." or "..", no control character.
[[nodiscard]] bool isSafePresetName(std::string_view name);

} // namespace velmora::effects
