#pragma once
// The eighteen slot records of a drifting background bank and everything they do: switching
// loops on and off, the volume that reaches the mixer, balance, the range bars and their
// invariants, the rate and the drift walk, and the group commands. Banks one and two and the
// custom background bank are this class plus their sounds and file formats.
//
// Slots are numbered 1..18 as the user sees them; slot 18 is hidden: it keeps values (files
// carry them, group commands move them) but never sounds and never drifts.
//
// Thread: UI thread. Drift steps run from a timer on the same thread.

#include "background_bank_file.h"
#include "background_slot.h"
#include "drift_scheduler.h"
#include "slot_voice.h"

#include "core/color_scheme.h"
#include "core/levels.h"
#include "core/services.h"
#include "core/signal.h"

#include <array>

namespace velmora {

/// The buttons of a bank window that act on every slot at once.
enum class GroupCommand {
    VolumeMin,     ///< every volume 0
    VolumeMax,     ///< every volume 250 (not the slider's 255)
    VolumeDown,    ///< every volume -15
    VolumeUp,      ///< every volume +15
    PanLeft,       ///< every balance 0
    PanRight,      ///< every balance 250 (not 255)
    PanDown,       ///< every balance -15
    PanUp,         ///< every balance +15
    StopAll,       ///< every slot off
    RateZero,      ///< every rate 0 (drift disabled)
    RateMax,       ///< every rate 999
    RateDown,      ///< every rate -50
    RateUp,        ///< every rate +50
    RangeLowUp,    ///< every lower bound +15 (bar position -15)
    RangeLowDown,  ///< every lower bound -15
    RangeHighUp,   ///< every upper bound +5 (bar position -5)
    RangeHighDown, ///< every upper bound -5
};

class BackgroundSlots {
  public:
    static constexpr int kAudibleSlots = 17;
    static constexpr int kHiddenSlot = 18;
    static constexpr int kReservedFlags = 18;

    /// `bankLevel` is the shared level that is this bank's volume.
    BackgroundSlots(Services& services, Level bankLevel);
    virtual ~BackgroundSlots();
    BackgroundSlots(const BackgroundSlots&) = delete;
    BackgroundSlots& operator=(const BackgroundSlots&) = delete;

    /// Slot 1..18.
    [[nodiscard]] const BackgroundSlot& slot(int number) const;
    /// The sound of slot 1..17.
    [[nodiscard]] const SlotVoice& voice(int number) const;
    [[nodiscard]] bool reservedFlag(int index) const { return m_reserved.at(index); }
    /// What every background bank file holds of the slots, with the copies of the levels
    /// beside them.
    [[nodiscard]] BackgroundBankValues slotValues() const;

    // Control moves. Each goes the way a user's move of the control goes: the value is
    // limited to the control's range, and the engine reacts at once.
    /// Starts or stops the loop of slot 1..17 (slot 18 keeps the value, silently).
    void setOn(int number, bool on);
    /// Volume 0..255; re-applies the effective volume to the slot's channel.
    void setVolume(int number, int volume);
    /// Balance 0 (left)..255 (right).
    void setPan(int number, int pan);
    /// Rate 0..999; sets the drift period (rate 0 holds the volume) without a restart.
    void setRate(int number, int rate);
    /// Range bar positions 0..250 (bound = 250 - position), invariants applied against the
    /// other bar's current position; a bound that changes draws a new drift target.
    void setRangeLowPos(int number, int position);
    void setRangeHighPos(int number, int position);
    void setReservedFlag(int index, bool value) { m_reserved.at(index) = value; }

    /// Runs a group command over the slots it covers, each slot through its control path;
    /// a step past a control's end is limited to that end.
    void runCommand(GroupCommand command);

    /// Bank volume: the shared level this bank follows.
    [[nodiscard]] int bankLevel() const;
    /// The 0..255 (or more) value sent to slot `number`'s channel right now.
    [[nodiscard]] int effectiveVolume(int number) const;
    /// Sends every slot's volume, balance and drift period to the engine again.
    void reapplyAll();

    /// Remembers the scheme; the view repaints from it.
    void applyColors(const ColorScheme& scheme);
    [[nodiscard]] const ColorScheme& colors() const { return m_colors; }

    /// Slot 1..18 changed (any value, or its name on banks that have names).
    Signal<int> slotChanged;
    /// Many slots changed at once (a load, a reset): redraw everything.
    Signal<> changed;
    Signal<> colorsChanged;

  protected:
    /// Called before a slot starts: give its voice a sample (or leave it without one).
    virtual void prepareSample(int number, SlotVoice& voice) = 0;
    /// How many slots the balance group commands cover (18, or 17 without a hidden balance).
    [[nodiscard]] virtual int panCommandSlots() const { return kHiddenSlot; }

    [[nodiscard]] Services& services() const { return m_services; }
    [[nodiscard]] SlotVoice& voiceRef(int number);
    /// Stops slot 1..17's channel without touching its switch.
    void silence(int number);

  private:
    [[nodiscard]] BackgroundSlot& ref(int number);
    void applyVolume(int number);
    void driftStep(int number);
    void drawTarget(int number);
    void onLevelChanged(Level level);

    Services& m_services;
    Level m_bankLevel;
    std::array<BackgroundSlot, kHiddenSlot> m_slots{};
    std::array<SlotVoice, kAudibleSlots> m_voices{};
    std::array<bool, kReservedFlags> m_reserved{};
    DriftScheduler m_drift;
    ColorScheme m_colors;
    Connection m_levelsConnection;
};

} // namespace velmora
