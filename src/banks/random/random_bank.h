#pragma once
// One numbered random bank (Birds, Insects and Frogs, Animals, Weather): factory sounds
// loaded on first use, the 60-field bank file, and the window commands that need dialogs.
// All four are this one class, told apart by their row of the bank table.
//
// Thread: UI thread.

#include "banks/random/random_bank_engine.h"
#include "banks/random/random_bank_file.h"

#include <filesystem>
#include <string>

namespace velmora {

class AutoRandomizeGroup;

class RandomBank final : public RandomBankEngine {
  public:
    /// table: randomBankTable(1..4). intervals: the shared Form3 settings.
    RandomBank(Services& services, const RandomBankTable& table, IntervalSettings& intervals,
               SoundIdentify& identify);

    [[nodiscard]] const RandomBankTable& table() const { return m_table; }

    // Bank
    void stopAll() override { Command1_Click(); }
    /// Reads all 60 values first; on any fault shows the bank's message and changes nothing.
    bool doload(const std::filesystem::path& path) override;
    /// Writes the one-line file atomically; a failed write is told to the user.
    bool dosave(const std::filesystem::path& path) override { return save(path); }
    [[nodiscard]] std::string stateFileName() const override;
    /// Writes the bank file; false when it was not written (the old file is kept).
    [[nodiscard]] bool save(const std::filesystem::path& path);

    /// Stop-all: stops the current sound of every slot.
    void Command1_Click() { stopSounds(); }

    /// The values as the bank file holds them (copies: Bwaves and master levels now).
    [[nodiscard]] RandomBankValues values() const;

    /// "Save this forms current configuration": save dialog in the configuration folder.
    void saveConfiguration();
    /// "Load a previously saved configuration for this form".
    void loadConfiguration();
    [[nodiscard]] std::filesystem::path configFolder() const;

    /// "Enable / Disable automatic frequency randomization": switches all four banks.
    void toggleAutoRandomize();
    /// Called by the group that switches the four banks together.
    void attachGroup(AutoRandomizeGroup* group) { m_group = group; }

  private:
    const RandomBankTable& m_table;
    AutoRandomizeGroup* m_group = nullptr;
};

} // namespace velmora
