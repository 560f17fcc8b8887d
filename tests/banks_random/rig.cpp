#include "rig.h"

#include <cmath>
#include <numbers>
#include <random>

namespace velmora::test {
namespace fs = std::filesystem;

RandomRig::RandomRig(bool withFactory, double toneSeconds) : OfflineServices(m_temp.path()) {
    const auto& root = dir();
    fs::create_directories(root / "bin");
    fs::create_directories(root / "soundbanks" / "random sounds");
    fs::create_directories(root / "config" / "main" / "random bank 1");
    if (withFactory) {
        for (int bank = 1; bank <= 4; ++bank)
            for (int slot = 1; slot <= kRandomSlotCount; ++slot) {
                const auto& table = randomBankTable(bank);
                const int number = table.firstSound + slot - 1;
                writeTone(root / "bin" / (std::to_string(number) + ".raz"), toneSeconds,
                          200.0 + 10.0 * slot);
            }
    }
    banks = std::make_unique<RandomBanks>(services);
}

RandomRig::~RandomRig() = default;

RandomRig::Measure RandomRig::run(int milliseconds) {
    Measure m;
    double sum = 0;
    std::size_t n = 0;
    std::vector<float> buf(441 * 2);
    for (int t = 0; t < milliseconds; t += 10) {
        timers.advance(10);
        engine.render(buf.data(), 441);
        for (float s : buf) {
            m.peak = std::max(m.peak, double(std::fabs(s)));
            sum += double(s) * s;
        }
        n += buf.size();
    }
    m.rms = n ? std::sqrt(sum / n) : 0.0;
    return m;
}

} // namespace velmora::test
