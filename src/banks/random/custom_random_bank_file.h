#pragma once
// The custom random bank's file: one record of 118 items: the 60 slider values, a Boolean
// that carries nothing, the 28 slot sound files and the 29 captions Label7..Label35. The
// state file randc.ini, the user's .crf files and the scenario member use it.
//
// Thread: any (pure functions and file I/O of the caller's thread).

#include "random_bank_file.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

namespace velmora {

inline constexpr int kCustomItemCount = 118;
inline constexpr int kCustomCaptionCount = 29; ///< Label7..Label35, Label20 included

struct CustomRandomBankValues {
    /// ucSlider1..ucSlider60 (index 0 = ucSlider1); slot values limited to 0..255 on read.
    std::array<int, kRandomSliderCount> sliders{};
    std::array<std::string, kRandomSlotCount> files;       ///< stored form, slot 1 first
    std::array<std::string, kCustomCaptionCount> captions; ///< Label7 first

    [[nodiscard]] int slider(int n) const { return sliders[n - 1]; }
    /// The caption of slot 1..28 among the 29 labels.
    [[nodiscard]] const std::string& slotCaption(int slot) const {
        return captions[captionLabelOf(slot) - 7];
    }
};

struct CustomRandomBankFileResult {
    FileResult problem;
    CustomRandomBankValues values;
    [[nodiscard]] bool ok() const { return problem.ok(); }
};

[[nodiscard]] CustomRandomBankFileResult parseCustomRandomBankFile(std::string_view bytes);
[[nodiscard]] CustomRandomBankFileResult
readCustomRandomBankFile(const std::filesystem::path& path);

/// One record of 118 items ended by CR LF; item 61 is #FALSE#.
[[nodiscard]] std::string formatCustomRandomBankFile(const CustomRandomBankValues& values);

} // namespace velmora
