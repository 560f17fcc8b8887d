#pragma once
// The last steps every generated sound goes through: loudness measurement (EBU R128 through
// libebur128), normalisation by the library's loudness rule, a true-peak limiter, trimming
// of one-shots, and writing 16-bit mono files through libsndfile.
//
// Loudness rule:
//   loops and tones    integrated loudness -23 LUFS;
//   one-shots          loudest 400 ms (maximum momentary loudness) at -20 LUFS, so each
//                      event of a bank arrives equally loud whatever its length; sounds
//                      whose peaks would pass the ceiling are limited, then lowered;
//   every file         true peak at or below -1 dBTP.
//
// Threads: pure functions; call from any worker thread.

#include "catalogue.h"
#include "dsp.h"

#include <filesystem>
#include <string>

namespace velmora::factory {

inline constexpr double kLoopLufs = -23.0;
inline constexpr double kOneShotMomentaryLufs = -20.0;
inline constexpr double kTruePeakCeilingDb = -1.0;

struct Loudness {
    double integratedLufs = -200.0;
    double momentaryMaxLufs = -200.0; ///< loudest 400 ms window (100 ms steps)
    double truePeakDb = -200.0;       ///< dBTP (4x oversampled)
};

/// Measures a mono 44 100 Hz buffer.
Loudness measureLoudness(const Buffer& b);

/// Trims leading silence (keeps 1 ms), fades the very start and end so the file starts
/// and ends at zero, and drops a silent tail.
void trimOneShot(Buffer& b);

/// Finishes a sound for its kind: one-shots get a faint open-air tail and are trimmed; loops
/// are turned to start at their calmest moment; then loudness by the rule and the true-peak
/// limiter (loops limited as a ring, so the seam stays untouched).
void master(Buffer& b, Kind kind);

/// Writes 16-bit mono 44 100 Hz FLAC or WAV; false with a message on stderr on failure.
bool writeAudio(const std::filesystem::path& path, const Buffer& b, Format format);

} // namespace velmora::factory
