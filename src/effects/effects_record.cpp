#include "effects/effects_record.h"

#include "core/files/text_record.h"
#include "effects/effect_presets.h"
#include "platform/atomic_file.h"

#include <algorithm>
#include <limits>

namespace velmora::effects {

std::optional<EffectsTmp> parseEffectsTmp(std::string_view bytes) {
    files::RecordReader r(bytes);
    const auto eqOn = r.nextBool();
    const auto eqIndex = r.nextInteger();
    const auto reverbOn = r.nextBool();
    const auto reverbIndex = r.nextInteger();
    if (!eqOn || !eqIndex || !reverbOn || !reverbIndex) return std::nullopt;
    // A position past any list means nothing selected, however it got there.
    auto index = [](std::int64_t v) {
        return v < -1 || v > std::numeric_limits<int>::max() ? -1 : int(v);
    };
    return EffectsTmp{*eqOn, index(*eqIndex), *reverbOn, index(*reverbIndex)};
}

std::string effectsTmpBytes(const EffectsTmp& tmp) {
    files::RecordWriter w;
    w.boolean(tmp.equaliserOn)
        .integer(tmp.equaliserIndex)
        .boolean(tmp.reverbOn)
        .integer(tmp.reverbIndex)
        .endRecord();
    return w.bytes();
}

EffectsRecordRead parseEffectsRecord(std::string_view bytes, const EffectsSettings& base) {
    EffectsRecordRead read;
    read.settings = base;
    files::RecordReader r(bytes);
    read.result.fieldsFound = r.size();
    if (r.size() < kEffectsRecordFields) {
        read.result.fail(FileError::TooShort, r.size() + 1);
        return read;
    }
    EffectsSettings s = base;
    bool adjusted = false;
    auto slider = [&](SliderRange range, int& into) {
        const auto v = r.nextInteger();
        if (!v) return false;
        const auto limited = std::clamp<std::int64_t>(*v, range.min, range.max);
        adjusted = adjusted || limited != *v;
        into = int(limited);
        return true;
    };
    for (int i = 0; i < kBandCount + kReverbStoredCount; ++i) {
        const bool band = i < kBandCount;
        const bool ok = band ? slider(kBandRange, s.bands[i])
                             : slider(reverbRanges()[i - kBandCount], s.reverb[i - kBandCount]);
        if (!ok) {
            read.result.fail(FileError::NotANumber, std::size_t(i) + 1);
            return read;
        }
    }
    const auto eqOn = r.nextBool();
    const auto reverbOn = r.nextBool();
    if (!eqOn || !reverbOn) {
        read.result.fail(FileError::NotANumber, eqOn ? 27 : 26);
        return read;
    }
    s.equaliserOn = *eqOn;
    s.reverbOn = *reverbOn;
    s.equaliserText = r.nextText().value_or(std::string{});
    s.reverbText = r.nextText().value_or(std::string{});
    read.settings = std::move(s);
    read.adjusted = adjusted;
    return read;
}

EffectsRecordRead readEffectsRecord(const std::filesystem::path& path,
                                    const EffectsSettings& base) {
    std::string bytes;
    const FileResult file = readWholeFile(path, bytes, files::kMaxRecordFileBytes);
    if (!file.ok()) {
        EffectsRecordRead read;
        read.settings = base;
        read.result = file;
        return read;
    }
    return parseEffectsRecord(bytes, base);
}

std::string effectsRecordBytes(const EffectsSettings& s) {
    files::RecordWriter w;
    for (int v : s.bands)
        w.integer(v);
    for (int i = 0; i < kReverbStoredCount; ++i)
        w.integer(s.reverb[i]);
    w.boolean(s.equaliserOn).boolean(s.reverbOn).text(s.equaliserText).text(s.reverbText);
    w.endRecord();
    return w.bytes();
}

} // namespace velmora::effects
