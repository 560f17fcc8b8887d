#pragma once
// Everything the random banks are made of, created together at start-up: the Form3 and
// Form33 settings, the identify window's lists, the four numbered banks, the custom bank,
// the shared automatic-randomise switch and the sound picker. The composition root makes
// one and hands its parts to the main window and the views.
//
// Thread: UI thread.

#include "banks/random/auto_randomize_group.h"
#include "banks/random/custom_random_bank.h"
#include "banks/random/interval_settings.h"
#include "banks/random/random_bank.h"
#include "banks/random/sound_identify.h"
#include "banks/random/sound_picker.h"

#include <array>
#include <memory>
#include <vector>

namespace velmora {

class RandomBanks {
  public:
    explicit RandomBanks(Services& services);
    RandomBanks(const RandomBanks&) = delete;
    RandomBanks& operator=(const RandomBanks&) = delete;

    /// bank 1..4.
    [[nodiscard]] RandomBank& bank(int number) { return *m_banks.at(number - 1); }
    [[nodiscard]] CustomRandomBank& custom() { return m_custom; }
    [[nodiscard]] IntervalSettings& form3() { return m_form3; }
    [[nodiscard]] IntervalSettings& form33() { return m_form33; }
    [[nodiscard]] SoundIdentify& identify() { return m_identify; }
    [[nodiscard]] AutoRandomizeGroup& autoRandomize() { return m_group; }
    [[nodiscard]] SoundPicker& picker() { return m_picker; }
    /// The five banks: numbered 1..4, then the custom bank.
    [[nodiscard]] std::vector<Bank*> all();

  private:
    IntervalSettings m_form3;
    IntervalSettings m_form33;
    SoundIdentify m_identify;
    std::array<std::unique_ptr<RandomBank>, 4> m_banks;
    CustomRandomBank m_custom;
    AutoRandomizeGroup m_group;
    SoundPicker m_picker;
};

} // namespace velmora
