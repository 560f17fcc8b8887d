#include "bank_panels.h"

namespace velmora {

void BankPanels::add(Bank& bank, std::function<void()> close) {
    m_banks.push_back(&bank);
    const std::string name = bank.windowName();
    m_windows.add(name, WindowEntry{[this, name] { showBank(name); }, {}, {}, std::move(close)});
}

Bank* BankPanels::bank(const std::string& windowName) const {
    for (Bank* b : m_banks)
        if (b->windowName() == windowName) return b;
    return nullptr;
}

bool BankPanels::showBank(const std::string& windowName) {
    if (!bank(windowName)) return false;
    m_shown = windowName;
    m_windows.markOpen(windowName);
    bankShown(windowName);
    return true;
}

void BankPanels::randombank(int number) {
    if (number < 1 || number > 4) return;
    showBank(number == 1 ? std::string("frmrandommain") : "frmrandommain" + std::to_string(number));
}

void BankPanels::stopAllSounds() {
    for (Bank* b : m_banks)
        b->stopAll();
}

void BankPanels::docolors(const ColorScheme& scheme) {
    for (Bank* b : m_banks)
        b->docolors(scheme);
}

} // namespace velmora
