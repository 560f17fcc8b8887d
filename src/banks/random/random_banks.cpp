#include "random_banks.h"

namespace velmora {

namespace {
std::array<std::unique_ptr<RandomBank>, 4> makeBanks(Services& services, IntervalSettings& form3,
                                                     SoundIdentify& identify) {
    std::array<std::unique_ptr<RandomBank>, 4> banks;
    for (int n = 1; n <= 4; ++n)
        banks[n - 1] = std::make_unique<RandomBank>(services, randomBankTable(n), form3, identify);
    return banks;
}
} // namespace

RandomBanks::RandomBanks(Services& services)
    : m_form3("Form3", "Settings4", services.settings),
      m_form33("Form33", "Settings5", services.settings),
      m_banks(makeBanks(services, m_form3, m_identify)), m_custom(services, m_form33, m_identify),
      m_group({m_banks[0].get(), m_banks[1].get(), m_banks[2].get(), m_banks[3].get()}, m_form3),
      m_picker(services,
               [this](const std::vector<std::string>& paths) { m_custom.applyPickedList(paths); }) {
}

std::vector<Bank*> RandomBanks::all() {
    return {m_banks[0].get(), m_banks[1].get(), m_banks[2].get(), m_banks[3].get(), &m_custom};
}

} // namespace velmora
