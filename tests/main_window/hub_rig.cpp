#include "hub_rig.h"

#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>

namespace velmora::test {

namespace {
void put16(std::ofstream& out, std::uint16_t v) {
    out.put(char(v & 0xFF)).put(char(v >> 8));
}
void put32(std::ofstream& out, std::uint32_t v) {
    put16(out, std::uint16_t(v & 0xFFFF));
    put16(out, std::uint16_t(v >> 16));
}

/// A second of a steady tone, whole cycles so it loops without a click.
void writeTone(const std::filesystem::path& path, double hz) {
    constexpr int rate = 44100;
    const int frames = rate / 2;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write("RIFF", 4);
    put32(out, 36 + frames * 2);
    out.write("WAVEfmt ", 8);
    put32(out, 16);
    put16(out, 1);
    put16(out, 1);
    put32(out, rate);
    put32(out, rate * 2);
    put16(out, 2);
    put16(out, 16);
    out.write("data", 4);
    put32(out, frames * 2);
    for (int i = 0; i < frames; ++i)
        put16(out, std::uint16_t(std::int16_t(12000 * std::sin(2 * M_PI * hz * i / rate))));
}
} // namespace

HubWorld::HubWorld(const std::filesystem::path& dir) : OfflineServices(dir, 7) {
    main.attach(soundscape.links());
}

HubWorld::~HubWorld() = default;

HubRig::HubRig(bool withSounds) {
    if (withSounds) {
        const int first = backgroundBankOne().firstSoundNumber;
        for (int k = 0; k < 17; ++k)
            writeTone(m_temp / "bin" / (std::to_string(first + k) + ".isz"), 220 + 20 * k);
        for (int k = 1; k <= 28; ++k)
            writeTone(m_temp / "bin" / (std::to_string(100 + k) + ".raz"), 600 + 10 * k);
    }
    m_world = std::make_unique<HubWorld>(m_temp.path());
}

void HubRig::start() {
    m_world->main.load();
}

void HubRig::restart() {
    m_world.reset();
    m_world = std::make_unique<HubWorld>(m_temp.path());
}

double HubRig::run(int milliseconds) {
    std::vector<float> buffer(441 * 2);
    double peak = 0;
    for (int t = 0; t < milliseconds; t += 10) {
        m_world->timers.advance(10);
        m_world->engine.render(buffer.data(), 441);
        for (float s : buffer)
            peak = std::max(peak, double(std::fabs(s)));
    }
    return peak;
}

void shapeSoundscape(HubRig& rig) {
    auto& w = rig.world();
    rig.levels().set(Level::Background, 7);
    rig.levels().set(Level::Random, 12);
    rig.levels().set(Level::Mp3, 4000);
    rig.levels().set(Level::Cd, 30);
    rig.levels().set(Level::Master, 200);
    w.backgroundOne.setVolume(2, 180);
    w.backgroundOne.setOn(2, true);
    w.randomBanks.bank(1).setVolume(4, 100);
    w.randomBanks.bank(3).setFrequency(7, 90);
    w.randomBanks.autoRandomize().setEnabled(true);
    w.randomBanks.custom().setAutoRandomize(true);
    w.randomBanks.form3().setThreshold(77);
    rig.main().presets().setCaption(3, "Rain on the roof");
    rig.main().outputDevice().set(2);
    rig.run(200);
}

const std::vector<std::string> kBankStateFiles = {"back.ini",  "back2.ini", "bw.ini",
                                                  "rand.ini",  "rand2.ini", "rand3.ini",
                                                  "rand4.ini", "randc.ini", "backc.ini"};

} // namespace velmora::test
