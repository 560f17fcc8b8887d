#pragma once
// The scheduler's files: Timersettings.tmp (the window's whole state, one record of 53
// fields), .sch schedules (the eight-entry table, 32 fields), and the one-path-per-line
// playlists (Timersettings2.tmp and .scp). Texts are quoted, so a name with a comma comes
// back whole; playlist lines are taken whole for the same reason.
//
// Readers take fields in order; an absent or unconvertible field leaves its default.
//
// Thread: any (pure functions over files).

#include "platform/file_result.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::scheduling {

inline constexpr const char* kSchedulerStateFile = "\\Timersettings.tmp";
inline constexpr const char* kSchedulerPlaylistFile = "\\Timersettings2.tmp";
inline constexpr std::size_t kSchedulerStateFields = 53;
inline constexpr std::size_t kScheduleFields = 32;
inline constexpr int kTimeOfDayEntries = 8;
inline constexpr const char* kNotSelected = "Not Selected";
inline constexpr const char* kMidnight = "00:00:00";

struct TimeOfDayEntry {
    bool enabled = false;
    std::string displayName = kNotSelected;
    std::string triggerTime = kMidnight; ///< compared as typed with the clock's "HH:MM:SS"
    bool firstFlag = true;               ///< kept and restored, nothing more
    bool secondFlag = false;
    std::string scenario; ///< base name of the chosen scenario file; what gets loaded
    friend bool operator==(const TimeOfDayEntry&, const TimeOfDayEntry&) = default;
};
using TimeOfDayTable = std::array<TimeOfDayEntry, kTimeOfDayEntries>;

enum class SchedulerMode { None, Disabled, TimeOfDay, Interval };

struct SchedulerState {
    TimeOfDayTable entries;
    SchedulerMode mode = SchedulerMode::None;
    int intervalPosition = -1; ///< 0..6 into kIntervalTexts, -1 when nothing was chosen
    bool randomOrder = false;
    friend bool operator==(const SchedulerState&, const SchedulerState&) = default;
};

[[nodiscard]] FileResult parseSchedulerState(std::string_view bytes, SchedulerState& state);
[[nodiscard]] FileResult readSchedulerState(const std::filesystem::path& path,
                                            SchedulerState& state);
[[nodiscard]] std::string schedulerStateBytes(const SchedulerState& state);

/// A schedule (.sch): the table alone; mode, interval and playlist are not in it.
[[nodiscard]] FileResult parseSchedule(std::string_view bytes, TimeOfDayTable& table);
[[nodiscard]] FileResult readSchedule(const std::filesystem::path& path, TimeOfDayTable& table);
[[nodiscard]] std::string scheduleBytes(const TimeOfDayTable& table);

/// A playlist file: one path per line, blank lines skipped.
[[nodiscard]] std::vector<std::string> parsePlaylistLines(std::string_view bytes);
[[nodiscard]] FileResult readPlaylistFile(const std::filesystem::path& path,
                                          std::vector<std::string>& lines);
[[nodiscard]] std::string playlistBytes(const std::vector<std::string>& lines);

} // namespace velmora::scheduling
