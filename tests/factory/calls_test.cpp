// Calls a listener knows well enough to notice when they are wrong: the barn owl's hissing
// screech, the cow's rising and falling moo, the wren's changing trills and the hoverfly
// slipping past. Each is measured from the generated file, as the ear would take it.
#include "factory/factory_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace velmora::factory;
using namespace velmora::factory::test;

namespace {

#define SKIP_WITHOUT_LIBRARY()                                                                     \
    if (!libraryExpected()) GTEST_SKIP() << "factory library generation is off in this build"

Samples soundCalled(const std::string& caption) {
    for (const Entry& e : catalogue())
        if (e.caption == caption) return decode(programFolder() / e.path);
    ADD_FAILURE() << "no sound called " << caption;
    return {};
}

Samples slice(const Samples& s, double from, double to) {
    const auto a = std::min(s.size(), static_cast<std::size_t>(from * kRate));
    const auto b = std::min(s.size(), static_cast<std::size_t>(to * kRate));
    return Samples(s.begin() + static_cast<long>(a), s.begin() + static_cast<long>(b));
}

double seconds(const Samples& s) {
    return static_cast<double>(s.size()) / kRate;
}

// Pitch every `step` seconds (0 where unvoiced or quiet).
std::vector<double> pitchTrack(const Samples& s, double step, double minHz, double maxHz) {
    std::vector<double> track;
    for (double t = 0; t + step <= seconds(s); t += step)
        track.push_back(medianPitch(slice(s, t, t + step), minHz, maxHz));
    return track;
}

// Stretches of sound split by lulls of at least `gap` seconds (5 ms windows, 14 dB under the
// loudest).
struct Span {
    double from, to;
};
std::vector<Span> sectionsOf(const Samples& s, double gap) {
    const auto env = envelope(s, 5.0);
    const double floor = *std::max_element(env.begin(), env.end()) * 0.2;
    std::vector<Span> spans;
    std::size_t quiet = 0;
    for (std::size_t i = 0; i < env.size(); ++i) {
        const double t = static_cast<double>(i) * 0.005;
        if (env[i] < floor) {
            ++quiet;
            continue;
        }
        if (spans.empty() || static_cast<double>(quiet) * 0.005 >= gap)
            spans.push_back({t, t + 0.005});
        else
            spans.back().to = t + 0.005;
        quiet = 0;
    }
    return spans;
}

// The frequency (Hz) with the most power.
double peakHz(const Samples& s) {
    const auto p = powerSpectrum(s);
    return static_cast<double>(std::max_element(p.begin(), p.end()) - p.begin()) * kRate / 4096.0;
}

} // namespace

TEST(FactoryCalls, BarnOwlsScreechThroughHighResonancesInsteadOfSinging) {
    SKIP_WITHOUT_LIBRARY();
    for (const char* caption : {"Barn owl 1", "Barn owl 2"}) {
        SCOPED_TRACE(caption);
        const Samples s = soundCalled(caption);
        ASSERT_FALSE(s.empty());
        const auto spectrum = powerSpectrum(s);
        EXPECT_GE(bandFraction(spectrum, 2000, 5000), 0.7);
        EXPECT_GE(peakHz(s), 2500);
        EXPECT_LE(peakHz(s), 4000);
        // No sung note: nothing voiced where a hoot or a whistled stack would sit.
        EXPECT_LE(bandFraction(spectrum, 500, 1500), 0.05);
        EXPECT_EQ(medianPitch(s, 300, 1200), 0.0);
        EXPECT_GE(seconds(s), 1.0);
    }
}

TEST(FactoryCalls, CowMoosRiseThenSinkEachInItsOwnWay) {
    SKIP_WITHOUT_LIBRARY();
    std::vector<double> peakPlaces, lengths;
    for (const char* caption : {"Cow moo 1", "Cow moo 2", "Cow moo 3"}) {
        SCOPED_TRACE(caption);
        const Samples s = soundCalled(caption);
        ASSERT_FALSE(s.empty());
        std::vector<double> voiced, at;
        const auto track = pitchTrack(s, 0.15, 60, 300);
        for (std::size_t i = 0; i < track.size(); ++i)
            if (track[i] > 0) voiced.push_back(track[i]), at.push_back(0.15 * (i + 0.5));
        ASSERT_GE(voiced.size(), 6u);
        const auto top = std::max_element(voiced.begin(), voiced.end());
        const double start = voiced.front(), end = voiced.back();
        EXPECT_NEAR(start, 95, 20);
        EXPECT_NEAR(*top, 145, 25);
        EXPECT_NEAR(end, 105, 20);
        EXPECT_GE(*top, 1.3 * start);
        EXPECT_GE(*top, 1.2 * end);
        peakPlaces.push_back(at[static_cast<std::size_t>(top - voiced.begin())] / seconds(s));
        lengths.push_back(seconds(s));
    }
    // Three cows, not one cow three times: the climb peaks at different places and the calls
    // last differently long.
    for (std::size_t i = 0; i < 3; ++i)
        for (std::size_t j = i + 1; j < 3; ++j) {
            EXPECT_GE(std::fabs(peakPlaces[i] - peakPlaces[j]), 0.08) << i << " " << j;
            EXPECT_GE(std::fabs(lengths[i] - lengths[j]), 0.25) << i << " " << j;
        }
}

