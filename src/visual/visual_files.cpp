#include "visual_files.h"

#include "core/files/text_record.h"
#include "core/state/state_read.h"
#include "platform/atomic_file.h"

#include <algorithm>
#include <cstdint>

namespace velmora::visual {

namespace {
constexpr std::size_t kStateFields = 4;

FileResult readStateFrom(files::RecordReader& reader, FileResult result, VisualState& s) {
    VisualState read = s;
    state::FieldReader f(reader, result, kStateFields);
    for (int* target : {&read.panoramic, &read.slideshow, &read.remoteShown, &read.background}) {
        std::int16_t v = 0;
        f.int16(v);
        // Anything but "on" is off: a stray number must not start a view.
        *target = v == kOn ? kOn : 0;
    }
    s = read;
    return result;
}
} // namespace

FileResult readVisualState(const std::filesystem::path& path, VisualState& s) {
    FileResult result;
    auto reader = state::openRecordFile(path, result);
    if (!reader.ok()) return result;
    return readStateFrom(reader, result, s);
}

FileResult parseVisualState(std::string_view bytes, VisualState& s) {
    files::RecordReader reader(bytes);
    return readStateFrom(reader, FileResult{}, s);
}

std::string visualStateBytes(const VisualState& s) {
    files::RecordWriter w;
    w.integer(s.panoramic).integer(s.slideshow).integer(s.remoteShown).integer(s.background);
    w.endRecord();
    return w.bytes();
}

FileResult writeVisualState(const std::filesystem::path& path, const VisualState& s) {
    return replaceFileAtomically(path, visualStateBytes(s));
}

int parsePanoramaSpeed(std::string_view bytes) {
    files::RecordReader reader(bytes);
    const auto v = reader.nextInteger();
    if (!v) return kSpeedDefault;
    return static_cast<int>(std::clamp<std::int64_t>(*v, kSpeedMinimum, kSpeedMaximum));
}

int readPanoramaSpeed(const std::filesystem::path& path) {
    std::string bytes;
    if (!readWholeFile(path, bytes, files::kMaxRecordFileBytes).ok()) return kSpeedDefault;
    return parsePanoramaSpeed(bytes);
}

std::string panoramaSpeedBytes(int speed) {
    files::RecordWriter w;
    w.integer(std::clamp(speed, kSpeedMinimum, kSpeedMaximum)).endRecord();
    return w.bytes();
}

FileResult writePanoramaSpeed(const std::filesystem::path& path, int speed) {
    return replaceFileAtomically(path, panoramaSpeedBytes(speed));
}

} // namespace velmora::visual
