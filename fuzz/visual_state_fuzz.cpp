// STATES.tmp and pasettings.ini from arbitrary bytes: the four values are only ever off or
// on, the speed stays on its slider, and both write back what they read.
#include "visual/visual_files.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    namespace v = velmora::visual;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    v::VisualState state;
    (void)v::parseVisualState(bytes, state);
    for (int value : {state.panoramic, state.slideshow, state.remoteShown, state.background})
        if (value != 0 && value != v::kOn) std::abort();
    v::VisualState again;
    if (!v::parseVisualState(v::visualStateBytes(state), again).ok() || !(again == state))
        std::abort();

    const int speed = v::parsePanoramaSpeed(bytes);
    if (speed < v::kSpeedMinimum || speed > v::kSpeedMaximum) std::abort();
    if (v::parsePanoramaSpeed(v::panoramaSpeedBytes(speed)) != speed) std::abort();
    return 0;
}
