#pragma once
// The numbered random banks' file: one record of 60 integers, field n the value of slider
// ucSlider n (see slot_layout.h). The state files rand.ini..rand4.ini, the user's .rcf files
// and the scenario members all use it.
//
// Thread: any (pure functions and file I/O of the caller's thread).

#include "slot_layout.h"

#include "platform/file_result.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

namespace velmora {

/// What a numbered bank keeps in its file.
struct RandomBankValues {
    std::array<int, kRandomSlotCount> volume{}; ///< slot 1 first, 0..255
    std::array<int, kRandomSlotCount> frequency{};
    int slider19 = 0; ///< the Bwaves copy: written, never applied
    int slider20 = 0; ///< the master copy: written, never applied

    RandomBankValues() { volume.fill(kInitialSlotVolume); }
};

struct RandomBankFileResult {
    FileResult problem;
    RandomBankValues values;
    [[nodiscard]] bool ok() const { return problem.ok(); }
};

/// Reads 60 values separated by commas or line ends. Slot values outside 0..255 are limited
/// to the range; slot 23 takes field 40 (fields 39 and 41 are read and not applied).
[[nodiscard]] RandomBankFileResult parseRandomBankFile(std::string_view bytes);
[[nodiscard]] RandomBankFileResult readRandomBankFile(const std::filesystem::path& path);

/// The one line of 60 integers ended by CR LF; fields 39, 40 and 41 all hold slot 23.
[[nodiscard]] std::string formatRandomBankFile(const RandomBankValues& values);

} // namespace velmora
