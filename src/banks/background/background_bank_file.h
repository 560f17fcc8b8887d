#pragma once
// The background bank file: one line of 128 numbers (state files back.ini / back2.ini and
// the user's .bcf bank files), and its 162-field extension with sound paths and names
// (backc.ini and .cbf).
//
// Thread: any.

#include "bank_file_fields.h"

#include <array>
#include <filesystem>
#include <string>

namespace velmora {

/// Everything the 128 numeric fields hold, in slot order (index 0 = slot 1).
struct BackgroundBankValues {
    std::array<int, 18> volume{};
    std::array<int, 18> pan{};
    std::array<int, 18> rate{};
    std::array<bool, 18> on{};
    std::array<bool, 18> reserved{};
    std::array<int, 17> rangeLowPos{};
    std::array<int, 17> rangeHighPos{};
    // Copies of the main window's levels, as the bank window showed them.
    int bwavesCopy = 0; ///< position 19
    int masterCopy = 0; ///< position 20
    int mp3Copy = 0;    ///< position 39
    int randomCopy = 0; ///< position 40
};

inline constexpr std::size_t kBackgroundFieldCount = 128;
inline constexpr std::size_t kCustomBackgroundFieldCount = 162;

/// The 17 sound paths and names of the custom background bank (positions 129..162).
struct CustomBackgroundValues {
    BackgroundBankValues bank;
    std::array<std::string, 17> paths;
    std::array<std::string, 17> names;
};

/// Which fields a reader restores and so insists on holding numbers. Fields a bank ignores
/// may hold anything.
enum class BackgroundLayout {
    Numbered, ///< banks one and two: level copies, slot 18's balance and rate ignored
    Custom,   ///< the custom bank also restores the Bwaves/MP3/Random copies and slot 18's rate
};

struct BackgroundBankRead {
    BackgroundBankValues values;
    FileResult problem;
};
struct CustomBackgroundRead {
    CustomBackgroundValues values;
    FileResult problem;
};

/// Reads every field, limiting each to its control's range. On a problem the values are
/// meaningless and must not be applied.
[[nodiscard]] BackgroundBankRead readBackgroundBank(const std::filesystem::path& path);
[[nodiscard]] BackgroundBankRead parseBackgroundBank(std::string_view bytes);
[[nodiscard]] CustomBackgroundRead readCustomBackgroundBank(const std::filesystem::path& path);
[[nodiscard]] CustomBackgroundRead parseCustomBackgroundBank(std::string_view bytes);

/// The file's bytes: one CR LF-ended line.
[[nodiscard]] std::string formatBackgroundBank(const BackgroundBankValues& values);
[[nodiscard]] std::string formatCustomBackgroundBank(const CustomBackgroundValues& values);

} // namespace velmora
