// The start-up controllers' only contact with the sound engine, kept in one file so that
// their tests link without it.
#include "audio/sound_engine.h"
#include "device_selection.h"
#include "launcher.h"

namespace velmora {

BackendVersion soundBackendVersion() {
    const int major = audio::SoundEngine::backendMajorVersion();
    const std::string text = audio::SoundEngine::backendVersionText();
    return {major, minorFromVersionText(text, major), text};
}

DeviceNames engineDeviceNames(audio::SoundEngine& engine) {
    return [&engine] {
        engine.setOutput(audio::kAutomaticOutput);
        std::vector<std::string> names;
        const int n = engine.driverCount();
        for (int i = 0; i < n; ++i)
            names.push_back(engine.driverName(i));
        return names;
    };
}

} // namespace velmora
