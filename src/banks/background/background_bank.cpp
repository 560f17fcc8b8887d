#include "background_bank.h"

#include "banks/bank_file_commands.h"
#include "core/files/text_record.h"

namespace velmora {
namespace {
constexpr const char* kBankFileFilter = "Background Config Files (*.bcf)|*.bcf";
constexpr const char* kStartupSound = "\\bin\\51.raz";
} // namespace

BackgroundBank::BackgroundBank(Services& services, const BackgroundBankTable& table)
    : BackgroundSlots(services, Level::Background), m_table(table) {}

const std::string& BackgroundBank::slotName(int number) const {
    return m_table.names.at(static_cast<std::size_t>(number - 1));
}

std::filesystem::path BackgroundBank::soundFile(int number) const {
    return services().folder.resolve(
        "\\bin\\" + std::to_string(m_table.firstSoundNumber + number - 1) + ".isz");
}

void BackgroundBank::prepareSample(int number, SlotVoice& voice) {
    voice.ensureLoaded(services().engine, soundFile(number));
}

void BackgroundBank::activate() {
    if (m_activated) return;
    m_activated = true;
    auto& engine = services().engine;
    m_startupVoice.ensureLoaded(engine, services().folder.resolve(kStartupSound));
    // Played once, nearly silent, never stopped by the bank.
    const auto channel = engine.play(m_startupVoice.sample());
    engine.setVolume(channel, 1);
}

BackgroundBankValues BackgroundBank::values() const {
    return slotValues();
}

void BackgroundBank::apply(const BackgroundBankValues& v) {
    const auto switches = [&] {
        for (int n = 1; n <= kHiddenSlot; ++n)
            setOn(n, v.on[static_cast<std::size_t>(n - 1)]);
        for (int i = 0; i < kReservedFlags; ++i)
            setReservedFlag(i, v.reserved[static_cast<std::size_t>(i)]);
    };
    switches();
    for (int n = 1; n <= kAudibleSlots; ++n) {
        const auto i = static_cast<std::size_t>(n - 1);
        setRangeLowPos(n, v.rangeLowPos[i]);
        setRangeHighPos(n, v.rangeHighPos[i]);
    }
    for (int n = 1; n <= kHiddenSlot; ++n)
        setVolume(n, v.volume[static_cast<std::size_t>(n - 1)]);
    for (int n = 1; n <= kAudibleSlots; ++n)
        setPan(n, v.pan[static_cast<std::size_t>(n - 1)]);
    for (int n = 1; n <= kAudibleSlots; ++n)
        setRate(n, v.rate[static_cast<std::size_t>(n - 1)]);
    reapplyAll();
    switches();
    changed();
}

bool BackgroundBank::doload(const std::filesystem::path& path) {
    const auto read = readBackgroundBank(path);
    if (!read.problem.ok()) {
        services().dialogs.message(m_table.loadError, MessageIcon::Information,
                                   "Background bank file");
        return false;
    }
    apply(read.values);
    return true;
}

std::vector<std::filesystem::path>
BackgroundBank::soundsToDecode(const std::filesystem::path& path) const {
    std::vector<std::filesystem::path> files;
    const auto read = readBackgroundBank(path);
    if (!read.problem.ok()) return files;
    for (int n = 1; n <= kAudibleSlots; ++n)
        if (read.values.on[static_cast<std::size_t>(n - 1)] && !voice(n).hasSample())
            files.push_back(soundFile(n));
    return files;
}

bool BackgroundBank::save(const std::filesystem::path& path) {
    return replaceFileAtomically(path, formatBackgroundBank(values())).ok();
}

void BackgroundBank::saveConfiguration() {
    saveBankFileAs(services().dialogs, kBankFileFilter,
                   services().folder.resolve(m_table.dialogFolder),
                   [this](const auto& p) { return save(p); });
}

void BackgroundBank::loadConfiguration() {
    loadBankFileFrom(services().dialogs, kBankFileFilter,
                     services().folder.resolve(m_table.dialogFolder),
                     [this](const auto& p) { doload(p); });
}

} // namespace velmora
