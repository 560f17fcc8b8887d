// The 29-field effects record and effects.tmp from arbitrary bytes: a record is taken whole
// with every slider inside its travel, or the base is left exactly as it was; what is
// taken writes back to itself.
#include "effects/effects_record.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmora::effects;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    EffectsSettings base;
    base.bands.fill(kBandFlat);
    base.reverb = initialReverbValues();
    base.equaliserText = "Custom";
    const EffectsRecordRead read = parseEffectsRecord(bytes, base);
    if (!read.result.ok() && !(read.settings == base)) std::abort();
    for (int v : read.settings.bands)
        if (!kBandRange.contains(v)) std::abort();
    for (int i = 0; i < kReverbSliderCount; ++i)
        if (!reverbRanges()[std::size_t(i)].contains(read.settings.reverb[std::size_t(i)]))
            std::abort();
    if (read.result.ok()) {
        const auto again = parseEffectsRecord(effectsRecordBytes(read.settings), base);
        if (!again.result.ok() || !(again.settings == read.settings)) std::abort();
    }
    if (const auto tmp = parseEffectsTmp(bytes)) {
        if (tmp->equaliserIndex < -1 || tmp->reverbIndex < -1) std::abort();
        if (parseEffectsTmp(effectsTmpBytes(*tmp)) != tmp) std::abort();
    }
    return 0;
}
