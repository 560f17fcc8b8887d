#include "alarm_settings.h"

#include "core/state/state_read.h"
#include "time_of_day.h"

#include <algorithm>

namespace velmora::scheduling {

namespace {
FileResult readFrom(files::RecordReader& reader, FileResult result, AlarmSettings& s) {
    state::FieldReader f(reader, result, kAlarmStateFields);
    AlarmSettings read = s;
    f.int32(read.playForPosition);
    f.boolean(read.repeat);
    f.boolean(read.fadeIn);
    f.int32(read.maxVolume);
    f.boolean(read.closeProgram);
    f.boolean(read.shutdown);
    f.text(read.soundFile);
    f.text(read.hour);
    f.text(read.minute);
    if (read.playForPosition >= -1 && read.playForPosition < int(kPlayForTexts.size()))
        s.playForPosition = read.playForPosition;
    if (read.maxVolume >= 0 && read.maxVolume <= 255) s.maxVolume = read.maxVolume;
    s.repeat = read.repeat;
    s.fadeIn = read.fadeIn;
    // The two end options exclude each other; a file with both keeps the stronger one.
    s.shutdown = read.shutdown;
    s.closeProgram = read.closeProgram && !read.shutdown;
    s.soundFile = read.soundFile;
    if (isTwoDigitNumber(read.hour, 23)) s.hour = read.hour;
    if (isTwoDigitNumber(read.minute, 59)) s.minute = read.minute;
    return result;
}
} // namespace

int AlarmSettings::playForSeconds() const {
    const std::size_t i = playForPosition < 0 ? 0 : std::size_t(playForPosition);
    return std::stoi(kPlayForTexts[std::min(i, kPlayForTexts.size() - 1)]);
}

FileResult parseAlarmSettings(std::string_view bytes, AlarmSettings& settings) {
    files::RecordReader reader(bytes);
    return readFrom(reader, FileResult{}, settings);
}

FileResult readAlarmSettings(const std::filesystem::path& path, AlarmSettings& settings) {
    FileResult result;
    auto reader = state::openRecordFile(path, result);
    if (!reader.ok()) return result;
    return readFrom(reader, result, settings);
}

std::string alarmSettingsBytes(const AlarmSettings& s) {
    files::RecordWriter w;
    w.integer(s.playForPosition)
        .integer(s.repeat ? 1 : 0)
        .integer(s.fadeIn ? 1 : 0)
        .integer(s.maxVolume)
        .integer(s.closeProgram ? 1 : 0)
        .integer(s.shutdown ? 1 : 0)
        .text(s.soundFile)
        .text(s.hour)
        .text(s.minute)
        .endRecord();
    return w.bytes();
}

std::string twoDigitText(int value, int max) {
    value = std::clamp(value, 0, max);
    return std::string(1, char('0' + value / 10)) + char('0' + value % 10);
}

} // namespace velmora::scheduling
