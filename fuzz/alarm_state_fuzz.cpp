// alarm.tmp from arbitrary bytes: the values read stay in range and read back the same.
#include "scheduling/alarm_settings.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmora::scheduling;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    AlarmSettings alarm;
    (void)parseAlarmSettings(bytes, alarm);
    if (alarm.maxVolume < 0 || alarm.maxVolume > 255) std::abort();
    if (alarm.closeProgram && alarm.shutdown) std::abort();
    if (alarm.playForSeconds() < 10 || alarm.hour.size() != 2 || alarm.minute.size() != 2)
        std::abort();
    AlarmSettings again;
    if (!parseAlarmSettings(alarmSettingsBytes(alarm), again).ok() || !(again == alarm))
        std::abort();
    return 0;
}
