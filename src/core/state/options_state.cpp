#include "options_state.h"

#include "core/services.h"

#include <cctype>
#include <cstdlib>

namespace velmora::state {

namespace {
FileResult readOptionsStateFrom(files::RecordReader& reader, FileResult result, OptionsState& s) {
    FieldReader f(reader, result, kOptionsStateFields);
    f.boolean(s.colorSchemeWithScenario);
    f.boolean(s.colorChangeOnRemote);
    f.boolean(s.volumesOnScenarioLoad);
    f.boolean(s.autoHideRemote);
    f.text(s.inactivityTime);
    f.boolean(s.startWithController);
    return result;
}
} // namespace

FileResult readOptionsState(const std::filesystem::path& path, OptionsState& s) {
    FileResult result;
    auto reader = openRecordFile(path, result);
    if (!reader.ok()) return result;
    return readOptionsStateFrom(reader, result, s);
}

FileResult parseOptionsState(std::string_view bytes, OptionsState& s) {
    files::RecordReader reader(bytes);
    return readOptionsStateFrom(reader, FileResult{}, s);
}

std::string optionsStateBytes(const OptionsState& s) {
    files::RecordWriter w;
    w.integer(s.colorSchemeWithScenario ? 1 : 0)
        .integer(s.colorChangeOnRemote ? 1 : 0)
        .integer(s.volumesOnScenarioLoad ? 1 : 0)
        .integer(s.autoHideRemote ? 1 : 0)
        .text(s.inactivityTime)
        .integer(s.startWithController ? 1 : 0)
        .endRecord();
    return w.bytes();
}

FileResult writeOptionsState(const std::filesystem::path& path, const OptionsState& s) {
    return replaceFileAtomically(path, optionsStateBytes(s));
}

double leadingNumber(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    std::size_t j = i;
    if (j < text.size() && (text[j] == '-' || text[j] == '+')) ++j;
    bool digits = false, dot = false;
    while (j < text.size()) {
        const char c = text[j];
        if (std::isdigit(static_cast<unsigned char>(c))) {
            digits = true;
        } else if (c == '.' && !dot) {
            dot = true;
        } else {
            break;
        }
        ++j;
    }
    if (!digits) return 0.0;
    return std::strtod(text.substr(i, j - i).c_str(), nullptr);
}

namespace {
constexpr const char* kLauncherSection = "Options";
constexpr const char* kLauncherKey = "Show Tips at Start2";
constexpr const char* kRemoteSection = "Settings22";
constexpr const char* kRemoteKey = "remoteonstart";
} // namespace

bool launcherPassed(const SettingsStore& store) {
    return store.read(kProgramFileName, kLauncherSection, kLauncherKey, "2") == "1";
}

void markLauncherPassed(SettingsStore& store) {
    store.write(kProgramFileName, kLauncherSection, kLauncherKey, "1");
}

bool readRemoteOnStart(const SettingsStore& store) {
    const auto v = store.read(kProgramTitle, kRemoteSection, kRemoteKey, "0");
    return leadingNumber(v) != 0.0;
}

void writeRemoteOnStart(SettingsStore& store, bool on) {
    store.write(kProgramTitle, kRemoteSection, kRemoteKey, on ? "1" : "0");
}

} // namespace velmora::state
