#pragma once
// What the effects window keeps between runs and hands to other files: the four fields of
// effects.tmp (toggles and list positions), and the 29-field effects record written into
// a scenario (every stored slider, both toggles and both list texts).
//
// Thread: any (pure functions); reading and writing files on the UI thread.

#include "effects/effect_sliders.h"
#include "platform/file_result.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace velmora::effects {

/// "\effects.tmp" under the program folder.
inline constexpr const char* kEffectsTmpFile = "\\effects.tmp";
/// The whole effects record as last heard, beside effects.tmp and in snapshot folders: it
/// keeps slider settings that no preset holds, which list positions cannot.
inline constexpr const char* kEffectsLastHeardFile = "\\effects.rec";
inline constexpr std::size_t kEffectsRecordFields = 29;

/// Toggles and list positions (-1: nothing selected).
struct EffectsTmp {
    bool equaliserOn = false;
    int equaliserIndex = -1;
    bool reverbOn = false;
    int reverbIndex = -1;
    friend bool operator==(const EffectsTmp&, const EffectsTmp&) = default;
};

/// nullopt unless all four fields are there and convert.
[[nodiscard]] std::optional<EffectsTmp> parseEffectsTmp(std::string_view bytes);
[[nodiscard]] std::string effectsTmpBytes(const EffectsTmp& tmp);

/// The whole setting of both effects.
struct EffectsSettings {
    BandValues bands{};
    ReverbValues reverb{};
    bool equaliserOn = false;
    bool reverbOn = false;
    std::string equaliserText;
    std::string reverbText;
    friend bool operator==(const EffectsSettings&, const EffectsSettings&) = default;
};

struct EffectsRecordRead {
    EffectsSettings settings; ///< what was read over the base; the base itself on failure
    FileResult result;
    bool adjusted = false; ///< a slider value lay outside its travel and was limited
};

/// Reads a record over base (reverb slider 15 is not stored and keeps base's value). All
/// or nothing: any missing or unconverted field leaves base as it was.
[[nodiscard]] EffectsRecordRead parseEffectsRecord(std::string_view bytes,
                                                   const EffectsSettings& base);
[[nodiscard]] EffectsRecordRead readEffectsRecord(const std::filesystem::path& path,
                                                  const EffectsSettings& base);
[[nodiscard]] std::string effectsRecordBytes(const EffectsSettings& settings);

} // namespace velmora::effects
