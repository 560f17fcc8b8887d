#include "main2_state.h"

namespace velmora::state {

namespace {
FileResult readMain2StateFrom(files::RecordReader& reader, FileResult result, Main2State& s) {
    FieldReader f(reader, result, kMain2StateFields);
    f.int32(s.master);
    f.int32(s.background);
    f.int32(s.random);
    f.int32(s.mp3);
    f.int32(s.cd);
    for (int i = 0; i < 12; ++i)
        f.text(s.presetCaptions[i]);
    for (int slot : kColorFieldSlots)
        f.colour(s.colorSlots[slot - 1]);
    f.text(s.text1);
    f.text(s.text3);
    f.text(s.text3);
    f.text(s.scenarioInformation);
    f.text(s.remoteSlideshowFolder);
    f.text(s.remoteSelectedFile);
    f.text(s.pictureName);
    f.boolean(s.customAutoRandomise);
    f.boolean(s.bankOneAutoRandomise);
    f.int16(s.outputDevice);
    f.text(s.presetCaptions[12]);
    f.text(s.presetCaptions[13]);
    return result;
}
} // namespace

FileResult readMain2State(const std::filesystem::path& path, Main2State& s) {
    FileResult result;
    auto reader = openRecordFile(path, result);
    if (!reader.ok()) return result;
    return readMain2StateFrom(reader, result, s);
}

FileResult parseMain2State(std::string_view bytes, Main2State& s) {
    files::RecordReader reader(bytes);
    return readMain2StateFrom(reader, FileResult{}, s);
}

std::string main2StateBytes(const Main2State& s) {
    files::RecordWriter w;
    w.integer(s.master).integer(s.background).integer(s.random).integer(s.mp3).integer(s.cd);
    for (int i = 0; i < 12; ++i)
        w.text(s.presetCaptions[i]);
    for (int slot : kColorFieldSlots)
        w.text(std::to_string(s.colorSlots[slot - 1]));
    w.text(s.text1).text(s.text3).text(s.text3).text(s.scenarioInformation);
    w.text(s.remoteSlideshowFolder).text(s.remoteSelectedFile).text(s.pictureName);
    w.boolean(s.customAutoRandomise).boolean(s.bankOneAutoRandomise);
    w.integer(s.outputDevice);
    w.text(s.presetCaptions[12]).text(s.presetCaptions[13]);
    w.endRecord();
    return w.bytes();
}

FileResult writeMain2State(const std::filesystem::path& path, const Main2State& s) {
    return replaceFileAtomically(path, main2StateBytes(s));
}

std::optional<std::int16_t> readOutputDeviceIndex(const std::filesystem::path& path) {
    Main2State s;
    const auto result = readMain2State(path, s);
    if (!result.fieldRead(kOutputDeviceField)) return std::nullopt;
    return s.outputDevice;
}

} // namespace velmora::state
