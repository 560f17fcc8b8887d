#include "rig.h"

#include <sndfile.h>

#include <cmath>
#include <numbers>
#include <random>

namespace velmora::test {
namespace fs = std::filesystem;

void writeTone(const fs::path& path, double seconds, double hz, double amplitude) {
    SF_INFO info{};
    info.samplerate = 44100;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!f) return;
    const auto frames = static_cast<sf_count_t>(seconds * 44100);
    std::vector<short> pcm(static_cast<std::size_t>(frames));
    for (sf_count_t i = 0; i < frames; ++i)
        pcm[i] = static_cast<short>(std::lround(
            amplitude * 32767.0 * std::sin(2 * std::numbers::pi * hz * double(i) / 44100.0)));
    sf_write_short(f, pcm.data(), frames);
    sf_close(f);
}

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
