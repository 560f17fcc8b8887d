#pragma once
// Float audio (-1..1) to 16-bit, the one conversion every output path uses.
// Thread: any.

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace velmora::audio {

/// Scales by 32768 (the scale 16-bit files are read with), saturates at the 16-bit range
/// and rounds half away from zero. Written as a plain loop the compiler vectorises.
inline void floatToPcm16(const float* in, std::int16_t* out, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const float v = in[i] * 32768.0f;
        const float rounded = std::clamp(v + (v >= 0.0f ? 0.5f : -0.5f), -32768.0f, 32767.0f);
        out[i] = static_cast<std::int16_t>(rounded); // truncation of the offset value rounds
    }
}

} // namespace velmora::audio
