#pragma once
// Measures of how believable the factory library sounds, beyond its loudness rules: sounds of
// one bank that a listener cannot tell apart, hard spectral edges (a filter that jumps, noise
// switched on hard), loudness left on a small speaker that cannot play the bass, and loops
// whose distinctive events come round again soon enough to be noticed.

#include "factory/factory_support.h"

#include <string>
#include <vector>

namespace velmora::factory::test {

/// Power in 30 log-spaced bands from 50 Hz to 16 kHz, in dB relative to the whole (so two
/// sounds of different level but one colour compare equal).
std::vector<double> logBandLevels(const Samples& s);

/// RMS difference of two sounds' logBandLevels, in dB.
double logSpectralDistance(const std::vector<double>& levelsA, const std::vector<double>& levelsB);

/// A sound's 50 ms envelope (its contour, not the grain of its noise) scaled to its peak.
std::vector<double> shapeEnvelope(const Samples& s);

/// Correlation of two shapeEnvelopes, the shorter padded with silence: 1 for one shape in
/// time, near 0 for unrelated shapes.
double envelopeShapeCorrelation(std::vector<double> a, std::vector<double> b);

/// A near-twin: too close in colour (under 2.5 dB) and in shape (over 0.6) to tell apart.
bool nearTwins(double distanceDb, double shapeCorrelation);

/// The largest frame-to-frame jump (dB, either way) in any band above 2 kHz while the sound is
/// sounding; `skipSeconds` at the start (a one-shot's attack) is not looked at. Bands more than
/// 45 dB under the sound's loudest band are treated as silence and do not count.
struct SpectralEdge {
    double jumpDb = 0;
    double atSeconds = 0;
    double bandHz = 0;
};
SpectralEdge largestSpectralEdge(const Samples& s, double skipSeconds);

/// Integrated loudness (LUFS) through a 200 Hz high-pass: what a phone or laptop speaker
/// leaves of a sound.
double smallSpeakerLoudness(const Samples& s);

/// How strongly a loop's distinctive events return at its period within two minutes of
/// listening: the 2-8 kHz envelope (50 ms) less its running median over 3 s (the bed),
/// correlated with itself one loop later over 120 s of playback, relative to the envelope's
/// own power. A steady bed scores near 0; loud events in a short loop score near 1.
double loopRepetition(const Samples& loop);

} // namespace velmora::factory::test
