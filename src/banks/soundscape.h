#pragma once
// Every sound bank of the program, built together from one set of services: the five random
// banks, background banks one and two, the bw bank and the custom background bank, in the
// order they restore and save. The app and the recorder build their banks here, so a
// recording runs exactly the banks the user hears; what is saved of them, and how, is the
// saved state's business (links() hands it the banks and the automatic-randomise switches).
//
// Thread: UI thread (the recorder: the one thread that owns its services).

#include "banks/background/background_bank.h"
#include "banks/background/bw_bank.h"
#include "banks/background/custom_background_bank.h"
#include "banks/random/random_banks.h"
#include "core/services.h"
#include "core/state/saved_soundscape.h"

#include <memory>
#include <vector>

namespace velmora {

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

    /// The banks and the two automatic-randomise switches with their dialogs, for the saved
    /// state (and the main window's display of the switches). Valid while this lives.
    [[nodiscard]] SoundscapeLinks links() const;

  private:
    RandomBanks m_random;
    BackgroundBank m_backgroundOne;
    BackgroundBank m_backgroundTwo;
    BwBank m_bw;
    CustomBackgroundBank m_customBackground;
    std::vector<Bank*> m_banks;
    std::unique_ptr<AutoRandomiseSwitch> m_randomSwitch;
    std::unique_ptr<AutoRandomiseSwitch> m_customSwitch;
};

} // namespace velmora
