#pragma once
// The bw bank (`frmbackbw`): sixteen steady tone loops under the "Bwaves" level, of which at
// most one plays. It shares the slot sound, volume and balance of the drifting banks, without
// ranges, rates or drift.
//
// Thread: UI thread.

#include "background_slots.h"
#include "bw_bank_file.h"

#include "core/bank.h"

namespace velmora {

class BwBank final : public Bank {
  public:
    static constexpr int kSlots = 16;
    static constexpr int kVolumeMin = 1;

    struct Slot {
        bool on = false;
        int volume = 220; ///< 1..255
        int pan = 122;    ///< 0..255
    };

    explicit BwBank(Services& services);
    ~BwBank() override;

    // --- Bank ---
    [[nodiscard]] std::string windowName() const override { return "frmbackbw"; }
    void stopAll() override { runCommand(GroupCommand::StopAll); }
    /// Reads all 52 fields first; a missing, short or non-numeric file changes nothing and
    /// says nothing. Volumes, balances, then switches in slot order: the last switch set on
    /// is the one that plays.
    bool doload(const std::filesystem::path& path) override;
    [[nodiscard]] std::vector<std::filesystem::path>
    soundsToDecode(const std::filesystem::path& path) const override;
    bool dosave(const std::filesystem::path& path) override { return save(path); }
    [[nodiscard]] std::string stateFileName() const override { return "bw.ini"; }
    void docolors(const ColorScheme& scheme) override;

    [[nodiscard]] bool save(const std::filesystem::path& path);

    /// Slot 1..16.
    [[nodiscard]] const Slot& slot(int number) const;
    [[nodiscard]] const SlotVoice& voice(int number) const;
    /// "Alpha1".."Delta4".
    [[nodiscard]] static std::string slotName(int number);
    [[nodiscard]] std::filesystem::path soundFile(int number) const;

    /// Switching a slot on switches every other slot off first.
    void setOn(int number, bool on);
    /// Volume 1..255.
    void setVolume(int number, int volume);
    /// Balance 0..255.
    void setPan(int number, int pan);
    /// The volume and balance commands and stop-all; the range and rate commands do not
    /// exist on this bank and do nothing.
    void runCommand(GroupCommand command);

    [[nodiscard]] int bankLevel() const;
    [[nodiscard]] int effectiveVolume(int number) const;
    [[nodiscard]] const ColorScheme& colors() const { return m_colors; }

    [[nodiscard]] BwBankValues values() const;
    void apply(const BwBankValues& values);

    Signal<int> slotChanged;
    Signal<> changed;
    Signal<> colorsChanged;

  private:
    Slot& ref(int number);
    SlotVoice& voiceRef(int number);
    void applyVolume(int number);

    Services& m_services;
    std::array<Slot, kSlots> m_slots{};
    std::array<SlotVoice, kSlots> m_voices{};
    ColorScheme m_colors;
    Connection m_levelsConnection;
};

} // namespace velmora
