// Equaliser and reverb preset files from arbitrary bytes: either every value, each inside its
// slider's travel, or none; what is read writes back to the same values.
#include "effects/effect_presets.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmora::effects;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    for (PresetKind kind : {PresetKind::Equaliser, PresetKind::Reverb}) {
        const PresetRead read = parsePreset(bytes, kind);
        if (!read.result.ok()) {
            if (!read.values.empty()) std::abort(); // a half-read preset
            continue;
        }
        if (int(read.values.size()) != presetValueCount(kind)) std::abort();
        for (int i = 0; i < presetValueCount(kind); ++i)
            if (!presetRange(kind, i).contains(read.values[std::size_t(i)])) std::abort();
        const PresetRead again = parsePreset(presetBytes(read.values), kind);
        if (!again.result.ok() || again.adjusted || again.values != read.values) std::abort();
    }
    return 0;
}
