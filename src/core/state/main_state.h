#pragma once
// main.tmp: the main window's first state file, eight fields, written at quit. At start the
// main window uses fields 1-4; "load previous" uses seven. The file's presence also marks
// that the program has quit in order at least once (see isFirstRun).
//
// Thread: any.

#include "state_read.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace velmora::state {

inline constexpr const char* kMainStateFile = "\\main.tmp";
inline constexpr std::size_t kMainStateFields = 8;

struct MainState {
    std::string alarmFlag = "False"; ///< 1: "True" or "False"
    std::string scenarioName;        ///< 2: current scenario
    int randomIntervalSlider = 0;    ///< 3: ucSlider1 of Form3 (numbered random banks)
    int customIntervalSlider = 0;    ///< 4: ucSlider1 of Form33 (custom random bank)
    std::string slideshowName;       ///< 5: Label23
    std::string pictureName;         ///< 6: Label24
    std::string colorSchemeName;     ///< 7: frmDemo's list
    std::int16_t outputDevice = 0;   ///< 8: output-device index

    /// The saved alarm flag means "switch the alarm on" ("True", any case; also #TRUE#).
    [[nodiscard]] bool alarmOn() const;
    friend bool operator==(const MainState&, const MainState&) = default;
};

/// Reads into state; fields that are absent or do not convert leave it as it was.
[[nodiscard]] FileResult readMainState(const std::filesystem::path& path, MainState& state);
/// The same over bytes already in memory.
[[nodiscard]] FileResult parseMainState(std::string_view bytes, MainState& state);
[[nodiscard]] std::string mainStateBytes(const MainState& state);
/// Writes the file atomically (one record, CR LF).
[[nodiscard]] FileResult writeMainState(const std::filesystem::path& path, const MainState& state);

} // namespace velmora::state
