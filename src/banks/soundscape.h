#pragma once
// Every sound bank of the program, built together from one set of services: the five random
// banks, background banks one and two, the bw bank and the custom background bank. It knows
// the order in which banks restore and save, how a program folder's saved soundscape is
// restored, and how the soundscape playing now is written into a snapshot folder that the
// recorder renders from. The app and the recorder build their banks here, so a recording
// runs exactly the banks the user hears.
//
// Thread: UI thread (the recorder: the one thread that owns its services).

#include "banks/background/background_bank.h"
#include "banks/background/bw_bank.h"
#include "banks/background/custom_background_bank.h"
#include "banks/random/random_banks.h"
#include "core/services.h"
#include "core/signal.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

class AutoRandomiseSwitch;
class MainWindowController;

/// What a snapshot adds to the ordinary state files: the parts of what the user hears that
/// Velmora does not restore at start (the master level, the Bwaves level) and the periods of
/// the automatic-randomise dialogs, which live in the settings store. Only snapshot folders
/// hold it; a program folder without it restores exactly as Velmora starts.
inline constexpr const char* kSnapshotStateFile = "\\snapshot.tmp";

struct SnapshotState {
    int master = levelRange(Level::Master).initial;
    int bwaves = levelRange(Level::Bwaves).initial;
    int randomPeriodMinutes = 10; ///< Form3
    int customPeriodMinutes = 10; ///< Form33
};

/// What restore() met on its way, for the caller to show: bank messages are collected by
/// the caller's Dialogs; this lists the state files that were found and those that were bad.
struct RestoreReport {
    std::vector<std::string> restoredFiles; ///< file names that were read
    std::vector<std::string> damagedFiles;  ///< main.tmp / main2.tmp / snapshot.tmp with bad fields
    bool snapshot = false;                  ///< snapshot.tmp was present
};

struct SnapshotResult {
    bool ok = false;
    std::string error; ///< one line for the user when !ok
};

class Soundscape {
  public:
    explicit Soundscape(Services& services);
    ~Soundscape();
    Soundscape(const Soundscape&) = delete;
    Soundscape& operator=(const Soundscape&) = delete;

    [[nodiscard]] RandomBanks& randomBanks() { return m_random; }
    [[nodiscard]] BackgroundBank& backgroundOne() { return m_backgroundOne; }
    [[nodiscard]] BackgroundBank& backgroundTwo() { return m_backgroundTwo; }
    [[nodiscard]] BwBank& bw() { return m_bw; }
    [[nodiscard]] CustomBackgroundBank& customBackground() { return m_customBackground; }

    /// Banks in the order they restore at start and are saved into a snapshot: background
    /// one, two, bw, random 1..4, custom random, custom background. Quit closes in reverse.
    [[nodiscard]] const std::vector<Bank*>& banks() const { return m_banks; }

    /// The app's wiring: hands every bank to the main window in restore order and links the
    /// two automatic-randomise switches and their dialogs, so the main window's own load
    /// sequence restores them and its quit saves them. Call once, before main.load().
    void attach(MainWindowController& main);

    /// Restores the soundscape saved in the services' program folder, as Velmora's start
    /// does: the dialogs' thresholds from main.tmp, the levels and automatic-randomise
    /// switches from main2.tmp, each bank's state file through its doload (a missing file
    /// keeps the bank's initial values), then the level push that makes every bank apply
    /// its volumes. A snapshot folder's snapshot.tmp also sets the master, Bwaves and the
    /// randomise periods. Bad bank files show the bank's own message through Dialogs.
    RestoreReport restore();

    /// Writes the soundscape playing now into dir, which then works as a program folder:
    /// every bank's state file through its own dosave, main2.tmp, main.tmp and
    /// snapshot.tmp, and a link to every other entry of the program folder (sounds,
    /// configuration), so the user's own state files are neither read later nor touched.
    /// master: the master level to record (pass the pre-mute value while muted); defaults
    /// to the current master.
    [[nodiscard]] SnapshotResult writeSnapshot(const std::filesystem::path& dir,
                                               std::optional<int> master = std::nullopt);

    /// A fresh, private (0700) folder for a snapshot under $XDG_RUNTIME_DIR (or the system
    /// temporary folder); snapshots left by runs more than a week old are removed. Empty
    /// path when no folder could be made.
    [[nodiscard]] static std::filesystem::path makeSnapshotFolder();

  private:
    [[nodiscard]] std::filesystem::path stateFile(std::string name) const;
    void restoreDialogs(RestoreReport& report);
    void restoreMain2(RestoreReport& report);
    void restoreSnapshot(RestoreReport& report);

    Services& m_s;
    RandomBanks m_random;
    BackgroundBank m_backgroundOne;
    BackgroundBank m_backgroundTwo;
    BwBank m_bw;
    CustomBackgroundBank m_customBackground;
    std::vector<Bank*> m_banks;
    std::unique_ptr<AutoRandomiseSwitch> m_randomSwitch;
    std::unique_ptr<AutoRandomiseSwitch> m_customSwitch;
};

/// snapshot.tmp: master, Bwaves, Form3 period, Form33 period (one text record).
[[nodiscard]] std::string snapshotStateBytes(const SnapshotState& state);
/// Reads snapshot.tmp; nullopt when missing. Fields that do not convert keep their
/// defaults and set damaged.
[[nodiscard]] std::optional<SnapshotState> readSnapshotState(const std::filesystem::path& path,
                                                             bool& damaged);

} // namespace velmora
