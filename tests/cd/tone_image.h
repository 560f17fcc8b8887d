#pragma once
// A CD image of three tracks of steady tones (2 s at 441 Hz, 3 s at 882 Hz, 1 s at 1323 Hz),
// written as a .cue sheet and its raw .bin, as a disc would be ripped.

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace velmora::cd::testing {

struct ToneTrack {
    double hz;
    int seconds;
};
inline const std::vector<ToneTrack> kToneTracks = {{441, 2}, {882, 3}, {1323, 1}};

/// The left sample of frame i of a track: the right one is its negative, so a swap of
/// channels or of byte order shows.
inline std::int16_t toneSample(const ToneTrack& t, std::int64_t i) {
    return static_cast<std::int16_t>(
        std::lround(12000.0 * std::sin(2 * 3.14159265358979 * t.hz * double(i) / 44100.0)));
}

/// Writes name.bin and name.cue into dir; returns the .cue path.
inline std::filesystem::path writeToneImage(const std::filesystem::path& dir,
                                            const std::string& name = "tones") {
    std::filesystem::create_directories(dir);
    std::ofstream bin(dir / (name + ".bin"), std::ios::binary);
    std::ofstream cue(dir / (name + ".cue"), std::ios::binary);
    cue << "FILE \"" << name << ".bin\" BINARY\r\n";
    int sectors = 0, number = 1;
    for (const auto& t : kToneTracks) {
        char msf[16];
        std::snprintf(msf, sizeof msf, "%02d:%02d:%02d", sectors / 75 / 60, sectors / 75 % 60,
                      sectors % 75);
        cue << "  TRACK 0" << number++ << " AUDIO\r\n    INDEX 01 " << msf << "\r\n";
        for (std::int64_t i = 0; i < std::int64_t(t.seconds) * 44100; ++i) {
            const std::int16_t l = toneSample(t, i);
            const std::int16_t r = static_cast<std::int16_t>(-l);
            const unsigned char bytes[4] = {
                static_cast<unsigned char>(l & 0xff), static_cast<unsigned char>((l >> 8) & 0xff),
                static_cast<unsigned char>(r & 0xff), static_cast<unsigned char>((r >> 8) & 0xff)};
            bin.write(reinterpret_cast<const char*>(bytes), 4);
        }
        sectors += t.seconds * 75;
    }
    return dir / (name + ".cue");
}

} // namespace velmora::cd::testing
