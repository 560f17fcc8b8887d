#include "auto_randomize_group.h"

#include "banks/random/interval_settings.h"
#include "banks/random/random_bank.h"

namespace velmora {

AutoRandomizeGroup::AutoRandomizeGroup(std::array<RandomBank*, 4> banks, IntervalSettings& form3)
    : m_banks(banks), m_form3(form3) {
    for (auto* b : m_banks)
        b->attachGroup(this);
    // Confirming the dialog restarts every bank of the switch, not bank 1 alone, so the four
    // banks never disagree about whether they randomise or how often.
    m_confirmed = m_form3.confirmed.connect([this] {
        m_enabled = false;
        setEnabled(true);
    });
}

AutoRandomizeGroup::~AutoRandomizeGroup() {
    for (auto* b : m_banks)
        b->attachGroup(nullptr);
}

void AutoRandomizeGroup::setEnabled(bool on) {
    if (on == m_enabled) return;
    m_enabled = on;
    for (auto* b : m_banks) {
        if (on)
            b->startAutoRandomize(m_form3.periodMinutes());
        else
            b->stopAutoRandomize();
    }
    changed(on);
}

} // namespace velmora
