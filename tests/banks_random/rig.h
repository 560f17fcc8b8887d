#pragma once
// A random bank's world for tests: a temporary program folder with small generated sound
// files, the real engine rendering offline, virtual time, scripted draws and dialogs.

#include "banks/random/random_banks.h"
#include "core/offline_services.h"
#include "support/temp_dir.h"
#include "support/wav_file.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace velmora::test {

using testing::writeTone;

class RandomRig : private testing::OwnsTempDir, public OfflineServices {
  public:
    /// Makes the folder (with bin/<n>.raz for every numbered bank's slot when withFactory).
    explicit RandomRig(bool withFactory = true, double toneSeconds = 0.25);
    ~RandomRig();

    [[nodiscard]] const std::filesystem::path& dir() const { return m_temp.path(); }
    [[nodiscard]] std::filesystem::path file(const std::string& relative) const {
        return dir() / relative;
    }

    /// Advances virtual time in 10 ms steps, rendering the matching audio; returns the peak
    /// and RMS of the rendered samples (both channels).
    struct Measure {
        double peak = 0;
        double rms = 0;
    };
    Measure run(int milliseconds);
    /// Advances virtual time without rendering (the tick alone).
    void advance(int milliseconds) { timers.advance(milliseconds); }
    /// Queues draws for the shared generator.
    void draws(std::initializer_list<double> values) {
        for (double v : values)
            random.push(v);
    }

    std::unique_ptr<RandomBanks> banks;
};

/// Draw that makes Int(r x n) equal to v.
constexpr double pick(int v, int n) {
    return (v + 0.5) / n;
}

} // namespace velmora::test
