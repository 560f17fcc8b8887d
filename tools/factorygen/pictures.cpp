#include "pictures.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include <jpeglib.h>

namespace velmora::factory {

namespace {

using Rgb = std::array<float, 3>;

Rgb mix(const Rgb& a, const Rgb& b, float t) {
    t = std::clamp(t, 0.0f, 1.0f);
    return {a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t, a[2] + (b[2] - a[2]) * t};
}

std::uint32_t hash(std::int32_t x, std::int32_t y, std::uint32_t seed) {
    std::uint32_t h = seed * 0x9e3779b1u ^ static_cast<std::uint32_t>(x) * 0x85ebca6bu ^
                      static_cast<std::uint32_t>(y) * 0xc2b2ae35u;
    h ^= h >> 15;
    h *= 0x2c1b3c6du;
    h ^= h >> 12;
    h *= 0x297a2d39u;
    return h ^ (h >> 15);
}

float lattice(std::int32_t x, std::int32_t y, std::uint32_t seed) {
    return static_cast<float>(hash(x, y, seed) & 0xffffff) / 16777216.0f;
}

// Smooth value noise in [0, 1].
float noise2(float x, float y, std::uint32_t seed) {
    const float fx = std::floor(x), fy = std::floor(y);
    const auto ix = static_cast<std::int32_t>(fx), iy = static_cast<std::int32_t>(fy);
    float tx = x - fx, ty = y - fy;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    const float a = lattice(ix, iy, seed), b = lattice(ix + 1, iy, seed);
    const float c = lattice(ix, iy + 1, seed), d = lattice(ix + 1, iy + 1, seed);
    return a + (b - a) * tx + (c - a) * ty + (a - b - c + d) * tx * ty;
}

float fbm(float x, float y, std::uint32_t seed, int octaves) {
    float sum = 0, amp = 0.5f, norm = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += amp * noise2(x, y, seed + static_cast<std::uint32_t>(o) * 101u);
        norm += amp;
        x *= 2.03f;
        y *= 2.03f;
        amp *= 0.5f;
    }
    return sum / norm;
}

struct Layer {
    float base;      ///< ridge height as a fraction of the picture height from the top
    float amplitude; ///< ridge swing
    float scale;     ///< horizontal features per picture height
    float trees;     ///< 0 = bare ridge; else tree-top spikes of this height
    Rgb colour;
    bool sharp = false; ///< mountain ridges (abs noise) instead of rolling hills
};

struct Scene {
    Rgb skyTop, skyHorizon, haze;
    float sunX, sunY, sunSize; ///< fractions of width/height; size 0 = none
    Rgb sunColour;
    float clouds; ///< cloud cover 0..1
    Rgb cloudColour;
    float stars; ///< 0..1 star density
    float water; ///< water line as a fraction of height from the top; 0 = none
    std::vector<Layer> layers;
};

const std::vector<Scene>& scenes() {
    static const std::vector<Scene> s = {
        // 0 dawn over the hills
        {{0.25f, 0.35f, 0.6f},
         {1.0f, 0.7f, 0.45f},
         {0.95f, 0.75f, 0.6f},
         0.7f,
         0.55f,
         0.05f,
         {1.0f, 0.9f, 0.7f},
         0.35f,
         {1.0f, 0.8f, 0.7f},
         0,
         0,
         {{0.55f, 0.05f, 1.5f, 0, {0.55f, 0.45f, 0.55f}},
          {0.62f, 0.06f, 2.0f, 0, {0.4f, 0.35f, 0.45f}},
          {0.72f, 0.07f, 2.5f, 0.015f, {0.2f, 0.22f, 0.28f}},
          {0.83f, 0.08f, 3.0f, 0.02f, {0.08f, 0.1f, 0.12f}}}},
        // 1 sea at sunset
        {{0.2f, 0.2f, 0.45f},
         {1.0f, 0.55f, 0.3f},
         {0.9f, 0.6f, 0.5f},
         0.45f,
         0.6f,
         0.06f,
         {1.0f, 0.85f, 0.55f},
         0.25f,
         {0.95f, 0.55f, 0.45f},
         0,
         0.62f,
         {{0.6f, 0.015f, 1.0f, 0, {0.35f, 0.25f, 0.35f}}}},
        // 2 forest under a bright sky
        {{0.3f, 0.5f, 0.85f},
         {0.8f, 0.88f, 0.95f},
         {0.75f, 0.82f, 0.85f},
         0.2f,
         0.2f,
         0.0f,
         {1, 1, 1},
         0.5f,
         {1.0f, 1.0f, 1.0f},
         0,
         0,
         {{0.5f, 0.06f, 1.2f, 0, {0.5f, 0.6f, 0.65f}},
          {0.6f, 0.05f, 2.0f, 0.03f, {0.25f, 0.4f, 0.35f}},
          {0.72f, 0.05f, 2.5f, 0.05f, {0.12f, 0.28f, 0.18f}},
          {0.86f, 0.04f, 3.0f, 0.08f, {0.04f, 0.12f, 0.07f}}}},
        // 3 night with a moon over a lake
        {{0.01f, 0.02f, 0.08f},
         {0.08f, 0.12f, 0.25f},
         {0.1f, 0.13f, 0.25f},
         0.72f,
         0.22f,
         0.035f,
         {0.95f, 0.95f, 0.85f},
         0.15f,
         {0.25f, 0.27f, 0.35f},
         1.0f,
         0.7f,
         {{0.6f, 0.08f, 1.5f, 0, {0.06f, 0.08f, 0.15f}, true},
          {0.68f, 0.03f, 2.5f, 0.03f, {0.02f, 0.03f, 0.06f}}}},
        // 4 mountain lake
        {{0.2f, 0.4f, 0.75f},
         {0.75f, 0.85f, 0.95f},
         {0.7f, 0.8f, 0.9f},
         0.85f,
         0.15f,
         0.0f,
         {1, 1, 1},
         0.3f,
         {1, 1, 1},
         0,
         0.68f,
         {{0.3f, 0.15f, 1.2f, 0, {0.7f, 0.75f, 0.85f}, true},
          {0.45f, 0.12f, 1.8f, 0, {0.4f, 0.45f, 0.55f}, true},
          {0.6f, 0.05f, 2.5f, 0.04f, {0.1f, 0.22f, 0.15f}}}},
        // 5 summer meadow
        {{0.25f, 0.5f, 0.9f},
         {0.7f, 0.85f, 1.0f},
         {0.8f, 0.88f, 0.9f},
         0.8f,
         0.12f,
         0.04f,
         {1.0f, 1.0f, 0.9f},
         0.45f,
         {1, 1, 1},
         0,
         0,
         {{0.6f, 0.04f, 1.0f, 0.02f, {0.45f, 0.6f, 0.5f}},
          {0.7f, 0.05f, 1.5f, 0, {0.4f, 0.65f, 0.3f}},
          {0.82f, 0.05f, 2.0f, 0, {0.35f, 0.6f, 0.2f}}}},
        // 6 stormy sea
        {{0.25f, 0.27f, 0.3f},
         {0.55f, 0.57f, 0.6f},
         {0.5f, 0.52f, 0.55f},
         0,
         0,
         0,
         {1, 1, 1},
         0.9f,
         {0.35f, 0.36f, 0.4f},
         0,
         0.58f,
         {{0.56f, 0.02f, 1.0f, 0, {0.3f, 0.32f, 0.35f}}}},
        // 7 the panorama: hills, forest and a bay at golden hour
        {{0.2f, 0.4f, 0.75f},
         {1.0f, 0.8f, 0.55f},
         {0.9f, 0.8f, 0.7f},
         0.3f,
         0.4f,
         0.05f,
         {1.0f, 0.9f, 0.6f},
         0.3f,
         {1.0f, 0.9f, 0.85f},
         0,
         0.72f,
         {{0.45f, 0.08f, 1.2f, 0, {0.6f, 0.6f, 0.7f}, true},
          {0.58f, 0.06f, 2.0f, 0.02f, {0.35f, 0.42f, 0.4f}},
          {0.68f, 0.05f, 2.5f, 0.04f, {0.15f, 0.25f, 0.18f}}}},
    };
    return s;
}

Rgb sky(const Scene& s, float x, float y, float aspect, std::uint32_t seed) {
    const float horizon = s.water > 0 ? s.water : 0.8f;
    Rgb c = mix(s.skyTop, s.skyHorizon, std::pow(std::clamp(y / horizon, 0.0f, 1.0f), 1.6f));
    if (s.sunSize > 0) {
        const float dx = (x - s.sunX) * aspect, dy = y - s.sunY;
        const float d = std::sqrt(dx * dx + dy * dy);
        c = mix(c, s.sunColour, 0.5f * std::exp(-d / (s.sunSize * 4)));
        if (d < s.sunSize)
            c = mix(c, s.sunColour, std::min(1.0f, (s.sunSize - d) / (s.sunSize * 0.08f)));
    }
    if (s.stars > 0) {
        const auto px = static_cast<std::int32_t>(x * 4000),
                   py = static_cast<std::int32_t>(y * 1500);
        const std::uint32_t h = hash(px, py, seed + 7);
        if ((h & 0xfff) < static_cast<std::uint32_t>(3 * s.stars))
            c = mix(c, {1, 1, 0.95f}, static_cast<float>((h >> 12) & 0xff) / 255.0f);
    }
    if (s.clouds > 0) {
        const float n = fbm(x * aspect * 3.0f, y * 9.0f, seed + 3, 6);
        const float cover = std::clamp((n - (1.0f - s.clouds * 0.6f)) * 4.0f, 0.0f, 1.0f) *
                            (1.0f - y / horizon * 0.5f);
        c = mix(c, s.cloudColour, cover * 0.85f);
    }
    return c;
}

} // namespace

