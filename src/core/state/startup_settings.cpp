#include "startup_settings.h"

#include "platform/atomic_file.h"
#include "platform/ini_document.h"

namespace velmora::state {

namespace {
IniDocument load(const std::filesystem::path& path) {
    std::string bytes;
    if (!readWholeFile(path, bytes, files::kMaxRecordFileBytes).ok()) return {};
    return IniDocument::parse(bytes);
}
} // namespace

FileResult writeStartupSetting(const std::filesystem::path& path, std::string_view key,
                               std::string_view value) {
    auto doc = load(path);
    doc.set(kStartupSection, key, value);
    return replaceFileAtomically(path, doc.serialize());
}

std::optional<std::string> readStartupSetting(const std::filesystem::path& path,
                                              std::string_view key) {
    return load(path).value(kStartupSection, key);
}

} // namespace velmora::state
