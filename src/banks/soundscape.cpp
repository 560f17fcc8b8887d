#include "soundscape.h"

namespace velmora {

Soundscape::Soundscape(Services& services)
    : m_random(services), m_backgroundOne(services, backgroundBankOne()),
      m_backgroundTwo(services, backgroundBankTwo()), m_bw(services), m_customBackground(services) {
    m_banks = {&m_backgroundOne, &m_backgroundTwo, &m_bw};
    for (Bank* bank : m_random.all())
        m_banks.push_back(bank);
    m_banks.push_back(&m_customBackground);
}

Soundscape::~Soundscape() = default;

SoundscapeLinks Soundscape::links() {
    AutoRandomizeGroup& group = m_random.autoRandomize();
    IntervalSettings& form3 = m_random.form3();
    IntervalSettings& form33 = m_random.form33();
    CustomRandomBank& custom = m_random.custom();
    SoundscapeLinks links;
    links.banks = m_banks;
    links.random = {
        [&group] { return group.enabled(); },
        [&group](bool on) { group.setEnabled(on); },
        [&form3] { return form3.periodMinutes(); },
        [&form3](int minutes) { (void)form3.setPeriodMinutes(minutes); },
        [&form3] { return form3.threshold(); },
        [&form3](int value) { form3.setThreshold(value); },
        &group.changed,
    };
    links.custom = {
        [&custom] { return custom.autoRandomizeOn(); },
        [&custom](bool on) { custom.setAutoRandomize(on); },
        [&form33] { return form33.periodMinutes(); },
        [&form33](int minutes) { (void)form33.setPeriodMinutes(minutes); },
        [&form33] { return form33.threshold(); },
        [&form33](int value) { form33.setThreshold(value); },
        nullptr,
    };
    return links;
}

} // namespace velmora
