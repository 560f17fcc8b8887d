// The factory library as the banks use it: every file the bank tables name is there and
// decodes (through the sound engine too), lengths, seamless loops, loudness and peaks,
// distinct variations, whole-period beat tones, the alarm chime, pictures and folders.
#include "factory/factory_support.h"

#ifdef VELMORA_FACTORY_ENGINE
#include "audio/sound_engine.h"
#endif

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <set>

using namespace velmora::factory;
using namespace velmora::factory::test;
namespace fs = std::filesystem;

namespace {

#define REQUIRE_LIBRARY()                                                                          \
    do {                                                                                           \
        if (!libraryExpected()) GTEST_SKIP() << "factory library generation is off in this build"; \
    } while (0)

// The file names the banks open, built from the bank tables' numbering rather than from
// the generator's catalogue, so a wrong catalogue cannot hide a missing file.
std::vector<std::string> bankFiles() {
    std::vector<std::string> out;
    for (int base : {100, 50, 150, 200})
        for (int k = 1; k <= 28; ++k)
            out.push_back("bin/" + std::to_string(base + k) + ".raz");
    for (int k = 1; k <= 17; ++k)
        out.push_back("bin/" + std::to_string(k) + ".isz");
    for (int k = 1; k <= 17; ++k)
        out.push_back("bin/" + std::to_string(50 + k) + ".isz");
    for (int k = 1; k <= 16; ++k)
        out.push_back("bin/b" + std::to_string(k) + ".isx");
    out.push_back("config/alarms/default.wav");
    return out;
}

// JPEG frame size from the first start-of-frame marker.
bool jpegSize(const fs::path& p, int& w, int& h) {
    std::ifstream in(p, std::ios::binary);
    std::vector<unsigned char> d((std::istreambuf_iterator<char>(in)), {});
    if (d.size() < 4 || d[0] != 0xFF || d[1] != 0xD8) return false;
    for (std::size_t i = 2; i + 9 < d.size();) {
        if (d[i] != 0xFF) return false;
        const int marker = d[i + 1];
        const std::size_t len = static_cast<std::size_t>(d[i + 2] << 8 | d[i + 3]);
        if (marker >= 0xC0 && marker <= 0xC2) {
            h = d[i + 5] << 8 | d[i + 6];
            w = d[i + 7] << 8 | d[i + 8];
            return true;
        }
        i += 2 + len;
    }
    return false;
}

} // namespace

TEST(FactoryLibrary, EveryBankFileExistsAndDecodesAsMono44100) {
    REQUIRE_LIBRARY();
#ifdef VELMORA_FACTORY_ENGINE
    velmora::audio::SoundEngine engine(velmora::audio::Backend::Offline);
#endif
    for (const std::string& rel : bankFiles()) {
        SCOPED_TRACE(rel);
        const fs::path p = programFolder() / rel;
        ASSERT_TRUE(fs::exists(p));
        int rate = 0, channels = 0;
        const Samples s = decode(p, &rate, &channels);
        ASSERT_FALSE(s.empty());
        EXPECT_EQ(rate, 44100);
        EXPECT_EQ(channels, 1);
#ifdef VELMORA_FACTORY_ENGINE
        // The engine recognises the format by content, whatever the extension says.
        const auto sample = engine.loadSample(p.string());
        ASSERT_TRUE(sample.valid());
        EXPECT_EQ(engine.sampleFrames(sample), static_cast<std::int64_t>(s.size()));
        engine.releaseSample(sample);
#endif
    }
    // The alarm sound is a real RIFF WAVE file, for any program the user opens it with.
    std::ifstream wav(programFolder() / "config/alarms/default.wav", std::ios::binary);
    char head[12] = {};
    wav.read(head, 12);
    EXPECT_EQ(std::string(head, 4), "RIFF");
    EXPECT_EQ(std::string(head + 8, 4), "WAVE");
}

