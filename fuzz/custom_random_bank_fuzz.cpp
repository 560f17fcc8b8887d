// Any bytes as a custom random bank file: a read either fails with a reason or gives slot
// values inside 0..255, and the sliders it gives write back and read back the same.
#include "banks/random/custom_random_bank_file.h"

#include "fuzz_check.h"

using velmora::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmora;
    const auto bytes = velmora::fuzz::asText(data, size);
    const auto read = parseCustomRandomBankFile(bytes);
    if (!read.ok()) {
        require(read.problem.error == FileError::TooShort ||
                read.problem.error == FileError::NotANumber);
        return 0;
    }
    for (int n = 1; n <= kRandomSliderCount; ++n)
        if (sliderUse(n).kind != SliderUse::Copy)
            require(read.values.slider(n) >= 0 && read.values.slider(n) <= 255);
    const auto again = parseCustomRandomBankFile(formatCustomRandomBankFile(read.values));
    require(again.ok());
    require(again.values.sliders == read.values.sliders);
    return 0;
}
