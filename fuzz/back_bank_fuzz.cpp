// Any bytes as a background bank file: a read either fails with a reason or gives values
// inside every control's range, and what it gives writes back and reads back the same.
#include "banks/background/background_bank_file.h"

#include "fuzz_check.h"

using velmora::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmora;
    const auto bytes = velmora::fuzz::asText(data, size);
    const auto read = parseBackgroundBank(bytes);
    if (!read.problem.ok()) return 0;
    const auto& v = read.values;
    for (std::size_t i = 0; i < 18; ++i) {
        require(v.volume[i] >= 0 && v.volume[i] <= 255);
        require(v.rate[i] >= 0 && v.rate[i] <= 999);
    }
    for (std::size_t i = 0; i < 17; ++i) {
        require(v.pan[i] >= 0 && v.pan[i] <= 255);
        require(v.rangeLowPos[i] >= 0 && v.rangeLowPos[i] <= 250);
        require(v.rangeHighPos[i] >= 0 && v.rangeHighPos[i] <= 250);
    }
    const auto again = parseBackgroundBank(formatBackgroundBank(v));
    require(again.problem.ok());
    require(again.values.volume == v.volume && again.values.on == v.on &&
            again.values.rangeLowPos == v.rangeLowPos && again.values.reserved == v.reserved);
    return 0;
}
