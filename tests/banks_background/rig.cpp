#include "rig.h"

#include <cmath>
#include <cstdint>
#include <fstream>
#include <numbers>
#include <random>

namespace velmora::test {
std::vector<float> loopTexture(double seconds, double lowHz, double highHz, double peak,
                               unsigned seed) {
    const auto frames = static_cast<std::size_t>(seconds * 44100);
    std::vector<double> acc(frames, 0.0);
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> phase(0.0, 2 * std::numbers::pi);
    // Whole cycles per loop make the end meet the start without a seam.
    const int firstCycle = std::max(1, static_cast<int>(lowHz * seconds));
    const int lastCycle = static_cast<int>(highHz * seconds);
    const int stride = std::max(1, (lastCycle - firstCycle) / 60);
    for (int c = firstCycle; c <= lastCycle; c += stride) {
        const double ph = phase(gen);
        const double w = 2 * std::numbers::pi * c / static_cast<double>(frames);
        for (std::size_t i = 0; i < frames; ++i)
            acc[i] += std::sin(w * static_cast<double>(i) + ph);
    }
    double maxAbs = 0;
    for (double v : acc)
        maxAbs = std::max(maxAbs, std::fabs(v));
    std::vector<float> out(frames);
    for (std::size_t i = 0; i < frames; ++i)
        out[i] = static_cast<float>(acc[i] / maxAbs * peak);
    return out;
}

BackgroundRig::BackgroundRig(bool withFactory) : OfflineServices(m_temp.path()) {
    if (!withFactory) return;
    const auto tone = loopTexture(0.2, 200, 800, 0.5, 7);
    for (int k = 1; k <= 17; ++k) {
        writeWav(file("bin/" + std::to_string(k) + ".isz"), tone);
        writeWav(file("bin/" + std::to_string(50 + k) + ".isz"), tone);
    }
    for (int k = 1; k <= 16; ++k)
        writeWav(file("bin/b" + std::to_string(k) + ".isx"), tone);
    writeWav(file("bin/51.raz"), tone);
}

BackgroundRig::~BackgroundRig() = default;

void BackgroundRig::unityLevels() {
    levels.set(Level::Master, 600);
    levels.set(Level::Background, 14);
    levels.set(Level::Bwaves, 14);
}

void BackgroundRig::run(int milliseconds) {
    std::vector<float> block(441 * 2);
    for (int t = 0; t < milliseconds; t += 10) {
        timers.advance(10);
        engine.render(block.data(), 441);
    }
}

std::vector<std::string> splitFields(const std::string& line) {
    std::vector<std::string> out;
    std::string cur;
    for (char c : line) {
        if (c == '\r' || c == '\n') continue;
        if (c == ',') {
            out.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    out.push_back(cur);
    return out;
}

std::string joinFields(const std::vector<std::string>& fields) {
    std::string out;
    for (std::size_t i = 0; i < fields.size(); ++i)
        out += (i ? "," : "") + fields[i];
    return out + "\r\n";
}

} // namespace velmora::test
