#pragma once
// What makes a random bank sound, shared by the four numbered banks and the custom bank:
// 28 slots, the 500 ms tick that fires at most one of them with a random pan and volume,
// preview, live volume, stop, the bank-wide slider commands and automatic randomisation of
// the frequencies. The banks differ only in their tick rule, sound source and file format.
//
// Thread: UI thread. Owns two timers of the TimerService it is given.

#include "banks/random/random_bank_table.h"
#include "core/bank.h"
#include "core/services.h"
#include "core/signal.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

namespace velmora {

class IntervalSettings;
class SoundIdentify;

/// One sound position of a random bank.
struct RandomSlot {
    std::string caption;
    std::string file; ///< stored form ("\bin\101.raz", custom: see the bank); empty = none
    std::filesystem::path path;      ///< where the sound is read from; empty = none
    int volume = kInitialSlotVolume; ///< S, 0..255
    int frequency = 0;               ///< F, 0..255; 0 = off
    audio::SampleHandle sample;      ///< invalid until loaded (and after a failed load)
    audio::ChannelHandle channel;    ///< the slot's most recent play
};

class RandomBankEngine : public Bank {
  public:
    struct Identity {
        std::string windowName;
        std::string column1; ///< identify text of slots 1-14
        std::string column2; ///< identify text of slots 15-28
        TickRule tick;
    };

    /// Starts the 500 ms tick at once; it runs until the bank is destroyed.
    RandomBankEngine(Services& services, IntervalSettings& intervals, SoundIdentify& identify,
                     Identity identity);
    ~RandomBankEngine() override;
    RandomBankEngine(const RandomBankEngine&) = delete;
    RandomBankEngine& operator=(const RandomBankEngine&) = delete;

    [[nodiscard]] std::string windowName() const override { return m_identity.windowName; }
    void docolors(const ColorScheme& scheme) override;
    [[nodiscard]] const ColorScheme& colors() const { return m_colors; }

    /// slot 1..28.
    [[nodiscard]] const RandomSlot& slot(int n) const { return m_slots.at(n - 1); }
    [[nodiscard]] const std::string& columnText(int slot) const;
    [[nodiscard]] const TickRule& tickRule() const { return m_identity.tick; }

    /// Moves a volume slider (0..255, limited): the slot's playing sound follows at once.
    void setVolume(int slot, int value);
    /// Moves a frequency slider (0..255, limited); takes effect from the next tick.
    void setFrequency(int slot, int value);

    // Bank-wide slider commands. Steps are limited to 0..255.
    void setAllVolumes(int value);
    void stepVolumes(int delta);
    void setAllFrequenciesOff();
    /// Link mode on: every slot to 255; off: only slots that are not off.
    void setAllFrequenciesToMaximum();
    /// Negative steps move every slot; positive ones spare slots at 0 unless link mode is on.
    void stepFrequencies(int delta);
    void setLinkMode(bool on);
    [[nodiscard]] bool linkMode() const { return m_linkMode; }

    /// "Randomize frequencies now": every slot above 10 gets Int(rnd x T) + 10, T read from
    /// this bank's interval dialog now; slots at 0..10 stay as they are.
    void randomizeFrequencies();
    /// Plays the slot once at its full volume formula, without pan and without reporting it.
    void preview(int slot);
    /// Re-applies the volume formula to every slot's current sound (level change).
    void maxvol_Change();
    /// Stops the current sound of every slot; older sounds of a slot play on.
    void stopSounds();
    /// One 500 ms tick (driven by the bank's own timer; public for measurement).
    void tick();
    /// Tick firings since creation, whether or not a channel was free.
    [[nodiscard]] std::uint64_t firingCount() const { return m_firings; }

    // Automatic randomisation: a timer of P x 1000 ms whose every 60th tick randomises.
    /// Starts (or restarts) with period minutes; the count starts again from 0.
    void startAutoRandomize(int periodMinutes);
    void stopAutoRandomize();
    [[nodiscard]] bool autoRandomizeOn() const;
    /// Timer period in ms while on (P x 1000).
    [[nodiscard]] int autoRandomizeIntervalMs() const;
    [[nodiscard]] IntervalSettings& intervals() { return m_intervals; }

    Signal<int> slotChanged;           ///< a slot's caption, volume, frequency or sound (1..28)
    Signal<> bankChanged;              ///< many slots, link mode or colours changed
    Signal<bool> autoRandomizeChanged; ///< switched on (true) or off

  protected:
    [[nodiscard]] RandomSlot& mutableSlot(int n) { return m_slots.at(n - 1); }
    [[nodiscard]] Services& services() { return m_services; }
    [[nodiscard]] const Services& services() const { return m_services; }
    /// Loads the slot's sample when it has a sound but no valid sample. True when valid.
    bool ensureSample(RandomSlot& slot);
    /// Gives the slot a new sample; the old one is freed once nothing plays it.
    void replaceSample(RandomSlot& slot, audio::SampleHandle sample);
    /// Sets volumes and frequencies of all slots in one go (bank files), notifying once.
    void applySliders(const std::array<int, kRandomSlotCount>& volumes,
                      const std::array<int, kRandomSlotCount>& frequencies);
    void applyLiveVolume(const RandomSlot& slot);

  private:
    void autoRandomizeTick();

    Services& m_services;
    IntervalSettings& m_intervals;
    SoundIdentify& m_identify;
    Identity m_identity;
    std::array<RandomSlot, kRandomSlotCount> m_slots;
    bool m_linkMode = false;
    ColorScheme m_colors;
    std::unique_ptr<Timer> m_tickTimer;
    std::unique_ptr<Timer> m_autoTimer;
    std::uint16_t m_autoCount = 0;
    std::uint64_t m_firings = 0;
    Connection m_levelConnection;
};

} // namespace velmora
