// Any bytes as a custom background bank file: a failed read says why; a good one writes back
// with the same sound paths and names.
#include "banks/background/background_bank_file.h"

#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmora;
    const auto bytes = velmora::fuzz::asText(data, size);
    const auto read = parseCustomBackgroundBank(bytes);
    if (!read.problem.ok()) return 0;
    auto values = read.values;
    // Line breaks cannot live inside a one-line file; the writer turns them into spaces.
    for (auto* texts : {&values.paths, &values.names})
        for (auto& t : *texts)
            for (auto& c : t)
                if (c == '\r' || c == '\n') c = ' ';
    const auto again = parseCustomBackgroundBank(formatCustomBackgroundBank(values));
    if (!again.problem.ok() || again.values.bank.pan[16] != values.bank.pan[16] ||
        again.values.bank.rate != values.bank.rate)
        std::abort();
    return 0;
}
