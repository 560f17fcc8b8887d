#pragma once
// "Crossfade between scenarios": whether a scenario load glides from what plays to what the
// scenario holds, and over how long. Kept in the settings store's [Options] section, so the
// options file keeps exactly its fields and older copies of the program read it unchanged.
//
// Thread: UI thread.

#include "platform/settings_store.h"

namespace velmora::state {

struct ScenarioCrossfade {
    static constexpr int kMinSeconds = 2;
    static constexpr int kMaxSeconds = 30;
    bool on = false;
    int seconds = 5; ///< kMinSeconds..kMaxSeconds
};

/// Off and the default length when missing; a length that is not a number is the default,
/// one out of range the nearest end of the range.
[[nodiscard]] ScenarioCrossfade readScenarioCrossfade(const SettingsStore& store);
void writeScenarioCrossfade(SettingsStore& store, const ScenarioCrossfade& crossfade);

} // namespace velmora::state
