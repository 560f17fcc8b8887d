#pragma once
// Analysis helpers for the factory-library tests: decoding, loudness, cheap spectra, pitch
// and envelopes. Kept small and fast so the whole library is checked in a few seconds.

#include "catalogue.h"

#include <filesystem>
#include <string>
#include <vector>

namespace velmora::factory::test {

using Samples = std::vector<float>;
inline constexpr int kRate = 44100;

/// The program folder the build generated the library into.
std::filesystem::path programFolder();

/// True when the library was generated; tests skip (with a reason) when the build was told
/// not to generate it, and fail when it should exist but does not.
bool libraryExpected();

/// Mono float samples of a file (libsndfile); empty when it cannot be decoded. rate is set
/// to the file's sample rate.
Samples decode(const std::filesystem::path& p, int* rate = nullptr, int* channels = nullptr);

struct Loudness {
    double integrated = -200, momentaryMax = -200, truePeakDb = -200;
};
Loudness loudness(const Samples& s);

/// Averaged power spectrum of 4096-point Hann windows (2049 bins, 44 100 / 4096 Hz apart).
std::vector<double> powerSpectrum(const Samples& s, std::size_t maxWindows = 150);
/// Fraction of the spectrum's power between lo and hi Hz.
double bandFraction(const std::vector<double>& spectrum, double lo, double hi);

/// Median fundamental of the voiced, loud parts (autocorrelation), 0 when unvoiced.
double medianPitch(const Samples& s, double minHz = 70, double maxHz = 2500);

/// RMS envelope in windows of `ms` milliseconds.
std::vector<double> envelope(const Samples& s, double ms);

/// Number of separate bursts: envelope rises above half its maximum after having been
/// below a quarter of it.
int burstCount(const Samples& s, double ms = 10);

/// Frequency of the strongest component of a slowly varying envelope (tones' beats), Hz,
/// found to within about 0.01 Hz.
double envelopeBeatHz(const Samples& s, double minHz, double maxHz);

/// Second-order high-pass and low-pass (RBJ, Butterworth Q) applied in place.
void highPass(Samples& s, double hz);
void lowPass(Samples& s, double hz);

/// Power in the bands between consecutive `edgesHz`, for every Hann frame of `size` samples
/// (a power of two) taken every `hop` samples.
std::vector<std::vector<double>> bandPowerFrames(const Samples& s,
                                                 const std::vector<double>& edgesHz,
                                                 std::size_t size, std::size_t hop);

/// Entries of one kind.
std::vector<Entry> entriesOf(Kind k);

} // namespace velmora::factory::test
