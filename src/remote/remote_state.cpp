#include "remote_state.h"

#include "core/files/text_record.h"
#include "core/state/state_read.h"
#include "platform/atomic_file.h"

#include <algorithm>

namespace velmora::remote {

namespace {
constexpr std::size_t kFields = 3;
/// Longer than any path a file system takes: damage, not a folder.
constexpr std::size_t kMaxPath = 4096;
constexpr int kMaxMinutes = 999;

/// A quote cannot be written back in this layout, so a text holding one is not kept.
bool plausiblePath(const std::string& s) {
    return s.size() <= kMaxPath && std::none_of(s.begin(), s.end(), [](char c) {
               return (c >= 0 && c < 0x20) || c == '"';
           });
}

FileResult readFrom(files::RecordReader& reader, FileResult result, RemoteState& s) {
    RemoteState read;
    state::FieldReader f(reader, result, kFields);
    f.text(read.slideshowFolder);
    f.text(read.chooserFolder);
    f.text(read.changeEvery);
    if (plausiblePath(read.slideshowFolder)) s.slideshowFolder = read.slideshowFolder;
    if (plausiblePath(read.chooserFolder)) s.chooserFolder = read.chooserFolder;
    const auto minutes = files::toInteger(files::Field{read.changeEvery, false});
    if (minutes && *minutes >= 0 && *minutes <= kMaxMinutes)
        s.changeEvery = std::to_string(*minutes);
    return result;
}
} // namespace

FileResult readRemoteState(const std::filesystem::path& path, RemoteState& s) {
    FileResult result;
    auto reader = state::openRecordFile(path, result);
    if (!reader.ok()) return result;
    return readFrom(reader, result, s);
}

FileResult parseRemoteState(std::string_view bytes, RemoteState& s) {
    files::RecordReader reader(bytes);
    return readFrom(reader, FileResult{}, s);
}

std::string remoteStateBytes(const RemoteState& s) {
    files::RecordWriter w;
    w.text(s.slideshowFolder).text(s.chooserFolder).text(s.changeEvery).endRecord();
    return w.bytes();
}

FileResult writeRemoteState(const std::filesystem::path& path, const RemoteState& s) {
    return replaceFileAtomically(path, remoteStateBytes(s));
}

} // namespace velmora::remote
