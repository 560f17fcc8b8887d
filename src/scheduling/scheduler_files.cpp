#include "scheduler_files.h"

#include "core/state/state_read.h"

#include <algorithm>

namespace velmora::scheduling {

namespace {
using state::FieldReader;

void readTable(FieldReader& f, TimeOfDayTable& t, bool withFlags) {
    for (auto& e : t)
        f.boolean(e.enabled);
    for (auto& e : t)
        f.text(e.displayName);
    for (auto& e : t)
        f.text(e.triggerTime);
    if (withFlags) {
        for (auto& e : t)
            f.boolean(e.firstFlag);
        for (auto& e : t)
            f.boolean(e.secondFlag);
    }
    for (auto& e : t)
        f.text(e.scenario);
}

void writeTable(files::RecordWriter& w, const TimeOfDayTable& t, bool withFlags) {
    for (const auto& e : t)
        w.integer(e.enabled ? 1 : 0);
    for (const auto& e : t)
        w.text(e.displayName);
    for (const auto& e : t)
        w.text(e.triggerTime);
    if (withFlags) {
        for (const auto& e : t)
            w.boolean(e.firstFlag);
        for (const auto& e : t)
            w.boolean(e.secondFlag);
    }
    for (const auto& e : t)
        w.text(e.scenario);
}

FileResult readStateFrom(files::RecordReader& reader, FileResult result, SchedulerState& s) {
    FieldReader f(reader, result, kSchedulerStateFields);
    readTable(f, s.entries, true);
    bool disabled = false, timeOfDay = false, interval = false;
    f.boolean(disabled);
    f.boolean(timeOfDay);
    f.boolean(interval);
    // The three are radio options; a file with several set takes the last, as setting
    // them in order would.
    if (interval)
        s.mode = SchedulerMode::Interval;
    else if (timeOfDay)
        s.mode = SchedulerMode::TimeOfDay;
    else if (disabled)
        s.mode = SchedulerMode::Disabled;
    int position = s.intervalPosition;
    f.int32(position);
    if (position >= -1 && position <= 6) s.intervalPosition = position;
    f.boolean(s.randomOrder);
    return result;
}

std::vector<std::string> withoutBlankLines(std::vector<std::string> lines) {
    std::erase_if(lines, [](const std::string& l) {
        return std::all_of(l.begin(), l.end(), [](unsigned char c) { return c <= ' '; });
    });
    return lines;
}

FileResult readScheduleFrom(files::RecordReader& reader, FileResult result, TimeOfDayTable& t) {
    FieldReader f(reader, result, kScheduleFields);
    readTable(f, t, false);
    return result;
}
} // namespace

FileResult parseSchedulerState(std::string_view bytes, SchedulerState& state) {
    files::RecordReader reader(bytes);
    return readStateFrom(reader, FileResult{}, state);
}

FileResult readSchedulerState(const std::filesystem::path& path, SchedulerState& state) {
    FileResult result;
    auto reader = state::openRecordFile(path, result);
    if (!reader.ok()) return result;
    return readStateFrom(reader, result, state);
}

std::string schedulerStateBytes(const SchedulerState& s) {
    files::RecordWriter w;
    writeTable(w, s.entries, true);
    w.boolean(s.mode == SchedulerMode::Disabled)
        .boolean(s.mode == SchedulerMode::TimeOfDay)
        .boolean(s.mode == SchedulerMode::Interval)
        .integer(s.intervalPosition)
        .integer(s.randomOrder ? 1 : 0)
        .endRecord();
    return w.bytes();
}

FileResult parseSchedule(std::string_view bytes, TimeOfDayTable& table) {
    files::RecordReader reader(bytes);
    return readScheduleFrom(reader, FileResult{}, table);
}

FileResult readSchedule(const std::filesystem::path& path, TimeOfDayTable& table) {
    FileResult result;
    auto reader = state::openRecordFile(path, result);
    if (!reader.ok()) return result;
    return readScheduleFrom(reader, result, table);
}

std::string scheduleBytes(const TimeOfDayTable& table) {
    files::RecordWriter w;
    writeTable(w, table, false);
    w.endRecord();
    return w.bytes();
}

std::vector<std::string> parsePlaylistLines(std::string_view bytes) {
    return withoutBlankLines(files::splitLines(bytes));
}

FileResult readPlaylistFile(const std::filesystem::path& path, std::vector<std::string>& lines) {
    auto read = files::readLines(path);
    if (read.result.ok()) lines = withoutBlankLines(std::move(read.lines));
    return read.result;
}

std::string playlistBytes(const std::vector<std::string>& lines) {
    files::RecordWriter w;
    for (const auto& l : lines)
        w.line(l);
    return w.bytes();
}

} // namespace velmora::scheduling
