#pragma once
// Procedural landscapes for the visual mode: a sky (gradient, clouds, sun or moon and stars),
// layers of hills or mountains fading into haze, forest edges, and water that mirrors the
// sky. Written as baseline JPEG through libjpeg.
//
// Threads: pure functions; call from any worker thread.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace velmora::factory {

struct Picture {
    std::string path; ///< relative to the program folder
    int width;
    int height;
    int scene; ///< index into the scene table
};

/// The slideshow pictures and the wide panoramic picture.
const std::vector<Picture>& pictures();

/// Renders a scene as 8-bit RGB rows, top row first.
std::vector<std::uint8_t> renderScene(int scene, int width, int height);

/// Writes RGB rows as a JPEG; false with a message on stderr on failure.
bool writeJpeg(const std::filesystem::path& path, const std::vector<std::uint8_t>& rgb, int width,
               int height, int quality = 88);

} // namespace velmora::factory
