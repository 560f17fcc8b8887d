#pragma once
// Turns a sound file into what the mixer plays: 16-bit mono PCM at 44 100 Hz. The format is
// recognised from the file's content, never from its name (factory sounds end in ".raz",
// ".isz", ".isx"). libsndfile is tried first; FFmpeg's libraries read what it cannot.
//
// Thread: any thread; separate files decode independently (SoundEngine::loadSample on the UI
// thread, its decodes ahead on a worker).

#include <cstdint>
#include <string>
#include <vector>

namespace velmora::audio {

enum class DecodeError { None, CannotOpen, NoAudio, DecodeFailed, ResampleFailed, Empty };

struct DecodeResult {
    std::vector<std::int16_t> pcm; ///< mono, 44 100 Hz; empty on error
    DecodeError error = DecodeError::None;
    std::string detail; ///< library message for the error, if any
    [[nodiscard]] bool ok() const { return error == DecodeError::None; }
};

/// Decodes, downmixes to mono, resamples to 44 100 Hz and converts to 16-bit.
[[nodiscard]] DecodeResult decodeSoundFile(const std::string& path);

/// Mono float audio at some rate, as the two decoders deliver it.
struct MonoAudio {
    std::vector<float> frames;
    double rate = 0;
};

/// Resamples mono float audio to 44 100 Hz with high-quality sinc filtering. Returns false
/// (and leaves out untouched) when the resampler fails.
[[nodiscard]] bool resampleTo44100(const MonoAudio& in, std::vector<float>& out,
                                   std::string& detail);

/// Rounds float audio (-1..1) to 16-bit, saturating outside that range.
[[nodiscard]] std::vector<std::int16_t> toPcm16(const std::vector<float>& in);

} // namespace velmora::audio
