#pragma once
// A background bank's world for tests: a temporary program folder with small generated loops,
// the real engine rendering offline, virtual time, scripted draws and dialogs.

#include "core/offline_services.h"
#include "support/temp_dir.h"
#include "support/wav_file.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace velmora::test {

using testing::writeWav;
/// A seamless loop of `seconds`: the sum of sines with whole cycles per loop between lowHz and
/// highHz (random phases), scaled to `peak`.
std::vector<float> loopTexture(double seconds, double lowHz, double highHz, double peak,
                               unsigned seed);

class BackgroundRig : private testing::OwnsTempDir, public OfflineServices {
  public:
    /// Makes the program folder; with factory sounds, bin/1..17.isz, 51..67.isz, b1..b16.isx
    /// and 51.raz as short loops.
    explicit BackgroundRig(bool withFactory = true);
    ~BackgroundRig();

    [[nodiscard]] const std::filesystem::path& dir() const { return m_temp.path(); }
    [[nodiscard]] std::filesystem::path file(const std::string& relative) const {
        return dir() / relative;
    }
    void draws(std::initializer_list<double> values) {
        for (double v : values)
            random.push(v);
    }
    /// Sets Background, Bwaves and Master so that a slot's effective volume is its volume.
    void unityLevels();
    /// Advances virtual time in 10 ms steps, rendering the matching audio.
    void run(int milliseconds);
};

/// Fields of a one-line bank file, for building test files from a saved one.
std::vector<std::string> splitFields(const std::string& line);
std::string joinFields(const std::vector<std::string>& fields);

} // namespace velmora::test