TEST(FactoryLibrary, FoldersPicturesAndExtraSoundsForTheCustomBanks) {
    REQUIRE_LIBRARY();
    for (const char* folder :
         {"config/scenarios", "config/presets", "config/main/random bank 1",
          "config/main/background bank two", "config/fx/EQ Presets", "config/fx/reverb presets",
          "config/colors", "config/scheduler/savedschedules", "config/scheduler/scenarioplaylists",
          "config/mp3playlists", "soundbanks/random sounds", "soundbanks/background sounds"})
        EXPECT_TRUE(fs::is_directory(programFolder() / folder)) << folder;

    int slides = 0;
    for (const auto& f : fs::directory_iterator(programFolder() / "visual/slideshow/default")) {
        int w = 0, h = 0;
        if (f.path().extension() != ".jpg") continue;
        ASSERT_TRUE(jpegSize(f.path(), w, h)) << f.path();
        EXPECT_GE(w, 1280);
        ++slides;
    }
    EXPECT_GE(slides, 6);
    int w = 0, h = 0;
    ASSERT_TRUE(jpegSize(programFolder() / "visual/panoramics/default.jpg", w, h));
    EXPECT_GE(w, 5000);
    EXPECT_GE(h, 1080);

    // The custom banks' pickers list only .wav/.ogg/.mp3/.wma, so extras must be found by that.
    for (const char* folder : {"soundbanks/random sounds", "soundbanks/background sounds"}) {
        int sounds = 0;
        for (const auto& f : fs::directory_iterator(programFolder() / folder))
            if (f.path().extension() == ".wav" && !decode(f.path()).empty()) ++sounds;
        EXPECT_GE(sounds, 12) << folder;
    }
}

TEST(FactoryLibrary, OneShotsAreShortStartAtOnceAndDecayToSilence) {
    REQUIRE_LIBRARY();
    for (const Entry& e : entriesOf(Kind::OneShot)) {
        SCOPED_TRACE(e.path + " (" + e.caption + ")");
        const Samples s = decode(programFolder() / e.path);
        ASSERT_FALSE(s.empty());
        const double seconds = static_cast<double>(s.size()) / kRate;
        EXPECT_GE(seconds, 0.3);
        EXPECT_LE(seconds, 10.0);
        float peak = 0;
        for (float x : s)
            peak = std::max(peak, std::fabs(x));
        // Sound within 10 ms: the first sample above -40 dB of the peak.
        std::size_t first = 0;
        while (first < s.size() && std::fabs(s[first]) < 0.01f * peak)
            ++first;
        EXPECT_LE(first, static_cast<std::size_t>(kRate / 100));
        // Natural decay: the last 20 ms are at least 40 dB below the peak, the last sample ~0.
        const auto tail = envelope(Samples(s.end() - kRate / 50, s.end()), 20.0);
        ASSERT_FALSE(tail.empty());
        EXPECT_LT(tail.back(), 0.01 * peak);
        EXPECT_LT(std::fabs(s.back()), 0.001f);
    }
}

TEST(FactoryLibrary, LoopsAreLongAndSeamlessWithoutRepeatingInside) {
    REQUIRE_LIBRARY();
    for (const Entry& e : entriesOf(Kind::Loop)) {
        SCOPED_TRACE(e.path + " (" + e.caption + ")");
        const Samples s = decode(programFolder() / e.path);
        ASSERT_GE(s.size(), static_cast<std::size_t>(30 * kRate));

        // High-passed energy of 10 ms windows: a click at the seam stands out from the rest.
        Samples hp = s;
        highPass(hp, 3000);
        std::vector<double> energies = envelope(hp, 10.0);
        std::nth_element(energies.begin(),
                         energies.begin() + static_cast<long>(energies.size() / 2), energies.end());
        const double median = energies[energies.size() / 2];
        Samples seam(s.end() - kRate / 20, s.end());
        seam.insert(seam.end(), s.begin(), s.begin() + kRate / 20);
        highPass(seam, 3000);
        const long half = kRate / 200; // the 10 ms window centred on the seam
        const Samples around(seam.begin() + static_cast<long>(seam.size() / 2) - half,
                             seam.begin() + static_cast<long>(seam.size() / 2) + half + 1);
        const double atSeam = envelope(around, 10.0).at(0);
        EXPECT_LE(20 * std::log10(atSeam / median), 3.0) << "click at the loop point";

        // No audible pattern inside: the loudness contour of the first half does not return
        // in the second half.
        std::vector<double> env = envelope(s, 50.0);
        double mean = 0;
        for (double v : env)
            mean += v;
        mean /= static_cast<double>(env.size());
        for (double& v : env)
            v -= mean;
        double r0 = 0;
        for (double v : env)
            r0 += v * v;
        double worst = 0;
        for (std::size_t lag = 60; lag < env.size() / 2; ++lag) { // 3 s and longer
            double r = 0;
            for (std::size_t i = 0; i + lag < env.size(); ++i)
                r += env[i] * env[i + lag];
            worst = std::max(worst, r / r0);
        }
        EXPECT_LT(worst, 0.6) << "the loop repeats itself inside";
    }
}

