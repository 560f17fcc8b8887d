#include "hub_rig.h"

#include "support/wav_file.h"

#include <cmath>
#include <string>

namespace velmora::test {

namespace {
// The hub's sounds: steady tones at about a third of full scale, half a second of whole
// cycles so each loops without a click.
constexpr double kToneAmplitude = 0.37;
} // namespace

HubWorld::HubWorld(const std::filesystem::path& dir) : OfflineServices(dir, 7) {
    main.attach(soundscape.links());
}

HubWorld::~HubWorld() = default;

HubRig::HubRig(bool withSounds) {
    if (withSounds) {
        const int first = backgroundBankOne().firstSoundNumber;
        for (int k = 0; k < 17; ++k)
            testing::writeTone(m_temp / "bin" / (std::to_string(first + k) + ".isz"), 0.5,
                               220 + 20 * k, kToneAmplitude);
        for (int k = 1; k <= 28; ++k)
            testing::writeTone(m_temp / "bin" / (std::to_string(100 + k) + ".raz"), 0.5,
                               600 + 10 * k, kToneAmplitude);
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
