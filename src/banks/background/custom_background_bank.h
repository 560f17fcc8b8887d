#pragma once
// The custom background bank (`frmbackcustom`): the drifting slots of bank one playing sound
// files the user chose, with their names, its .cbf bank files and backc.ini.
//
// Chosen files inside the program folder are stored in the folder-relative form
// ("\soundbanks\background sounds\rain.wav"); files anywhere else are stored with their
// absolute path and loaded from there.
//
// Thread: UI thread.

#include "background_bank_file.h"
#include "background_slots.h"

#include "core/bank.h"

#include <functional>
#include <vector>

namespace velmora {

class CustomBackgroundBank final : public BackgroundSlots, public Bank {
  public:
    static constexpr const char* kNotSet = "Not Set";
    static constexpr const char* kNotFound = "Not Found";

    explicit CustomBackgroundBank(Services& services);

    // --- Bank ---
    [[nodiscard]] std::string windowName() const override { return "frmbackcustom"; }
    void stopAll() override { runCommand(GroupCommand::StopAll); }
    /// Reads the whole file first; a missing, short or non-numeric file shows the bank's
    /// message and changes nothing. A sound file that is missing only names its slot
    /// "Not Found".
    bool doload(const std::filesystem::path& path) override;
    [[nodiscard]] std::vector<std::filesystem::path>
    soundsToDecode(const std::filesystem::path& path) const override;
    bool dosave(const std::filesystem::path& path) override { return save(path); }
    [[nodiscard]] std::string stateFileName() const override { return "backc.ini"; }
    void docolors(const ColorScheme& scheme) override { applyColors(scheme); }

    /// dosave that says whether the file was written (the old file is kept when not).
    [[nodiscard]] bool save(const std::filesystem::path& path);

    /// Slot 1..17: label, stored path, tool tip (the stored path of a missing sound).
    [[nodiscard]] const std::string& slotName(int number) const;
    [[nodiscard]] const std::string& slotPath(int number) const;
    [[nodiscard]] const std::string& slotToolTip(int number) const;

    /// "Select a sound for this channel" of slot 1..17.
    void chooseSound(int number);
    /// "Reset all sounds on this form to their defaults" (asks first).
    void reset();
    /// Reloads every slot's sound from its stored path (the window's "Command1").
    void reloadAll();
    /// The sound picker's background mode: files[0] becomes slot 1's sound and so on (at most
    /// 17; slots without an entry are emptied), then every slot is reloaded. Full paths.
    void reloadAll(const std::vector<std::string>& files);
    /// "Load multiple files at once": asks the composition root's picker to open.
    void openPicker();
    void setPickerOpener(std::function<void()> opener) { m_pickerOpener = std::move(opener); }

    void saveConfiguration();
    void loadConfiguration();

    [[nodiscard]] CustomBackgroundValues values() const;
    /// Applies read values in the order a load does (see doload).
    void apply(const CustomBackgroundValues& values);

    /// Where a stored path's sound is looked for.
    [[nodiscard]] std::filesystem::path resolveStored(const std::string& stored) const;
    /// How a chosen full path is stored.
    [[nodiscard]] std::string storedForm(const std::filesystem::path& chosen) const;

  protected:
    void prepareSample(int, SlotVoice&) override {} // plays the chosen sample, loads nothing
    [[nodiscard]] int panCommandSlots() const override { return kAudibleSlots; }

  private:
    struct SlotSound {
        std::string name = kNotSet;
        std::string path;
        std::string toolTip;
        std::filesystem::path loadedFrom; ///< file the current sample came from
    };
    [[nodiscard]] SlotSound& sound(int number);
    /// Gives slot `number` the sound of its stored path; true when the file exists.
    bool loadStoredSound(int number, bool reuseLoaded);

    std::array<SlotSound, kAudibleSlots> m_sounds{};
    std::function<void()> m_pickerOpener;
};

/// The label a chosen file gives its slot: the name after the last separator, up to its
/// first dot.
[[nodiscard]] std::string soundBaseName(const std::string& path);

} // namespace velmora
