#pragma once
// bw.ini: the tone bank's state, one line of 52 numbers.
//
// Thread: any.

#include "bank_file_fields.h"

#include <array>
#include <filesystem>
#include <string>

namespace velmora {

inline constexpr std::size_t kBwFieldCount = 52;

struct BwBankValues {
    std::array<bool, 16> on{};
    std::array<int, 16> volume{}; ///< 1..255
    std::array<int, 16> pan{};    ///< 0..255
    int randomCopy = 0;           ///< position 35, not read back
    int masterCopy = 0;           ///< position 36, not read back
};

struct BwBankRead {
    BwBankValues values;
    FileResult problem;
};

/// Reads every field, limiting each to its control's range; positions 33..36 may hold
/// anything. On a problem nothing must be applied.
[[nodiscard]] BwBankRead readBwBank(const std::filesystem::path& path);
[[nodiscard]] BwBankRead parseBwBank(std::string_view bytes);
/// One CR LF-ended line; the two reserved positions are written as 0.
[[nodiscard]] std::string formatBwBank(const BwBankValues& values);

} // namespace velmora
