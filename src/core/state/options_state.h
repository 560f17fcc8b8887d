#pragma once
// opt.tmp: the options window's six values, written when the window closes and read when it
// opens; and the settings-store values the options and start-up share ("remoteonstart",
// the launcher flag).
//
// Thread: any.

#include "platform/settings_store.h"
#include "state_read.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace velmora::state {

inline constexpr const char* kOptionsStateFile = "\\opt.tmp";
inline constexpr std::size_t kOptionsStateFields = 6;

/// Inactivity time limits (the window shows no unit; the remote counts it in seconds).
inline constexpr int kInactivityMinimum = 5;
inline constexpr int kInactivityMaximum = 60;

struct OptionsState {
    bool colorSchemeWithScenario = true; ///< Check1
    bool colorChangeOnRemote = true;     ///< Check2
    bool volumesOnScenarioLoad = true;   ///< Check20
    bool autoHideRemote = true;          ///< Check4
    std::string inactivityTime = "10";   ///< Text1, kept as typed
    bool startWithController = false;    ///< Check5
    friend bool operator==(const OptionsState&, const OptionsState&) = default;
};

[[nodiscard]] FileResult readOptionsState(const std::filesystem::path& path, OptionsState& state);
/// The same over bytes already in memory.
[[nodiscard]] FileResult parseOptionsState(std::string_view bytes, OptionsState& state);
[[nodiscard]] std::string optionsStateBytes(const OptionsState& state);
[[nodiscard]] FileResult writeOptionsState(const std::filesystem::path& path,
                                           const OptionsState& state);

/// The inactivity time's number as the window reads it: leading blanks, then the longest
/// leading decimal number ("12abc" is 12, "abc" is 0).
[[nodiscard]] double leadingNumber(const std::string& text);

// --- settings-store values ---
/// "Show Tips at Start2" under "Options", application = the program file's base name.
/// The value "1" means the system-check window has been passed once.
[[nodiscard]] bool launcherPassed(const SettingsStore& store);
void markLauncherPassed(SettingsStore& store);

/// "remoteonstart" under "Settings22", application = the program's title: whether the
/// remote window is shown at start-up.
[[nodiscard]] bool readRemoteOnStart(const SettingsStore& store);
void writeRemoteOnStart(SettingsStore& store, bool on);

} // namespace velmora::state
