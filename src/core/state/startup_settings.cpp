#include "startup_settings.h"

#include "platform/atomic_file.h"
#include "platform/ini_document.h"

namespace velmora::state {

namespace {
/// The file's document; empty when it is missing or could not be read (result says which).
IniDocument load(const std::filesystem::path& path, FileResult& result) {
    std::string bytes;
    result = readWholeFile(path, bytes, files::kMaxRecordFileBytes);
    if (!result.ok()) return {};
    return IniDocument::parse(bytes);
}
} // namespace

FileResult writeStartupSetting(const std::filesystem::path& path, std::string_view key,
                               std::string_view value) {
    FileResult read;
    auto doc = load(path, read);
    // A file that exists but could not be read is left alone rather than replaced by one key.
    if (!read.ok() && !read.missing()) return read;
    doc.set(kStartupSection, key, value);
    return replaceFileAtomically(path, doc.serialize());
}

std::optional<std::string> readStartupSetting(const std::filesystem::path& path,
                                              std::string_view key) {
    FileResult read;
    return load(path, read).value(kStartupSection, key);
}

} // namespace velmora::state
