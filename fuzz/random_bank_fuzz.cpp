// Any bytes as a numbered random bank file: a read either fails with a reason or gives
// every slot value inside 0..255, and what it gives writes back and reads back the same.
#include "banks/random/random_bank_file.h"

#include "fuzz_check.h"

using velmora::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmora;
    const auto bytes = velmora::fuzz::asText(data, size);
    const auto read = parseRandomBankFile(bytes);
    if (!read.ok()) {
        require(read.problem.error == FileError::TooShort ||
                read.problem.error == FileError::NotANumber);
        return 0;
    }
    for (int i = 0; i < kRandomSlotCount; ++i) {
        require(read.values.volume[i] >= 0 && read.values.volume[i] <= 255);
        require(read.values.frequency[i] >= 0 && read.values.frequency[i] <= 255);
    }
    const auto again = parseRandomBankFile(formatRandomBankFile(read.values));
    require(again.ok());
    require(again.values.volume == read.values.volume);
    require(again.values.frequency == read.values.frequency);
    return 0;
}
