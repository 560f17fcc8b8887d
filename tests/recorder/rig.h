#pragma once
// A tiny program folder for recorder tests: generated sounds under bin/, state files written
// by the program's own banks (set up through a live Soundscape), and readers for rendered
// files.

#include "banks/soundscape.h"
#include "core/offline_services.h"
#include "support/temp_dir.h"
#include "support/wav_file.h"

#include <filesystem>
#include <functional>
#include <vector>

namespace velmora::test {

using testing::writeWav;
/// A sine of `cycles` whole cycles over `frames` frames (loops without a seam).
std::vector<float> sineLoop(int frames, int cycles, float peak);

struct StereoFile {
    std::vector<float> left, right;
    int rate = 0;
};
/// Reads any file libsndfile reads; empty when it cannot.
StereoFile readStereo(const std::filesystem::path& path);
double rms(const std::vector<float>& v, std::size_t from, std::size_t to);

/// Frames in one test background loop: 0.5 s, 220 cycles (440 Hz).
inline constexpr int kLoopFrames = 22050;
inline constexpr float kLoopPeak = 0.5f;
/// Frames of the one-shot burst every random slot plays: 60 ms of 1 kHz.
inline constexpr int kBurstFrames = 2646;

/// Services over a folder with an offline engine, as the app builds them for a bank.
struct LiveWorld : OfflineServices {
    explicit LiveWorld(const std::filesystem::path& folder) : OfflineServices(folder, 7) {}
};

class ProgramFolderRig {
  public:
    /// Loops for both background banks and the bw bank, bursts for random bank 1.
    ProgramFolderRig();
    [[nodiscard]] const std::filesystem::path& dir() const { return m_temp.path(); }
    [[nodiscard]] std::filesystem::path path(const std::string& name) const { return dir() / name; }
    /// Sets up a live soundscape on this folder and saves every bank's state file and
    /// main2.tmp into it, as Velmora does at quit.
    void saveState(const std::function<void(Soundscape&, Levels&)>& setup);

  private:
    testing::TempDir m_temp;
};

} // namespace velmora::test
