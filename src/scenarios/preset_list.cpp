#include "preset_list.h"

#include "core/files/text_record.h"

namespace velmora::scenarios {

namespace {
std::optional<PresetCaptions> captionsFrom(files::RecordReader& reader) {
    if (reader.size() < std::size_t(state::kPresetCount)) return std::nullopt;
    PresetCaptions captions;
    for (auto& caption : captions) {
        caption = reader.nextText().value_or("");
        if (caption.empty()) caption = state::kUnassignedPreset;
    }
    return captions;
}
} // namespace

std::optional<PresetCaptions> parsePresetList(std::string_view bytes) {
    files::RecordReader reader(bytes);
    return captionsFrom(reader);
}

std::optional<PresetCaptions> readPresetList(const std::filesystem::path& path) {
    auto reader = files::RecordReader::fromFile(path);
    if (!reader.ok()) return std::nullopt;
    return captionsFrom(reader);
}

std::string presetListBytes(const PresetCaptions& captions) {
    files::RecordWriter w;
    for (const auto& caption : captions)
        w.text(caption);
    w.endRecord();
    return w.bytes();
}

FileResult writePresetList(const std::filesystem::path& path, const PresetCaptions& captions) {
    return replaceFileAtomically(path, presetListBytes(captions));
}

} // namespace velmora::scenarios
