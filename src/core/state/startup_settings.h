#pragma once
// settings.ini in the program folder, section "Startup": "AutoLaunch" ("1"/"0") and
// "Display" ("0" taskbar, "1" fully displayed), written for whatever starts the program at
// logon. Other sections and keys of the file are kept as they are.
//
// Thread: any.

#include "core/files/text_record.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace velmora::state {

inline constexpr const char* kStartupSettingsFile = "\\settings.ini";
inline constexpr const char* kStartupSection = "Startup";
inline constexpr const char* kAutoLaunchKey = "AutoLaunch";
inline constexpr const char* kDisplayKey = "Display";

/// Sets one "Startup" value, keeping everything else in the file; atomic. A file that exists
/// but could not be read is not touched (its read error is returned).
[[nodiscard]] FileResult writeStartupSetting(const std::filesystem::path& path,
                                             std::string_view key, std::string_view value);
/// One "Startup" value; nullopt when the file or the key is absent (or the file is not ours).
[[nodiscard]] std::optional<std::string> readStartupSetting(const std::filesystem::path& path,
                                                            std::string_view key);

} // namespace velmora::state
