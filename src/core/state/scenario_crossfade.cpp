#include "scenario_crossfade.h"

#include "core/services.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace velmora::state {

namespace {
constexpr const char* kSection = "Options";
constexpr const char* kOnKey = "Crossfade between scenarios";
constexpr const char* kSecondsKey = "Crossfade seconds";
} // namespace

ScenarioCrossfade readScenarioCrossfade(const SettingsStore& store) {
    ScenarioCrossfade crossfade;
    crossfade.on = store.read(kProgramFileName, kSection, kOnKey, "0") == "1";
    const std::string text = store.read(kProgramFileName, kSection, kSecondsKey, "");
    int seconds = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
    if (error == std::errc{} && end == text.data() + text.size())
        crossfade.seconds =
            std::clamp(seconds, ScenarioCrossfade::kMinSeconds, ScenarioCrossfade::kMaxSeconds);
    return crossfade;
}

void writeScenarioCrossfade(SettingsStore& store, const ScenarioCrossfade& crossfade) {
    store.write(kProgramFileName, kSection, kOnKey, crossfade.on ? "1" : "0");
    store.write(kProgramFileName, kSection, kSecondsKey,
                std::to_string(std::clamp(crossfade.seconds, ScenarioCrossfade::kMinSeconds,
                                          ScenarioCrossfade::kMaxSeconds)));
}

} // namespace velmora::state
