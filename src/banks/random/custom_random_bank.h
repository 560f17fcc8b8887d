#pragma once
// The custom random bank (frmcustom): the random engine over 28 sounds the user chooses,
// with captions of their own, the 118-item bank file and its own automatic randomisation
// set up in Form33.
//
// Stored sound paths: a file inside the program folder is stored relative to it
// ("soundbanks\random sounds\rain.wav"), so bank files move with the folder and read the
// same on every installation; a file outside it is stored as its absolute path, so it
// survives saving and loading.
//
// Thread: UI thread.

#include "banks/random/custom_random_bank_file.h"
#include "banks/random/random_bank_engine.h"

#include <filesystem>
#include <string>
#include <vector>

namespace velmora {

inline constexpr const char* kNotSet = "Not Set";
inline constexpr const char* kCustomRandomConfigFilter = "Custom Random Config Files (*.crf)|*.crf";
inline constexpr const char* kSampleFilter =
    "All Supported Samples (*.wav, *.mp3, *.ogg, *.wma)|*.wav;*.ogg;*.mp3;*.wma";
inline constexpr const char* kCannotOpenSound = "This audio file could not be opened.";
inline constexpr const char* kResetQuestion = "This will reset all sounds on this panel. Continue?";
inline constexpr const char* kRenamePrompt = "Please type a name to identify this sound.";

class CustomRandomBank final : public RandomBankEngine {
  public:
    /// intervals: Form33's settings; confirming it restarts this bank's randomisation.
    CustomRandomBank(Services& services, IntervalSettings& intervals, SoundIdentify& identify);

    // Bank
    /// Stops the current sound of every slot and changes nothing else.
    void stopAll() override { stopSounds(); }
    /// Reads all 118 items first; a bad file is ignored without a message. Loads every
    /// slot's sound at once; a missing one leaves its slot silent.
    bool doload(const std::filesystem::path& path) override;
    [[nodiscard]] std::vector<std::filesystem::path>
    soundsToDecode(const std::filesystem::path& path) const override;
    /// Writes atomically; a failed write is told to the user.
    bool dosave(const std::filesystem::path& path) override { return save(path); }
    [[nodiscard]] std::string stateFileName() const override { return "randc.ini"; }
    /// Writes the bank file; false when it was not written (the old file is kept).
    [[nodiscard]] bool save(const std::filesystem::path& path);

    [[nodiscard]] CustomRandomBankValues values() const;

    /// "Select a sound for this channel": open dialog in "\soundbanks\random sounds".
    void chooseSound(int slot);
    /// Gives slot (1..28) the sound file at path. False, with the slot unchanged, when the
    /// file does not decode (the caller tells the user).
    bool setSound(int slot, const std::filesystem::path& path);
    /// The picker's list (entry 1 first): all frequencies to 0, all current sounds stopped,
    /// then slot k takes entry k; empty entries and slots past the list keep their sound.
    void applyPickedList(const std::vector<std::string>& paths);
    /// "Reset all sounds on this form to their defaults", after a Yes to its question.
    void resetSounds();
    /// Right button on a caption: asks for a new caption; empty or cancel changes nothing.
    void renameSlot(int slot);

    void saveConfiguration();
    void loadConfiguration();
    [[nodiscard]] std::filesystem::path configFolder() const;
    [[nodiscard]] std::filesystem::path soundFolder() const;

    /// "Enable / Disable automatic randomization of frequencies" (main2.tmp field 35).
    void setAutoRandomize(bool on);
    void toggleAutoRandomize() { setAutoRandomize(!autoRandomizeOn()); }

    /// The stored form of a sound path (see the class comment).
    [[nodiscard]] std::string storedForm(const std::filesystem::path& path) const;
    /// Where a stored form is read from; empty for an empty form.
    [[nodiscard]] std::filesystem::path resolveStored(const std::string& stored) const;

  private:
    /// Sets the slot's sound, caption and sample (already loaded) in one go.
    void assign(int slot, const std::string& stored, const std::filesystem::path& path,
                audio::SampleHandle sample);

    std::string m_label20; ///< the caption control that belongs to no slot, kept for its file
    Connection m_confirmed;
};

/// The caption a chosen file gives its slot: the name after the last separator, cut before
/// its first "." ("rain.light.wav" -> "rain").
[[nodiscard]] std::string captionFromFile(const std::string& path);

} // namespace velmora
