#pragma once
// alarm.tmp: the alarm window's nine settings, one record, written when the program quits.
// Readers take fields in order; an absent or unconvertible field leaves its default, and
// values out of range (an hour of "25", a volume of 900) are refused the same way.
//
// Thread: any (pure functions over files).

#include "platform/file_result.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

namespace velmora::scheduling {

inline constexpr const char* kAlarmStateFile = "\\alarm.tmp";
inline constexpr const char* kDefaultAlarmSound = "\\config\\alarms\\default.wav";
inline constexpr std::size_t kAlarmStateFields = 9;
/// The play-for choices, in seconds, as the list shows them.
inline constexpr std::array<const char*, 6> kPlayForTexts = {"10", "30", "60", "120", "300", "600"};

struct AlarmSettings {
    int playForPosition = -1; ///< 0..5 into kPlayForTexts; -1: nothing chosen (plays 10 s)
    bool repeat = false;      ///< sounds until stopped
    bool fadeIn = false;
    int maxVolume = 100; ///< 0..255, the channel's own volume
    bool closeProgram = false;
    bool shutdown = false;
    std::string soundFile;     ///< full path; empty: the default sound
    std::string hour = "00";   ///< "00".."23"
    std::string minute = "00"; ///< "00".."59"
    friend bool operator==(const AlarmSettings&, const AlarmSettings&) = default;

    /// Seconds the alarm sounds when it does not repeat.
    [[nodiscard]] int playForSeconds() const;
};

[[nodiscard]] FileResult parseAlarmSettings(std::string_view bytes, AlarmSettings& settings);
[[nodiscard]] FileResult readAlarmSettings(const std::filesystem::path& path,
                                           AlarmSettings& settings);
[[nodiscard]] std::string alarmSettingsBytes(const AlarmSettings& settings);

/// "07" for 7; nullopt-free: values are clamped to 0..max.
[[nodiscard]] std::string twoDigitText(int value, int max);

} // namespace velmora::scheduling
