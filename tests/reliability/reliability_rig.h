#pragma once
// The whole mixer without a toolkit, for runs that go on far longer than a unit test: a
// program folder with small generated sounds (background bank one, random bank one and a
// folder of the user's own sounds), the real engine rendering offline in virtual time, every
// bank and the main window wired as the program wires them, and a user who acts at random.
// The soak and the crash-at-any-moment test share it, so both exercise the same program.
//
// Thread: the one thread that owns the world.

#include "banks/soundscape.h"
#include "core/main_window/main_window_controller.h"
#include "core/offline_services.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace velmora::reliability {

/// Writes the factory sounds the rig's banks play and a few sounds of the user's own (in
/// "my sounds") into folder. Small: half a second each.
void populateProgramFolder(const std::filesystem::path& folder);
/// The user's own sounds populateProgramFolder wrote, full paths.
[[nodiscard]] std::vector<std::filesystem::path> userSounds(const std::filesystem::path& folder);

struct World : OfflineServices {
    World(const std::filesystem::path& folder, std::uint64_t seed);
    ~World();

    Soundscape soundscape{services};
    MainWindowController main{services};
};

/// Where the user's own copy of a bank's file goes ("Save this forms configuration").
[[nodiscard]] std::filesystem::path bankFilePath(const std::filesystem::path& folder,
                                                 const Bank& bank);

/// What the user was shown while saving, and the bank files that were not written.
struct SaveOutcome {
    std::vector<std::string> messages;
    int bankFileFailures = 0;
};
/// Starts the program on folder, lets the user (userSeed) change things, then saves the way
/// a user does at the end of a session: every bank into its own bank file, then quit.
/// interactive: the quit may show a message; otherwise a failure goes to the save-error log
/// in saveErrorFolder. beforeSaving is called once the changes are made.
SaveOutcome changeAndSave(const std::filesystem::path& folder, std::uint64_t userSeed,
                          bool interactive = false,
                          const std::filesystem::path& saveErrorFolder = {},
                          const std::function<void()>& beforeSaving = {});

/// What a user does with the mixer over a day, drawn from a seed of its own (the world's
/// generator stays the program's).
enum class Action {
    SlotSwitch,
    SlotMove, ///< volume, pan, range or rate of a background slot; volume/frequency of a bird
    LevelMove,
    Mute,
    StopAll,
    BankFileSave,
    BankFileLoad,
    CustomSound,
    AutoRandomise,
};
inline constexpr int kActionCount = 9;

class RandomUser {
  public:
    RandomUser(World& world, std::filesystem::path folder, std::uint64_t seed);

    /// Does one thing at random and says what it was.
    Action act();
    /// Does n things, for shaping a state to save.
    void actMany(int n);
    [[nodiscard]] const std::array<std::int64_t, kActionCount>& counts() const { return m_counts; }
    /// Bank-file loads that were refused or saves that failed; none is expected.
    [[nodiscard]] int fileFailures() const { return m_fileFailures; }

  private:
    int draw(int lo, int hi); // inclusive
    void moveSlot();
    void moveLevel();
    void bankFile(bool save);
    void customSound();

    World& m_world;
    std::filesystem::path m_folder;
    std::vector<std::filesystem::path> m_sounds;
    std::mt19937_64 m_rng;
    std::array<std::int64_t, kActionCount> m_counts{};
    int m_fileFailures = 0;
};

} // namespace velmora::reliability
