#include "random_bank.h"

#include "banks/bank_file_commands.h"
#include "banks/random/auto_randomize_group.h"
#include "banks/random/interval_settings.h"
#include "core/files/text_record.h"

namespace velmora {

RandomBank::RandomBank(Services& services, const RandomBankTable& table,
                       IntervalSettings& intervals, SoundIdentify& identify)
    : RandomBankEngine(services, intervals, identify,
                       {table.windowName, table.column1, table.column2, kNumberedTick}),
      m_table(table) {
    for (int n = 1; n <= kRandomSlotCount; ++n) {
        auto& s = mutableSlot(n);
        s.caption = table.captions[n - 1];
        s.file = table.soundFile(n);
        s.path = this->services().folder.resolve(s.file);
    }
}

std::string RandomBank::stateFileName() const {
    return m_table.stateFile.substr(1);
}

std::filesystem::path RandomBank::configFolder() const {
    return services().folder.resolve(m_table.configFolder);
}

RandomBankValues RandomBank::values() const {
    RandomBankValues v;
    for (int n = 1; n <= kRandomSlotCount; ++n) {
        v.volume[n - 1] = slot(n).volume;
        v.frequency[n - 1] = slot(n).frequency;
    }
    v.slider19 = services().levels.value(Level::Bwaves);
    v.slider20 = services().levels.master();
    return v;
}

bool RandomBank::doload(const std::filesystem::path& path) {
    const auto r = readRandomBankFile(path);
    if (!r.ok()) {
        services().dialogs.message(m_table.loadFailure, MessageIcon::Information,
                                   "Random bank file");
        return false;
    }
    applySliders(r.values.volume, r.values.frequency);
    return true;
}

bool RandomBank::save(const std::filesystem::path& path) {
    return replaceFileAtomically(path, formatRandomBankFile(values())).ok();
}

void RandomBank::saveConfiguration() {
    saveBankFileAs(services().dialogs, kRandomConfigFilter, configFolder(),
                   [this](const auto& p) { return save(p); });
}

void RandomBank::loadConfiguration() {
    loadBankFileFrom(services().dialogs, kRandomConfigFilter, configFolder(),
                     [this](const auto& p) { doload(p); });
}

void RandomBank::toggleAutoRandomize() {
    if (m_group)
        m_group->toggle();
    else if (autoRandomizeOn())
        stopAutoRandomize();
    else
        startAutoRandomize(intervals().periodMinutes());
}

} // namespace velmora
