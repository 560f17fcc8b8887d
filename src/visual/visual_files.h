#pragma once
// The visual mode's two small files: STATES.tmp (which view was running, written first at
// quit, read by "load previous") and pasettings.ini (the panorama's speed). Any bytes give
// values in range: a damaged file never brings back a view that was not running.
//
// Thread: any.

#include "platform/file_result.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace velmora::visual {

inline constexpr const char* kStatesFile = "\\STATES.tmp";
inline constexpr const char* kSpeedFile = "\\pasettings.ini";
/// The shared values are 0 (off) or this.
inline constexpr int kOn = 2;

struct VisualState {
    int panoramic = 0;   ///< the panoramic view is running
    int slideshow = 0;   ///< the slideshow is the running view
    int remoteShown = 0; ///< the remote is shown in place of the main window
    int background = 0;  ///< the slideshow runs behind the main window
    friend bool operator==(const VisualState&, const VisualState&) = default;
};

[[nodiscard]] FileResult readVisualState(const std::filesystem::path& path, VisualState& state);
[[nodiscard]] FileResult parseVisualState(std::string_view bytes, VisualState& state);
[[nodiscard]] std::string visualStateBytes(const VisualState& state);
[[nodiscard]] FileResult writeVisualState(const std::filesystem::path& path,
                                          const VisualState& state);

inline constexpr int kSpeedMinimum = 1;
inline constexpr int kSpeedMaximum = 500;
inline constexpr int kSpeedDefault = 15;

/// The saved speed, 1..500; kSpeedDefault when the file is missing or holds no number.
[[nodiscard]] int readPanoramaSpeed(const std::filesystem::path& path);
[[nodiscard]] int parsePanoramaSpeed(std::string_view bytes);
[[nodiscard]] std::string panoramaSpeedBytes(int speed);
[[nodiscard]] FileResult writePanoramaSpeed(const std::filesystem::path& path, int speed);

} // namespace velmora::visual
