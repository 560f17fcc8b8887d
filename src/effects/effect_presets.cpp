#include "effects/effect_presets.h"

#include "platform/typed_name.h"

#include "core/files/text_record.h"
#include "platform/ascii_case.h"
#include "platform/atomic_file.h"

#include <algorithm>
#include <system_error>

namespace velmora::effects {

const char* presetFolder(PresetKind kind) {
    return kind == PresetKind::Equaliser ? "\\config\\fx\\EQ Presets"
                                         : "\\config\\fx\\reverb presets";
}

const char* presetExtension(PresetKind kind) {
    return kind == PresetKind::Equaliser ? ".eqf" : ".rvf";
}

int presetValueCount(PresetKind kind) {
    return kind == PresetKind::Equaliser ? kBandCount : kReverbStoredCount;
}

SliderRange presetRange(PresetKind kind, int i) {
    return kind == PresetKind::Equaliser ? kBandRange : reverbRanges()[i];
}

PresetRead parsePreset(std::string_view bytes, PresetKind kind) {
    PresetRead read;
    files::RecordReader reader(bytes);
    const int count = presetValueCount(kind);
    read.result.fieldsFound = reader.size();
    std::vector<int> values;
    for (int i = 0; i < count; ++i) {
        const auto field = reader.next();
        if (!field) {
            read.result.fail(FileError::TooShort, std::size_t(i) + 1);
            return read;
        }
        const auto value = files::toInteger(*field);
        if (!value) {
            read.result.fail(FileError::NotANumber, std::size_t(i) + 1);
            return read;
        }
        const SliderRange range = presetRange(kind, i);
        const auto limited = std::clamp<std::int64_t>(*value, range.min, range.max);
        read.adjusted = read.adjusted || limited != *value;
        values.push_back(int(limited));
    }
    read.values = std::move(values);
    return read;
}

PresetRead readPreset(const std::filesystem::path& path, PresetKind kind) {
    std::string bytes;
    const FileResult file = readWholeFile(path, bytes, files::kMaxRecordFileBytes);
    if (!file.ok()) {
        PresetRead read;
        read.result = file;
        return read;
    }
    return parsePreset(bytes, kind);
}

std::string presetBytes(std::span<const int> values) {
    files::RecordWriter w;
    for (int v : values)
        w.integer(v);
    w.endRecord();
    return w.bytes();
}

std::vector<std::string> listPresets(const std::filesystem::path& folder, PresetKind kind) {
    std::vector<std::string> names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string file = it->path().filename().string();
        if (it->is_regular_file(ec) && file.size() > 4 &&
            endsWithIgnoringCase(file, presetExtension(kind)))
            names.push_back(file.substr(0, file.size() - 4));
    }
    std::sort(names.begin(), names.end(), lessIgnoringCase);
    return names;
}

bool isSafePresetName(std::string_view name) {
    return typedNameProblem(name) == NameProblem::None;
}

} // namespace velmora::effects
