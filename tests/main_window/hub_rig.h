#pragma once
// The whole mixer without a toolkit: a temporary program folder with generated sounds for
// background bank one and random bank one, the real engine rendering offline, virtual time,
// every bank and the main window wired as the program wires them. restart() builds a new
// world on the same folder, as running the program again does.

#include "banks/soundscape.h"
#include "core/main_window/main_window_controller.h"
#include "core/offline_services.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace velmora::test {

struct HubWorld : OfflineServices {
    explicit HubWorld(const std::filesystem::path& dir);
    ~HubWorld();

    Soundscape soundscape{services};
    RandomBanks& randomBanks = soundscape.randomBanks();
    BackgroundBank& backgroundOne = soundscape.backgroundOne();
    BackgroundBank& backgroundTwo = soundscape.backgroundTwo();
    CustomBackgroundBank& customBackground = soundscape.customBackground();
    MainWindowController main{services};
};

class HubRig {
  public:
    /// withSounds: factory sounds for background bank one and random bank one.
    explicit HubRig(bool withSounds = true);

    HubWorld& world() { return *m_world; }
    MainWindowController& main() { return m_world->main; }
    audio::SoundEngine& engine() { return m_world->engine; }
    Levels& levels() { return m_world->levels; }

    /// Starts the engine and runs the load sequence.
    void start();
    /// Drops the running world without quitting (a crash or a kill -9) and builds a new one.
    void restart();
    [[nodiscard]] std::filesystem::path file(std::string_view name) const { return m_temp / name; }

    /// Advances virtual time in 10 ms steps with the matching audio; returns the peak.
    double run(int milliseconds);

  private:
    testing::TempDir m_temp;
    std::unique_ptr<HubWorld> m_world;
};

/// Levels, loops, bird settings, switches, a preset and a device a user might leave behind.
void shapeSoundscape(HubRig& rig);
/// Every bank's state file, in the order the banks are created.
extern const std::vector<std::string> kBankStateFiles;

} // namespace velmora::test
