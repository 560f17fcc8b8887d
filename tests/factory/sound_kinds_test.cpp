// Each sound sounds like its caption, checked by the numbers a listener's ear goes by: where
// its energy sits, its pitch, and its shape in time. One rule per category.
#include "factory/factory_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>

using namespace velmora::factory;
using namespace velmora::factory::test;

namespace {

struct Measures {
    const Samples& s;
    std::vector<double> spectrum;
    double seconds;
    double fraction(double lo, double hi) const { return bandFraction(spectrum, lo, hi); }
    double pitch() const { return medianPitch(s); }
    int bursts() const { return burstCount(s); }
    // Where the loudest 200 ms lies, as a fraction of the length.
    double peakPosition() const {
        const auto env = envelope(s, 200.0);
        const auto it = std::max_element(env.begin(), env.end());
        return (static_cast<double>(it - env.begin()) + 0.5) / static_cast<double>(env.size());
    }
    // Peak over RMS of the sound above `hz`: high for drops, crackles and clicks.
    double crest(double hz) const {
        Samples hp = s;
        highPass(hp, hz);
        double peak = 0, sum = 0;
        for (float x : hp)
            peak = std::max(peak, std::fabs(static_cast<double>(x))),
            sum += static_cast<double>(x) * x;
        return sum > 0 ? peak / std::sqrt(sum / static_cast<double>(hp.size())) : 0.0;
    }
    // Fraction of power above `hz` within [from, to) seconds.
    double highShare(double hz, double from, double to) const {
        const auto a = static_cast<long>(from * kRate),
                   b = std::min(static_cast<long>(to * kRate), static_cast<long>(s.size()));
        return bandFraction(powerSpectrum(Samples(s.begin() + a, s.begin() + b)), hz, 22050);
    }
};

using Check = std::function<void(const Measures&)>;

const std::map<Category, Check>& checks() {
    using C = Category;
    static const std::map<Category, Check> table = {
        // birds: voiced calls by fundamental; songbirds high; wings and drumming by bursts
        {C::Owl,
         [](const Measures& m) {
             // Hoots and mews are voiced; a screech is an unvoiced hiss, high up.
             if (m.pitch() == 0.0) {
                 EXPECT_GE(m.fraction(2000, 5000), 0.7);
                 return;
             }
             EXPECT_GE(m.pitch(), 250);
             EXPECT_LE(m.pitch(), 900);
         }},
        {C::Dove,
         [](const Measures& m) {
             EXPECT_GE(m.pitch(), 300);
             EXPECT_LE(m.pitch(), 700);
             EXPECT_GE(m.bursts(), 3);
         }},
        {C::Gull,
         [](const Measures& m) {
             EXPECT_GE(m.pitch(), 550);
             EXPECT_LE(m.pitch(), 1500);
         }},
        {C::Loon,
         [](const Measures& m) {
             EXPECT_GE(m.pitch(), 550);
             EXPECT_LE(m.pitch(), 1200);
             EXPECT_GE(m.seconds, 2.0);
         }},
        {C::Cuckoo,
         [](const Measures& m) {
             EXPECT_GE(m.pitch(), 500);
             EXPECT_LE(m.pitch(), 750);
             EXPECT_EQ(m.bursts(), 4);
         }},
        {C::Songbird, [](const Measures& m) { EXPECT_GE(m.fraction(2000, 10000), 0.8); }},
        {C::Lark, [](const Measures& m) { EXPECT_GE(m.fraction(2000, 10000), 0.8); }},
        {C::WingsFlap,
         [](const Measures& m) {
             EXPECT_GE(m.bursts(), 5);
             EXPECT_GE(m.fraction(60, 5000), 0.8);
         }},
        {C::Woodpecker,
         [](const Measures& m) {
             EXPECT_GE(m.bursts(), 20);
             EXPECT_GE(m.fraction(600, 5000), 0.6);
         }},
        {C::Crow,
         [](const Measures& m) {
             EXPECT_EQ(m.bursts(), 3);
             EXPECT_GE(m.fraction(300, 4000), 0.7);
         }},
        {C::Duck,
         [](const Measures& m) {
             EXPECT_GE(m.bursts(), 3);
             EXPECT_GE(m.fraction(200, 4000), 0.7);
         }},
        // insects: stridulation and tymbals sing high; buzzes are low fundamentals
        {C::Bee,
         [](const Measures& m) {
             EXPECT_GE(m.pitch(), 100);
             EXPECT_LE(m.pitch(), 350);
             EXPECT_GE(m.fraction(80, 2500), 0.8);
         }},
        {C::Cicada, [](const Measures& m) { EXPECT_GE(m.fraction(2500, 22050), 0.8); }},
        {C::Cricket, [](const Measures& m) { EXPECT_GE(m.fraction(2500, 22050), 0.8); }},
        {C::Katydid,
         [](const Measures& m) {
             EXPECT_GE(m.fraction(2500, 22050), 0.8);
             EXPECT_GE(m.bursts(), 3);
         }},
        {C::Lizard,
         [](const Measures& m) {
             EXPECT_GE(m.fraction(1000, 22050), 0.8);
             EXPECT_GE(m.bursts(), 4);
         }},
        {C::Frog, [](const Measures& m) { EXPECT_GE(m.fraction(60, 1500), 0.6); }},
        {C::TreeFrog,
         [](const Measures& m) {
             EXPECT_GE(m.fraction(1000, 5000), 0.7);
             EXPECT_GE(m.bursts(), 3);
         }},
        // farm animals
        {C::Cow,
         [](const Measures& m) {
             EXPECT_GE(m.pitch(), 80);
             EXPECT_LE(m.pitch(), 200);
             EXPECT_GE(m.seconds, 1.2);
         }},
        {C::Cat,
         [](const Measures& m) {
             EXPECT_GE(m.pitch(), 400);
             EXPECT_LE(m.pitch(), 900);
         }},
        {C::Rooster,
         [](const Measures& m) {
             EXPECT_GE(m.fraction(300, 4500), 0.75);
             EXPECT_GE(m.seconds, 1.5);
         }},
        {C::Dog,
         [](const Measures& m) {
             EXPECT_GE(m.fraction(150, 4000), 0.75);
             EXPECT_LE(m.seconds, 3.0);
         }},
        {C::Sheep,
         [](const Measures& m) {
             EXPECT_GE(m.pitch(), 150);
             EXPECT_LE(m.pitch(), 550);
         }},
        {C::Goat,
         [](const Measures& m) {
             EXPECT_GE(m.pitch(), 250);
             EXPECT_LE(m.pitch(), 450);
         }},
        {C::Hooves,
         [](const Measures& m) {
             EXPECT_GE(m.bursts(), 6);
             EXPECT_GE(m.fraction(60, 2000), 0.6);
         }},
        {C::Whinny,
         [](const Measures& m) {
             EXPECT_GE(m.pitch(), 400);
             EXPECT_LE(m.pitch(), 1400);
         }},
        {C::Snort,
         [](const Measures& m) {
             EXPECT_GE(m.fraction(150, 5000), 0.85);
             EXPECT_EQ(m.pitch(), 0.0);
         }},
        {C::Goose,
         [](const Measures& m) {
             EXPECT_GE(m.bursts(), 3);
             EXPECT_GE(m.fraction(250, 4500), 0.75);
         }},
        // weather: thunder lives below 250 Hz; a crack is bright first; gusts and waves swell
        {C::ThunderRumble, [](const Measures& m) { EXPECT_GE(m.fraction(0, 250), 0.5); }},
        {C::RollingThunder,
         [](const Measures& m) {
             EXPECT_GE(m.fraction(0, 250), 0.5);
             EXPECT_GE(m.seconds, 6.0);
             // Separate swells, not one blurred roar.
             EXPECT_GE(burstCount(m.s, 100.0), 3);
             EXPECT_LE(burstCount(m.s, 100.0), 8);
         }},
        {C::ThunderCrack,
         [](const Measures& m) {
             EXPECT_GE(m.highShare(1000, 0.0, 0.3), 3 * m.highShare(1000, 1.0, m.seconds));
             EXPECT_GE(m.fraction(0, 250), 0.3);
             // The tear is dull above 7 kHz (the air takes the top off) ...
             EXPECT_LE(m.highShare(7000, 0.0, 0.2), 0.1 * m.highShare(1000, 0.0, 0.2));
             // ... and runs straight into the rumble: no silent gap after the crack.
             Samples low = m.s;
             lowPass(low, 250);
             const auto env = envelope(low, 100.0);
             EXPECT_GE(*std::max_element(env.begin() + 1, env.begin() + 4),
                       0.1 * *std::max_element(env.begin(), env.end()));
         }},
        {C::Gust,
         [](const Measures& m) {
             EXPECT_GE(m.fraction(0, 2000), 0.6);
             // A gust comes on fast and dies away slowly: from half strength to its peak is
             // quicker than from its peak back to half.
             const auto env = envelope(m.s, 100.0);
             const auto peak = std::max_element(env.begin(), env.end());
             auto riseFrom = peak, fallTo = peak;
             while (riseFrom != env.begin() && *riseFrom >= 0.5 * *peak)
                 --riseFrom;
             while (fallTo + 1 != env.end() && *fallTo >= 0.5 * *peak)
                 ++fallTo;
             EXPECT_GE(fallTo - peak, 2 * (peak - riseFrom));
         }},
        {C::Wave,
         [](const Measures& m) {
             EXPECT_GE(m.peakPosition(), 0.1);
             EXPECT_GE(m.fraction(1000, 22050), 0.05);
         }},
        {C::WindChime,
         [](const Measures& m) {
             EXPECT_GE(m.seconds, 2.0);
             EXPECT_GE(m.fraction(1000, 8000), 0.8);
         }},
        {C::AlarmChime,
         [](const Measures& m) { // a rising chime: the second half sits higher
             EXPECT_GT(m.highShare(900, m.seconds * 0.4, m.seconds),
                       m.highShare(900, 0, m.seconds * 0.3));
         }},
        // loops
        {C::RainLoop,
         [](const Measures& m) {
             EXPECT_GE(m.fraction(600, 22050), 0.3);
             EXPECT_GE(m.crest(2000), 6.0);
         }},
        // Mostly below 2 kHz, though rustling leaves may carry almost half of it.
        {C::WindLoop, [](const Measures& m) { EXPECT_GE(m.fraction(0, 2000), 0.5); }},
        {C::SeaLoop, [](const Measures& m) { EXPECT_GE(m.fraction(0, 2000), 0.6); }},
        {C::WaterLoop, [](const Measures& m) { EXPECT_GE(m.fraction(150, 8000), 0.6); }},
        {C::HabitatLoop, [](const Measures& m) { EXPECT_GE(m.fraction(1000, 10000), 0.3); }},
        {C::InsectLoop, [](const Measures& m) { EXPECT_GE(m.fraction(2500, 22050), 0.7); }},
        {C::FireLoop,
         [](const Measures& m) { // a low flame roar under sharp crackles
             EXPECT_GE(m.fraction(0, 400), 0.2);
             EXPECT_GE(m.fraction(1000, 22050), 0.05);
             EXPECT_GE(m.crest(2000), 10.0);
         }},
    };
    return table;
}

} // namespace

TEST(FactorySoundKinds, EverySoundMatchesItsKind) {
    if (!libraryExpected()) GTEST_SKIP() << "factory library generation is off in this build";
    for (const Entry& e : catalogue()) {
        if (e.kind == Kind::Tone) continue; // the tone tests measure those exactly
        SCOPED_TRACE(e.path + " (" + e.caption + ")");
        const auto it = checks().find(e.category);
        ASSERT_NE(it, checks().end()) << "no check for " << categoryName(e.category);
        const Samples s = decode(programFolder() / e.path);
        ASSERT_FALSE(s.empty());
        Measures m{s, powerSpectrum(s), static_cast<double>(s.size()) / kRate};
        it->second(m);
    }
}