TEST(FactoryLibrary, LoudnessFollowsTheRuleAndPeaksStayUnderTheCeiling) {
    REQUIRE_LIBRARY();
    for (const Entry& e : catalogue()) {
        SCOPED_TRACE(e.path + " (" + e.caption + ")");
        const Loudness l = loudness(decode(programFolder() / e.path));
        EXPECT_LE(l.truePeakDb, -1.0);
        if (e.kind == Kind::OneShot) {
            // Loudest 400 ms at -20 LUFS; a sound held back by the peak ceiling may be quieter
            // but never so quiet that it vanishes in its bank.
            EXPECT_LE(l.momentaryMax, -19.5);
            EXPECT_GE(l.momentaryMax, -24.0);
        } else {
            EXPECT_NEAR(l.integrated, -23.0, 1.0);
        }
    }
}

TEST(FactoryLibrary, NoTwoSoundsAreTheSame) {
    REQUIRE_LIBRARY();
    std::map<std::size_t, std::string> seen;
    for (const Entry& e : catalogue()) {
        const Samples s = decode(programFolder() / e.path);
        std::size_t h = s.size();
        for (float x : s)
            h = h * 1000003u ^ std::hash<float>{}(x);
        const auto [it, fresh] = seen.emplace(h, e.path);
        EXPECT_TRUE(fresh) << e.path << " is identical to " << it->second;
    }
}

TEST(FactoryLibrary, TonesBeatAtTheirTableRatesAndLoopOnWholePeriods) {
    REQUIRE_LIBRARY();
    const auto& specs = toneSpecs();
    const std::pair<double, double> bands[4] = {{8, 12}, {14, 30}, {4, 7}, {0.5, 3}};
    std::vector<double> beats;
    for (std::size_t k = 0; k < 16; ++k) {
        SCOPED_TRACE(specs[k].name);
        const auto [lo, hi] = bands[k / 4];
        EXPECT_GE(specs[k].beatHz, lo);
        EXPECT_LE(specs[k].beatHz, hi);
        EXPECT_GE(specs[k].carrierHz, 100.0);
        EXPECT_LE(specs[k].carrierHz + specs[k].beatHz, 400.0);
        beats.push_back(specs[k].beatHz);

        const Samples s = decode(programFolder() / ("bin/b" + std::to_string(k + 1) + ".isx"));
        ASSERT_EQ(s.size(), static_cast<std::size_t>(kToneSeconds * kRate));
        EXPECT_NEAR(envelopeBeatHz(s, 0.3, 35.0), specs[k].beatHz, 0.1);
        // Whole periods: the sample after the last one would be the first one again, so the
        // step across the seam is no larger than an ordinary step.
        float maxStep = 0;
        for (std::size_t i = 1; i < s.size(); ++i)
            maxStep = std::max(maxStep, std::fabs(s[i] - s[i - 1]));
        EXPECT_LE(std::fabs(s.front() - s.back()), maxStep * 1.01f);
    }
    // Four distinct beats in every band (the bands do not overlap, so 16 in all).
    EXPECT_EQ(std::set<double>(beats.begin(), beats.end()).size(), 16u);
}
