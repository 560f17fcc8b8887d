#include "rig.h"

#include "core/state/main2_state.h"

#include <sndfile.h>

#include <cmath>
#include <numbers>

namespace velmora::test {

namespace fs = std::filesystem;

std::vector<float> sineLoop(int frames, int cycles, float peak) {
    std::vector<float> out(static_cast<std::size_t>(frames));
    for (int i = 0; i < frames; ++i)
        out[i] = peak * static_cast<float>(std::sin(2 * std::numbers::pi * cycles * i / frames));
    return out;
}

StereoFile readStereo(const fs::path& path) {
    StereoFile out;
    SF_INFO info{};
    SNDFILE* f = sf_open(path.c_str(), SFM_READ, &info);
    if (!f) return out;
    std::vector<float> data(static_cast<std::size_t>(info.frames) * info.channels);
    sf_readf_float(f, data.data(), info.frames);
    sf_close(f);
    out.rate = info.samplerate;
    for (sf_count_t i = 0; i < info.frames; ++i) {
        out.left.push_back(data[i * info.channels]);
        out.right.push_back(data[i * info.channels + (info.channels > 1 ? 1 : 0)]);
    }
    return out;
}

double rms(const std::vector<float>& v, std::size_t from, std::size_t to) {
    double sum = 0;
    to = std::min(to, v.size());
    for (std::size_t i = from; i < to; ++i)
        sum += static_cast<double>(v[i]) * v[i];
    return to > from ? std::sqrt(sum / static_cast<double>(to - from)) : 0.0;
}

ProgramFolderRig::ProgramFolderRig() {
    const auto loop = sineLoop(kLoopFrames, 220, kLoopPeak);
    for (int k = 1; k <= 17; ++k) {
        writeWav(path("bin/" + std::to_string(k) + ".isz"), loop);
        writeWav(path("bin/" + std::to_string(50 + k) + ".isz"), loop);
    }
    for (int k = 1; k <= 16; ++k)
        writeWav(path("bin/b" + std::to_string(k) + ".isx"), loop);
    const auto burst = sineLoop(kBurstFrames, 60, 0.8f);
    for (int k = 101; k <= 128; ++k)
        writeWav(path("bin/" + std::to_string(k) + ".raz"), burst);
}

void ProgramFolderRig::saveState(const std::function<void(Soundscape&, Levels&)>& setup) {
    LiveWorld world(dir());
    Soundscape soundscape(world.services);
    setup(soundscape, world.levels);
    for (Bank* bank : soundscape.banks())
        bank->dosave(path(bank->stateFileName()));
    state::Main2State s2;
    s2.master = world.levels.master();
    s2.background = world.levels.value(Level::Background);
    s2.random = world.levels.value(Level::Random);
    s2.customAutoRandomise = soundscape.randomBanks().custom().autoRandomizeOn();
    s2.bankOneAutoRandomise = soundscape.randomBanks().autoRandomize().enabled();
    (void)state::writeMain2State(path("main2.tmp"), s2);
}

} // namespace velmora::test
