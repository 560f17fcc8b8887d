// Any bytes as bw.ini: a failed read changes nothing; a good one holds volumes 1..255 and
// balances 0..255 and writes back the same.
#include "banks/background/bw_bank_file.h"

#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmora;
    const auto bytes = velmora::fuzz::asText(data, size);
    const auto read = parseBwBank(bytes);
    if (!read.problem.ok()) return 0;
    for (std::size_t i = 0; i < 16; ++i)
        if (read.values.volume[i] < 1 || read.values.volume[i] > 255 || read.values.pan[i] < 0 ||
            read.values.pan[i] > 255)
            std::abort();
    const auto again = parseBwBank(formatBwBank(read.values));
    if (!again.problem.ok() || again.values.volume != read.values.volume ||
        again.values.on != read.values.on || again.values.pan != read.values.pan)
        std::abort();
    return 0;
}