TEST(FactoryCalls, TheWrenSingsSectionsOfFastHighTrillsEachUnlikeTheLast) {
    SKIP_WITHOUT_LIBRARY();
    const Samples s = soundCalled("Wren");
    ASSERT_FALSE(s.empty());
    const auto sections = sectionsOf(s, 0.09);
    ASSERT_GE(sections.size(), 3u);
    struct Trill {
        double notesPerSecond, hz, noteSeconds;
    };
    std::vector<Trill> trills;
    for (const Span& sec : sections) {
        const Samples part = slice(s, sec.from, sec.to);
        const auto notes = sectionsOf(part, 0.01);
        ASSERT_GE(notes.size(), 4u) << "section at " << sec.from << " s";
        const double rate =
            static_cast<double>(notes.size() - 1) / (notes.back().from - notes.front().from);
        double noteSeconds = 0;
        for (const Span& n : notes)
            noteSeconds += (n.to - n.from) / static_cast<double>(notes.size());
        trills.push_back({rate, peakHz(part), noteSeconds});
        EXPECT_GE(rate, 9.0) << "section at " << sec.from << " s";
        EXPECT_LE(rate, 21.0) << "section at " << sec.from << " s";
        EXPECT_GE(trills.back().hz, 4000) << "section at " << sec.from << " s";
        EXPECT_LE(trills.back().hz, 8000) << "section at " << sec.from << " s";
    }
    // A new section is a new note: its pace, pitch or note length moves audibly.
    for (std::size_t i = 1; i < trills.size(); ++i) {
        const Trill &a = trills[i - 1], &b = trills[i];
        const bool differs = std::fabs(a.notesPerSecond / b.notesPerSecond - 1) > 0.12 ||
                             std::fabs(a.hz / b.hz - 1) > 0.06 ||
                             std::fabs(a.noteSeconds / b.noteSeconds - 1) > 0.25;
        EXPECT_TRUE(differs) << "sections " << i - 1 << " and " << i << " sound the same";
    }
}

TEST(FactoryCalls, HoverfliesSlipPastLouderThenLowerPitched) {
    SKIP_WITHOUT_LIBRARY();
    std::vector<double> closest;
    for (const char* caption : {"Hoverfly 1", "Hoverfly 2", "Hoverfly 3", "Hoverfly 4"}) {
        SCOPED_TRACE(caption);
        const Samples s = soundCalled(caption);
        ASSERT_FALSE(s.empty());
        // Loudest near the listener, far quieter at either end.
        const auto env = envelope(s, 100.0);
        const auto top = std::max_element(env.begin(), env.end());
        const double place = (static_cast<double>(top - env.begin()) + 0.5) / env.size();
        EXPECT_GE(place, 0.2);
        EXPECT_LE(place, 0.85);
        const double edge = std::max(env[1], env[env.size() - 2]);
        EXPECT_GE(20 * std::log10(*top / edge), 10.0);
        // Coming in the hum is higher than going away: the first third against the last.
        auto track = pitchTrack(s, 0.1, 100, 400);
        track.erase(std::remove(track.begin(), track.end(), 0.0), track.end());
        ASSERT_GE(track.size(), 12u);
        const std::size_t third = track.size() / 3;
        auto median = [](std::vector<double> v) {
            std::nth_element(v.begin(), v.begin() + static_cast<long>(v.size() / 2), v.end());
            return v[v.size() / 2];
        };
        const double before = median({track.begin(), track.begin() + static_cast<long>(third)});
        const double after = median({track.end() - static_cast<long>(third), track.end()});
        EXPECT_GE(before / after, 1.025);
        closest.push_back(place);
    }
    // Four flights, not one: they come closest at different moments.
    std::sort(closest.begin(), closest.end());
    EXPECT_GE(closest.back() - closest.front(), 0.2);
}
