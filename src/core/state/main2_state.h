#pragma once
// main2.tmp: the main window's second state file, one record of 39 fields written at quit
// and read at start: main sliders, the fourteen preset captions, the ten colour-scheme
// colours, texts kept only to be written back, the automatic-randomise switches and the
// output-device index.
//
// Thread: any.

#include "core/levels.h"
#include "state_read.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace velmora::state {

inline constexpr const char* kMain2StateFile = "\\main2.tmp";
inline constexpr std::size_t kMain2StateFields = 39;
inline constexpr int kPresetCount = 14;
inline constexpr int kColorSlotCount = 10;
inline constexpr const char* kUnassignedPreset = "Currently Unassigned";

/// The colour slot (1-based) that each of fields 18..27 holds, in field order.
inline constexpr std::array<int, kColorSlotCount> kColorFieldSlots = {5, 6,  7, 4, 3,
                                                                      8, 10, 9, 2, 1};
/// Start-up values of colour slots 1..10.
inline constexpr std::array<std::uint32_t, kColorSlotCount> kDefaultColorSlots = {
    16777215, 0, 16777215, 16744576, 16761024, 4194304, 33023, 5592405, 16777215, 0};
/// The output-device index's field.
inline constexpr int kOutputDeviceField = 37;

struct Main2State {
    int master = levelRange(Level::Master).initial;         ///< 1: ucSlider3 (not restored)
    int background = levelRange(Level::Background).initial; ///< 2: ucSlider2
    int random = levelRange(Level::Random).initial;         ///< 3: ucSlider1
    int mp3 = levelRange(Level::Mp3).initial;               ///< 4: hscroll2
    int cd = levelRange(Level::Cd).initial;                 ///< 5: ucSlider4
    /// Fields 6-17 hold presets 0-11; fields 38 and 39 presets 12 and 13.
    std::array<std::string, kPresetCount> presetCaptions;
    /// Colour slots 1..10 at [0..9]; fields 18-27 map onto them through kColorFieldSlots.
    std::array<std::uint32_t, kColorSlotCount> colorSlots = kDefaultColorSlots;
    // Fields 28-34 are read and discarded at start but written at quit.
    std::string text1;                 ///< 28
    std::string text3;                 ///< 29 and 30 (written twice)
    std::string scenarioInformation;   ///< 31: Text4
    std::string remoteSlideshowFolder; ///< 32
    std::string remoteSelectedFile;    ///< 33
    std::string pictureName;           ///< 34: Label24
    bool customAutoRandomise = false;  ///< 35
    bool bankOneAutoRandomise = false; ///< 36: the switch of all four numbered random banks
    std::int16_t outputDevice = 0;     ///< 37

    Main2State() { presetCaptions.fill(kUnassignedPreset); }
    friend bool operator==(const Main2State&, const Main2State&) = default;
};

/// Reads every field into state: fields that are absent or do not convert leave it as it
/// was. The fields that are "read and discarded" at start are read too; the caller decides
/// what to restore (the master level and fields 28-34 are not restored at start).
[[nodiscard]] FileResult readMain2State(const std::filesystem::path& path, Main2State& state);
/// The same over bytes already in memory.
[[nodiscard]] FileResult parseMain2State(std::string_view bytes, Main2State& state);
[[nodiscard]] std::string main2StateBytes(const Main2State& state);
[[nodiscard]] FileResult writeMain2State(const std::filesystem::path& path,
                                         const Main2State& state);

/// Just the saved output-device index (field 37), so start-up can choose the device
/// before the sound engine starts; nullopt when the file or the field is missing or bad.
[[nodiscard]] std::optional<std::int16_t> readOutputDeviceIndex(const std::filesystem::path& path);

} // namespace velmora::state
