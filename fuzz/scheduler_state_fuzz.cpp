// Timersettings.tmp, .sch schedules and the playlist files from arbitrary bytes: whatever
// was read writes back and reads again to the same values.
#include "scheduling/scheduler_files.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmora::scheduling;
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    SchedulerState state;
    (void)parseSchedulerState(bytes, state);
    if (state.intervalPosition < -1 || state.intervalPosition > 6) std::abort();
    SchedulerState again;
    if (!parseSchedulerState(schedulerStateBytes(state), again).ok() || !(again == state))
        std::abort();

    TimeOfDayTable table;
    (void)parseSchedule(bytes, table);
    TimeOfDayTable tableAgain;
    if (!parseSchedule(scheduleBytes(table), tableAgain).ok() || !(tableAgain == table))
        std::abort();

    const auto lines = parsePlaylistLines(bytes);
    if (parsePlaylistLines(playlistBytes(lines)) != lines) std::abort();
    return 0;
}
