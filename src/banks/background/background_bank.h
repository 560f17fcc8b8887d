#pragma once
// Background bank one (`frmback`) or two (`frmback2`): seventeen factory loops that drift in
// volume, the bank's file commands and its state file. One class; the table says which bank.
//
// Thread: UI thread.

#include "background_bank_file.h"
#include "background_bank_table.h"
#include "background_slots.h"

#include "core/bank.h"

namespace velmora {

class BackgroundBank final : public BackgroundSlots, public Bank {
  public:
    BackgroundBank(Services& services, const BackgroundBankTable& table);

    // --- Bank ---
    [[nodiscard]] std::string windowName() const override { return m_table.window; }
    void stopAll() override { runCommand(GroupCommand::StopAll); }
    /// Reads the whole file first; a missing, short or non-numeric file shows the bank's
    /// message and changes nothing. Values past a control's range are limited to it.
    bool doload(const std::filesystem::path& path) override;
    [[nodiscard]] std::vector<std::filesystem::path>
    soundsToDecode(const std::filesystem::path& path) const override;
    bool dosave(const std::filesystem::path& path) override { return save(path); }
    [[nodiscard]] std::string stateFileName() const override { return m_table.stateFile; }
    void docolors(const ColorScheme& scheme) override { applyColors(scheme); }

    /// dosave that says whether the file was written (the old file is kept when not).
    [[nodiscard]] bool save(const std::filesystem::path& path);

    [[nodiscard]] const BackgroundBankTable& table() const { return m_table; }
    /// Label of slot 1..18.
    [[nodiscard]] const std::string& slotName(int number) const;
    /// The file slot 1..17 plays.
    [[nodiscard]] std::filesystem::path soundFile(int number) const;

    /// The window's first showing: plays the start-up sound once at volume 1; later calls
    /// do nothing.
    void activate();

    /// "Save this forms configuration": asks for a file name, saves; a failed write says so.
    void saveConfiguration();
    /// "Load a previously saved configuration for this form".
    void loadConfiguration();

    /// The values a save writes, level copies included.
    [[nodiscard]] BackgroundBankValues values() const;
    /// Applies read values in the order a load does: switches (starting loops with their
    /// old volume and balance), range bars in file order, volumes, balances and rates, then
    /// everything re-applied to the engine.
    void apply(const BackgroundBankValues& values);

  protected:
    void prepareSample(int number, SlotVoice& voice) override;

  private:
    const BackgroundBankTable& m_table;
    SlotVoice m_startupVoice;
    bool m_activated = false;
};

} // namespace velmora
