// The scheduler's and the alarm's files: their layouts, and what damaged ones leave.

#include "core/files/text_record.h"
#include "scheduling/alarm_settings.h"
#include "scheduling/scheduler_files.h"
#include "scheduling/time_of_day.h"

#include <gtest/gtest.h>

namespace velmora::scheduling {
namespace {

TEST(SchedulerFiles, StateHas53FieldsAndReadsBackWhole) {
    SchedulerState s;
    s.entries[0] = {true, "Dawn, chorus", "05:00:00", false, true, "Dawn, chorus"};
    s.entries[7].triggerTime = "23:59:59";
    s.mode = SchedulerMode::Interval;
    s.intervalPosition = 6;
    s.randomOrder = true;
    const std::string bytes = schedulerStateBytes(s);
    EXPECT_EQ(files::parseFields(bytes).size(), kSchedulerStateFields);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");

    SchedulerState back;
    EXPECT_TRUE(parseSchedulerState(bytes, back).ok());
    EXPECT_EQ(back, s);

    TimeOfDayTable table;
    const std::string sch = scheduleBytes(s.entries);
    EXPECT_EQ(files::parseFields(sch).size(), kScheduleFields);
    EXPECT_TRUE(parseSchedule(sch, table).ok());
    EXPECT_EQ(table[0].scenario, "Dawn, chorus");
    EXPECT_TRUE(table[0].enabled);
}

TEST(SchedulerFiles, DamagedStateLeavesDefaults) {
    const SchedulerState defaults;
    for (std::string_view bytes : {std::string_view{}, std::string_view("1,0,\"x"),
                                   std::string_view("\x00\xff\xfe garbage,,,\r\n", 16)}) {
        SchedulerState s;
        (void)parseSchedulerState(bytes, s);
        EXPECT_EQ(s.mode, SchedulerMode::None);
        EXPECT_EQ(s.entries[3], defaults.entries[3]);
        EXPECT_EQ(s.intervalPosition, -1);
    }
    // An interval position out of range would index past the list.
    SchedulerState s;
    std::string bytes = schedulerStateBytes(s);
    bytes.replace(bytes.rfind(",-1,"), 4, ",99,");
    (void)parseSchedulerState(bytes, s);
    EXPECT_EQ(s.intervalPosition, -1);
}

TEST(SchedulerFiles, PlaylistLinesStayWhole) {
    const std::vector<std::string> paths{"/music/Rain, soft.vlm", "Wind.vlm"};
    EXPECT_EQ(parsePlaylistLines(playlistBytes(paths)), paths);
    EXPECT_EQ(parsePlaylistLines("a.vlm\n\r\n  \nb.vlm"),
              (std::vector<std::string>{"a.vlm", "b.vlm"}));
}

TEST(AlarmFiles, NineFieldsRoundTripAndBadValuesAreRefused) {
    AlarmSettings a;
    a.playForPosition = 5;
    a.repeat = true;
    a.maxVolume = 255;
    a.shutdown = true;
    a.soundFile = "/home/u/Bells, big.ogg";
    a.hour = "23";
    a.minute = "59";
    const std::string bytes = alarmSettingsBytes(a);
    EXPECT_EQ(files::parseFields(bytes).size(), kAlarmStateFields);
    AlarmSettings back;
    EXPECT_TRUE(parseAlarmSettings(bytes, back).ok());
    EXPECT_EQ(back, a);

    AlarmSettings bad;
    (void)parseAlarmSettings("9,0,0,900,1,1,\"x\",\"25\",\"7\"\r\n", bad);
    EXPECT_EQ(bad.playForPosition, -1);
    EXPECT_EQ(bad.maxVolume, 100);
    EXPECT_EQ(bad.hour, "00");
    EXPECT_EQ(bad.minute, "00");
    EXPECT_TRUE(bad.shutdown);
    EXPECT_FALSE(bad.closeProgram);
    EXPECT_EQ(bad.playForSeconds(), 10);
}

TEST(TimeOfDay, ClockTextsAndCalendarArithmetic) {
    EXPECT_TRUE(isClockText("00:00:00"));
    EXPECT_TRUE(isClockText("23:59:59"));
    for (const char* t : {"0:00:00", "24:00:00", "12:60:00", "12:00", "12-00-00", "12:00:00 "})
        EXPECT_FALSE(isClockText(t)) << t;
    const LocalTime leap{2028, 2, 28, 23, 59, 59, 0};
    const LocalTime next = fromLocalSeconds(localSeconds(leap) + 1);
    EXPECT_EQ(next.month, 2);
    EXPECT_EQ(next.day, 29);
    EXPECT_EQ(clockText(next), "00:00:00");
    const LocalTime year = fromLocalSeconds(localSeconds({2026, 12, 31, 23, 59, 59, 0}) + 1);
    EXPECT_EQ(year.year, 2027);
    EXPECT_EQ(year.month, 1);
}

} // namespace
} // namespace velmora::scheduling
