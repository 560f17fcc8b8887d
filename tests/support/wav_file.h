#pragma once
// Sound files for tests and benchmarks: plain 16-bit PCM WAV, written by hand so a rig needs
// no audio library of its own. Samples are floats in -1..1; values beyond are clamped.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

namespace velmora::testing {

/// A steady sine of peak `amplitude`; whole cycles per file make a loop meet without a click.
inline std::vector<float> sineTone(double seconds, double hz, double amplitude, int rate = 44100) {
    std::vector<float> out(static_cast<std::size_t>(seconds * rate));
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<float>(
            amplitude * std::sin(2 * std::numbers::pi * hz * static_cast<double>(i) / rate));
    return out;
}

/// Writes interleaved frames of `channels` channels at `rate` Hz, creating the folder.
/// False when the file could not be written.
inline bool writeWav(const std::filesystem::path& path, const std::vector<float>& samples,
                     int channels = 1, int rate = 44100) {
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    auto put = [&out](std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out.put(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    const auto blockAlign = static_cast<std::uint32_t>(channels * 2);
    out.write("RIFF", 4);
    put(36 + dataBytes, 4);
    out.write("WAVEfmt ", 8);
    put(16, 4);
    put(1, 2); // PCM
    put(static_cast<std::uint32_t>(channels), 2);
    put(static_cast<std::uint32_t>(rate), 4);
    put(static_cast<std::uint32_t>(rate) * blockAlign, 4);
    put(blockAlign, 2);
    put(16, 2);
    out.write("data", 4);
    put(dataBytes, 4);
    for (float s : samples)
        put(static_cast<std::uint16_t>(
                static_cast<std::int16_t>(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f))),
            2);
    out.flush();
    return static_cast<bool>(out);
}

/// A mono sine tone file (see sineTone).
inline bool writeTone(const std::filesystem::path& path, double seconds, double hz = 440.0,
                      double amplitude = 0.5) {
    return writeWav(path, sineTone(seconds, hz, amplitude));
}

} // namespace velmora::testing
