#pragma once
// The one way a whole soundscape goes into a folder and comes back out of it: the main
// window's two state files, every bank's own file and the two automatic-randomise switches.
// Start-up and quit use it on the program folder, the recorder's snapshot on a private
// folder, and scenarios on their member files; the bank-file names are a parameter, so each
// caller picks its own.
//
// Thread: UI thread (the recorder: the one thread that owns its services).

#include "core/auto_randomise_switch.h"
#include "core/bank.h"
#include "core/levels.h"
#include "core/signal.h"
#include "core/state/main2_state.h"
#include "core/state/main_state.h"
#include "platform/program_folder.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

/// A soundscape as the saved state sees it: its banks in restore order and its two switches.
struct SoundscapeLinks {
    std::vector<Bank*> banks;
    AutoRandomiseSwitch* random = nullptr; ///< the four numbered random banks
    AutoRandomiseSwitch* custom = nullptr; ///< the custom random bank
};

namespace state {

/// What a snapshot adds to the ordinary state files: the parts of what the user hears that
/// start-up does not restore (the master level, the Bwaves level) and the periods of the
/// automatic-randomise dialogs, which live in the settings store. Only snapshot folders
/// hold it; a program folder without it restores exactly as start-up does.
inline constexpr const char* kSnapshotStateFile = "\\snapshot.tmp";

struct SnapshotState {
    int master = levelRange(Level::Master).initial;
    int bwaves = levelRange(Level::Bwaves).initial;
    int randomPeriodMinutes = 10; ///< Form3
    int customPeriodMinutes = 10; ///< Form33
};

/// snapshot.tmp: master, Bwaves, Form3 period, Form33 period (one text record).
[[nodiscard]] std::string snapshotStateBytes(const SnapshotState& state);
/// Reads snapshot.tmp; nullopt when missing. Fields that do not convert keep their
/// defaults and set damaged.
[[nodiscard]] std::optional<SnapshotState> readSnapshotState(const std::filesystem::path& path,
                                                             bool& damaged);

/// A file name in its stored form with exactly one leading "\" ("rand.ini" -> "\rand.ini").
[[nodiscard]] std::string storedName(std::string_view name);

/// The stored name of each bank's file inside a folder.
using BankFileNames = std::function<std::string(const Bank&)>;
/// Every bank under its own state file name ("\rand.ini"), as start-up and quit use them.
[[nodiscard]] BankFileNames stateFileNames();

struct RestoreReport {
    std::vector<std::string> restoredFiles; ///< stored names of the files that were read
    // Files that could not be read or held values that did not convert: what they held is
    // lost once they are written again, so the app keeps a copy (see keepDamagedCopies).
    /// main.tmp, main2.tmp, snapshot.tmp: nobody has told the user yet.
    std::vector<std::filesystem::path> damagedFiles;
    /// Bank files the bank's doload refused (it showed its own message).
    std::vector<std::filesystem::path> refusedBankFiles;
    bool snapshot = false; ///< snapshot.tmp was present
    bool firstRun = false; ///< main.tmp was missing
};

struct SaveReport {
    std::vector<std::filesystem::path> failed; ///< files that were not written
    [[nodiscard]] bool ok() const { return failed.empty(); }
    /// One line naming every file that was not written.
    [[nodiscard]] std::string summary() const;
};

struct SnapshotResult {
    bool ok = false;
    std::string error; ///< one line for the user when !ok
};

/// Copies each damaged file to NAME.bad beside it, replacing an older copy, so writing
/// defaults over the damaged file destroys nothing the user had.
void keepDamagedCopies(const RestoreReport& report);

class SavedSoundscape {
  public:
    SavedSoundscape(Levels& levels, SoundscapeLinks links);

    [[nodiscard]] const SoundscapeLinks& links() const { return m_links; }

    /// Restores what folder holds, as start-up does: from main.tmp the alarm flag, the
    /// dialogs' sliders and the texts kept for load-previous (never the scenario name or
    /// device, which start-up does not take from it); snapshot.tmp when present; from
    /// main2.tmp everything (the caller picks colours and presets), the bank levels and the
    /// switches; each bank's state file (a missing one keeps the bank as it is); then the
    /// level push that makes every bank apply its volumes. Fields that were not read leave
    /// main and main2 as they were.
    RestoreReport restore(const ProgramFolder& folder, MainState& main, Main2State& main2);

    /// Loads each bank from its file under names; a missing file keeps the bank as it is, a
    /// file its doload refuses is listed as damaged.
    void loadBanks(const ProgramFolder& folder, const BankFileNames& names, RestoreReport& report);
    /// loadBanks for one bank; false when its doload refused the file.
    bool loadBank(Bank& bank, const ProgramFolder& folder, const BankFileNames& names,
                  RestoreReport& report);
    /// Writes one bank's file; a failure is added to report.
    void saveBank(Bank& bank, const ProgramFolder& folder, const BankFileNames& names,
                  SaveReport& report);

    /// Takes what the soundscape holds into the state records: bank levels, switches and the
    /// dialogs' sliders. The master, colours, presets and device are the caller's.
    void collect(MainState& main, Main2State& main2) const;
    /// main2.tmp, then main.tmp: main.tmp marks a completed quit (no first-run welcome next
    /// time), so it must not exist without its partner.
    [[nodiscard]] SaveReport writeMainFiles(const ProgramFolder& folder, const MainState& main,
                                            const Main2State& main2) const;
    /// writeMainFiles, then every bank's state file in restore order (collect first).
    [[nodiscard]] SaveReport write(const ProgramFolder& folder, const MainState& main,
                                   const Main2State& main2);

    /// Writes the soundscape playing now into dir, which then works as a program folder:
    /// every state file, snapshot.tmp, and a link to every other entry of program (sounds,
    /// configuration), so the user's own state files are neither read later nor touched.
    /// master: the master level to record (the pre-mute value while muted).
    [[nodiscard]] SnapshotResult writeSnapshot(const ProgramFolder& program,
                                               const std::filesystem::path& dir, int master);

    /// A fresh, private (0700) folder for a snapshot under $XDG_RUNTIME_DIR (or the system
    /// temporary folder); snapshots left by runs more than a week old are removed. Empty
    /// path when no folder could be made.
    [[nodiscard]] static std::filesystem::path makeSnapshotFolder();
    /// Marks dir as in use by this process until it ends (a recorder rendering from it),
    /// so removeUnusedSnapshotFolders() leaves it alone. False when dir is not a snapshot.
    static bool holdSnapshotFolder(const std::filesystem::path& dir);
    /// Removes dir, if it is a snapshot folder, and the snapshots' folder once it is empty.
    static void removeSnapshotFolder(const std::filesystem::path& dir);
    /// Removes every snapshot no process holds; one made in the last two minutes is kept,
    /// as the recorder it was made for may still be starting.
    static void removeUnusedSnapshotFolders();

  private:
    void restoreMain(const ProgramFolder& folder, MainState& main, RestoreReport& report);
    void restoreSnapshot(const ProgramFolder& folder, RestoreReport& report);
    void restoreMain2(const ProgramFolder& folder, Main2State& main2, RestoreReport& report);

    Levels& m_levels;
    SoundscapeLinks m_links;
};

} // namespace state
} // namespace velmora
