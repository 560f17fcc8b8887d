#pragma once
// Test material and measurements for the sound engine: tone files in every format the
// engine must read, and level / decay measurements on rendered audio.

#include "audio/sound_engine.h"

#include <filesystem>
#include <string>
#include <vector>

namespace velmora::audio::test {

/// A fresh empty folder under the system temp folder, removed by the destructor.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    [[nodiscard]] std::string path(const std::string& name) const {
        return (m_dir / name).string();
    }

  private:
    std::filesystem::path m_dir;
};

enum class FileKind { Wav, Flac, Ogg, Mp3, Wma };

/// Writes a sine tone (amplitude 0.5) of the given length as the given kind of file.
bool writeTone(const std::string& path, FileKind kind, int rate, int channels, double hz,
               double seconds);
/// A sine of `frames` samples at the engine's rate.
std::vector<float> sine(double hz, int frames, double amplitude = 0.5);
/// Writes float samples as a 16-bit mono WAV at the given rate.
bool writeWav(const std::string& path, const std::vector<float>& mono, int rate);

/// Renders frames of interleaved stereo offline.
std::vector<float> render(SoundEngine& engine, int frames);
/// RMS of one channel (0 left, 1 right) over frames [from, to).
double rms(const std::vector<float>& stereo, int channel, int from, int to);
double toDb(double ratio);
/// Largest sample-to-sample step of one channel over [from, to).
double largestStep(const std::vector<float>& stereo, int channel, int from, int to);
/// Time (s) for the energy of a decaying response to fall by 60 dB, from a line fitted to
/// the -5..-35 dB part of its backward-integrated energy curve.
double rt60(const std::vector<float>& stereo, int rate);

} // namespace velmora::audio::test
