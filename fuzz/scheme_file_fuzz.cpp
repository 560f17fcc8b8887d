// A .clr scheme file (and previous.tmp, the same layout) from arbitrary bytes: read whole or
// not at all, and whatever was read writes back to bytes that read back the same.
#include "appearance/scheme_file.h"
#include "fuzz_check.h"

using velmora::fuzz::asText;
using velmora::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const velmora::ColorScheme before;
    velmora::ColorScheme scheme = before;
    const auto result = velmora::appearance::parseSchemeFile(asText(data, size), scheme);
    if (!result.ok()) {
        require(scheme == before);
        return 0;
    }
    velmora::ColorScheme again;
    const auto bytes = velmora::appearance::schemeFileBytes(scheme);
    require(velmora::appearance::parseSchemeFile(bytes, again).ok());
    require(again == scheme);
    require(velmora::appearance::schemeFileBytes(again) == bytes);
    return 0;
}
