#include "main_state.h"

#include "platform/ascii_case.h"

#include <algorithm>
#include <cctype>

namespace velmora::state {

bool MainState::alarmOn() const {
    std::string t;
    for (char c : alarmFlag)
        if (c != ' ' && c != '#') t += c;
    return equalsIgnoringCase(t, "true");
}

namespace {
FileResult readMainStateFrom(files::RecordReader& reader, FileResult result, MainState& s) {
    FieldReader f(reader, result, kMainStateFields);
    f.text(s.alarmFlag);
    f.text(s.scenarioName);
    f.int32(s.randomIntervalSlider);
    f.int32(s.customIntervalSlider);
    f.text(s.slideshowName);
    f.text(s.pictureName);
    f.text(s.colorSchemeName);
    f.int16(s.outputDevice);
    return result;
}
} // namespace

FileResult readMainState(const std::filesystem::path& path, MainState& s) {
    FileResult result;
    auto reader = openRecordFile(path, result);
    if (!reader.ok()) return result;
    return readMainStateFrom(reader, result, s);
}

FileResult parseMainState(std::string_view bytes, MainState& s) {
    files::RecordReader reader(bytes);
    return readMainStateFrom(reader, FileResult{}, s);
}

std::string mainStateBytes(const MainState& s) {
    files::RecordWriter w;
    w.text(s.alarmFlag)
        .text(s.scenarioName)
        .integer(s.randomIntervalSlider)
        .integer(s.customIntervalSlider)
        .text(s.slideshowName)
        .text(s.pictureName)
        .text(s.colorSchemeName)
        .integer(s.outputDevice)
        .endRecord();
    return w.bytes();
}

FileResult writeMainState(const std::filesystem::path& path, const MainState& s) {
    return replaceFileAtomically(path, mainStateBytes(s));
}

} // namespace velmora::state