const std::vector<Picture>& pictures() {
    static const std::vector<Picture> p = {
        {"visual/slideshow/default/dawn hills.jpg", 1920, 1080, 0},
        {"visual/slideshow/default/sea at sunset.jpg", 1920, 1080, 1},
        {"visual/slideshow/default/forest.jpg", 1920, 1080, 2},
        {"visual/slideshow/default/moonlit lake.jpg", 1920, 1080, 3},
        {"visual/slideshow/default/mountain lake.jpg", 1920, 1080, 4},
        {"visual/slideshow/default/summer meadow.jpg", 1920, 1080, 5},
        {"visual/slideshow/default/stormy sea.jpg", 1920, 1080, 6},
        {"visual/panoramics/default.jpg", 5400, 1080, 7},
    };
    return p;
}

std::vector<std::uint8_t> renderScene(int index, int width, int height) {
    const Scene& s = scenes()[static_cast<std::size_t>(index) % scenes().size()];
    const std::uint32_t seed = 1000u + static_cast<std::uint32_t>(index);
    const float aspect = static_cast<float>(width) / static_cast<float>(height);
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) *
                                  static_cast<std::size_t>(height) * 3);
    // Ridge heights per column for each layer.
    std::vector<std::vector<float>> ridge(s.layers.size(),
                                          std::vector<float>(static_cast<std::size_t>(width)));
    for (std::size_t l = 0; l < s.layers.size(); ++l) {
        const Layer& L = s.layers[l];
        for (int x = 0; x < width; ++x) {
            const float fx = static_cast<float>(x) / static_cast<float>(height) * L.scale;
            float n = fbm(fx, static_cast<float>(l) * 17.0f,
                          seed + 50u * static_cast<std::uint32_t>(l), 7);
            if (L.sharp) n = 1.0f - std::fabs(2.0f * n - 1.0f);
            float h = L.base - L.amplitude * (2.0f * n - 0.5f);
            if (L.trees > 0) { // tree tops: narrow spikes of varied height
                const float tx = static_cast<float>(x) / static_cast<float>(height) * 90.0f;
                const float cell = tx - std::floor(tx);
                const float tall = lattice(static_cast<std::int32_t>(std::floor(tx)),
                                           static_cast<std::int32_t>(l), seed);
                h -= L.trees * (0.5f + 0.5f * tall) *
                     std::max(0.0f, 1.0f - std::fabs(cell - 0.5f) * 2.2f);
            }
            ridge[l][static_cast<std::size_t>(x)] = h;
        }
    }
    for (int y = 0; y < height; ++y) {
        const float fy = static_cast<float>(y) / static_cast<float>(height);
        for (int x = 0; x < width; ++x) {
            const float fx = static_cast<float>(x) / static_cast<float>(width);
            auto landOrSky = [&](float yy) {
                Rgb c = sky(s, fx, yy, aspect, seed);
                for (std::size_t l = 0; l < s.layers.size(); ++l) {
                    if (yy >= ridge[l][static_cast<std::size_t>(x)]) {
                        const float depth =
                            static_cast<float>(l + 1) / static_cast<float>(s.layers.size() + 1);
                        const float shade =
                            0.9f + 0.2f * fbm(fx * aspect * 20.0f, yy * 20.0f, seed + 99, 3);
                        Rgb lc = {s.layers[l].colour[0] * shade, s.layers[l].colour[1] * shade,
                                  s.layers[l].colour[2] * shade};
                        c = mix(
                            lc, s.haze,
                            0.35f * (1.0f - depth) +
                                0.25f *
                                    std::max(0.0f,
                                             1.0f - (yy - ridge[l][static_cast<std::size_t>(x)]) *
                                                        30.0f) *
                                    (1.0f - depth));
                    }
                }
                return c;
            };
            Rgb c;
            if (s.water > 0 && fy > s.water) {
                // Water mirrors what stands above the water line, broken by ripples.
                const float d = fy - s.water;
                const float ripple =
                    0.004f * std::sin(fy * 900.0f / (0.3f + d * 4.0f) +
                                      3.0f * fbm(fx * aspect * 8.0f, fy * 60.0f, seed + 5, 3));
                const float mirror = std::max(0.0f, s.water - d * 1.0f + ripple);
                c = landOrSky(mirror);
                Rgb deep = {s.skyTop[0] * 0.5f, s.skyTop[1] * 0.6f, s.skyTop[2] * 0.7f};
                c = mix(c, deep, 0.25f + d * 0.8f);
                const float glint = fbm(fx * aspect * 30.0f, fy * 200.0f, seed + 11, 3);
                if (glint > 0.68f)
                    c = mix(c, s.sunSize > 0 ? s.sunColour : Rgb{0.8f, 0.85f, 0.9f},
                            (glint - 0.68f) * 2.0f);
            } else {
                c = landOrSky(fy);
            }
            // Film-like grain keeps gradients from banding in the JPEG.
            const float grain = (lattice(x, y, seed + 31) - 0.5f) / 255.0f * 2.0f;
            const std::size_t o = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                                   static_cast<std::size_t>(x)) *
                                  3;
            for (int k = 0; k < 3; ++k)
                rgb[o + static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(std::clamp(
                    (c[static_cast<std::size_t>(k)] + grain) * 255.0f + 0.5f, 0.0f, 255.0f));
        }
    }
    return rgb;
}

bool writeJpeg(const std::filesystem::path& path, const std::vector<std::uint8_t>& rgb, int width,
               int height, int quality) {
    const std::filesystem::path tmp = path.string() + ".part";
    FILE* f = std::fopen(tmp.c_str(), "wb");
    if (!f) {
        std::fprintf(stderr, "factorygen: cannot write %s\n", path.c_str());
        return false;
    }
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, f);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row =
            const_cast<JSAMPROW>(rgb.data() + static_cast<std::size_t>(cinfo.next_scanline) *
                                                  static_cast<std::size_t>(width) * 3);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    const bool ok = std::fflush(f) == 0;
    std::fclose(f);
    std::error_code ec;
    if (ok) std::filesystem::rename(tmp, path, ec);
    return ok && !ec;
}

} // namespace velmora::factory
