#include "random_windows.h"

#include "banks/random/random_banks.h"
#include "ui/banks/random/random_bank_view.h"
#include "ui/banks/random/random_dialogs.h"

namespace velmora {

RandomWindows::RandomWindows(RandomBanks& banks, Levels& levels, SettingsStore& settings,
                             QWidget* parent)
    : m_banks(banks), m_levels(levels), m_settings(settings), m_parent(parent) {}

RandomWindows::~RandomWindows() = default;

RandomBankView& RandomWindows::view(int n) {
    auto& slot = m_views[n - 1];
    if (slot) return *slot;
    const bool custom = n == 5;
    RandomBankViewHooks hooks;
    hooks.openIntervals = [this, custom] { showIntervals(custom); };
    hooks.openIdentify = [this] { showIdentify(); };
    hooks.openPicker = [this] { showPicker(); };
    slot = custom ? std::make_unique<RandomBankView>(m_banks.custom(), m_levels, hooks, m_parent)
                  : std::make_unique<RandomBankView>(m_banks.bank(n), m_levels, hooks, m_parent);
    slot->hide();
    return *slot;
}

RandomBankView& RandomWindows::bankView(int number) {
    return view((number >= 1 && number <= 4) ? number : 1);
}

RandomBankView& RandomWindows::customView() {
    return view(5);
}

void RandomWindows::showIdentify() {
    if (!m_identify)
        m_identify =
            std::make_unique<SoundIdentifyWindow>(m_banks.identify(), m_settings, m_parent);
    // Every bank carries the scheme in force; the first numbered one always exists.
    m_identify->showSelection(m_banks.bank(1).colors());
    m_identify->show();
    m_identify->raise();
}

void RandomWindows::showIntervals(bool custom) {
    auto& slot = custom ? m_form33 : m_form3;
    IntervalSettings& settings = custom ? m_banks.form33() : m_banks.form3();
    if (!slot) slot = std::make_unique<IntervalDialog>(settings, m_settings, m_parent);
    settings.cancel(); // a choice left behind when the dialog was hidden without an answer
    slot->show();
    slot->raise();
}

void RandomWindows::showPicker() {
    if (!m_picker)
        m_picker = std::make_unique<SoundPickerDialog>(m_banks.picker(), m_settings, m_parent);
    m_banks.picker().open(PickerMode::Random);
    m_picker->showFor();
}

void RandomWindows::showBackgroundPicker() {
    if (!m_picker)
        m_picker = std::make_unique<SoundPickerDialog>(m_banks.picker(), m_settings, m_parent);
    m_banks.picker().open(PickerMode::Back);
    m_picker->showFor();
}

} // namespace velmora
