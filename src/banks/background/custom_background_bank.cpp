#include "custom_background_bank.h"

#include "banks/bank_file_commands.h"
#include "core/files/text_record.h"

#include <system_error>

namespace velmora {
namespace {
constexpr const char* kLoadError =
    "One or more custom backgrounds could not be located. The most likely reason for this is "
    "that they have be moved or deleted. To prevent this message showing in the future, please "
    "reselect the sounds on the custom backgrounds panel and resave the scenario.";
constexpr const char* kResetQuestion = "This will reset all sounds on this panel. Continue?";
constexpr const char* kCannotOpen = "This audio file could not be opened..";
constexpr const char* kBankFileFilter = "Custom Background Files (*.cbf)|*.cbf";
constexpr const char* kBankFileFolder = "\\config\\main\\custom background";
constexpr const char* kSoundFilter =
    "All Supported Samples (*.wav, *.mp3, *.ogg, *.wma)|*.wav;*.ogg;*.mp3;*.wma";
constexpr const char* kSoundFolder = "\\soundbanks\\background sounds";

bool isExistingFile(const std::filesystem::path& p) {
    std::error_code ec;
    return std::filesystem::is_regular_file(p, ec);
}
} // namespace

std::string soundBaseName(const std::string& path) {
    const auto slash = path.find_last_of("\\/");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return name.substr(0, name.find('.'));
}

CustomBackgroundBank::CustomBackgroundBank(Services& services)
    : BackgroundSlots(services, Level::Background) {}

CustomBackgroundBank::SlotSound& CustomBackgroundBank::sound(int number) {
    return m_sounds.at(static_cast<std::size_t>(number - 1));
}

const std::string& CustomBackgroundBank::slotName(int number) const {
    return m_sounds.at(static_cast<std::size_t>(number - 1)).name;
}
const std::string& CustomBackgroundBank::slotPath(int number) const {
    return m_sounds.at(static_cast<std::size_t>(number - 1)).path;
}
const std::string& CustomBackgroundBank::slotToolTip(int number) const {
    return m_sounds.at(static_cast<std::size_t>(number - 1)).toolTip;
}

std::filesystem::path CustomBackgroundBank::resolveStored(const std::string& stored) const {
    const std::filesystem::path p(stored);
    if (p.is_absolute()) return p;
    return services().folder.resolve(stored);
}

std::string CustomBackgroundBank::storedForm(const std::filesystem::path& chosen) const {
    if (auto relative = services().folder.relativeForm(chosen); !relative.empty()) return relative;
    std::error_code ec;
    const auto absolute = std::filesystem::absolute(chosen, ec);
    return (ec ? chosen : absolute).lexically_normal().string();
}

bool CustomBackgroundBank::loadStoredSound(int number, bool reuseLoaded) {
    auto& s = sound(number);
    auto& v = voiceRef(number);
    auto& engine = services().engine;
    if (s.path.empty()) {
        // Nothing chosen: no sample, and the label stays what it was.
        v.setSample(engine, {});
        s.loadedFrom.clear();
        return true;
    }
    const auto file = resolveStored(s.path);
    if (!isExistingFile(file)) {
        v.setSample(engine, {});
        s.loadedFrom.clear();
        return false;
    }
    if (reuseLoaded && v.hasSample() && s.loadedFrom == file) return true;
    v.setSample(engine, engine.loadSample(file.string()));
    s.loadedFrom = v.hasSample() ? file : std::filesystem::path{};
    return true;
}

CustomBackgroundValues CustomBackgroundBank::values() const {
    CustomBackgroundValues out;
    out.bank = slotValues();
    for (std::size_t i = 0; i < kAudibleSlots; ++i) {
        out.paths[i] = m_sounds[i].path;
        out.names[i] = m_sounds[i].name;
    }
    // The bank has no balance for its hidden slot; the file carries slot 16's there.
    out.bank.pan[17] = out.bank.pan[15];
    return out;
}

void CustomBackgroundBank::apply(const CustomBackgroundValues& values) {
    const auto& v = values.bank;
    auto& levels = services().levels;
    for (int n = 1; n <= kAudibleSlots; ++n)
        sound(n).name = values.names[static_cast<std::size_t>(n - 1)];
    for (int n = 1; n <= kHiddenSlot; ++n)
        setVolume(n, v.volume[static_cast<std::size_t>(n - 1)]);
    levels.set(Level::Bwaves, v.bwavesCopy);
    for (int n = 1; n <= kAudibleSlots; ++n)
        setPan(n, v.pan[static_cast<std::size_t>(n - 1)]);
    levels.set(Level::Mp3, v.mp3Copy);
    levels.set(Level::Random, v.randomCopy);
    for (int n = 1; n <= kHiddenSlot; ++n)
        setRate(n, v.rate[static_cast<std::size_t>(n - 1)]);
    for (int n = 1; n <= kAudibleSlots; ++n) {
        auto& s = sound(n);
        s.path = values.paths[static_cast<std::size_t>(n - 1)];
        const auto before = voice(n).sample();
        const bool found = loadStoredSound(n, true);
        // A playing slot whose sound changed would go on playing the old one: stop it, and
        // the switches below start it again with the new sound.
        if (voice(n).sample() != before && slot(n).on) setOn(n, false);
        s.toolTip = found ? std::string{} : s.path;
        if (!found) s.name = kNotFound;
    }
    for (int n = 1; n <= kHiddenSlot; ++n)
        setOn(n, v.on[static_cast<std::size_t>(n - 1)]);
    for (int i = 0; i < kReservedFlags; ++i)
        setReservedFlag(i, v.reserved[static_cast<std::size_t>(i)]);
    for (int n = 1; n <= kAudibleSlots; ++n) {
        const auto i = static_cast<std::size_t>(n - 1);
        setRangeLowPos(n, v.rangeLowPos[i]);
        setRangeHighPos(n, v.rangeHighPos[i]);
    }
    reapplyAll();
    changed();
}

bool CustomBackgroundBank::doload(const std::filesystem::path& path) {
    const auto read = readCustomBackgroundBank(path);
    if (!read.problem.ok()) {
        services().dialogs.message(kLoadError, MessageIcon::Information,
                                   "Custom background bank file");
        return false;
    }
    apply(read.values);
    return true;
}

std::vector<std::filesystem::path>
CustomBackgroundBank::soundsToDecode(const std::filesystem::path& path) const {
    std::vector<std::filesystem::path> files;
    const auto read = readCustomBackgroundBank(path);
    if (!read.problem.ok()) return files;
    for (int n = 1; n <= kAudibleSlots; ++n) {
        const auto& stored = read.values.paths[static_cast<std::size_t>(n - 1)];
        if (stored.empty()) continue;
        const auto file = resolveStored(stored);
        const bool held =
            voice(n).hasSample() && m_sounds[static_cast<std::size_t>(n - 1)].loadedFrom == file;
        if (!held && isExistingFile(file)) files.push_back(file);
    }
    return files;
}

bool CustomBackgroundBank::save(const std::filesystem::path& path) {
    return replaceFileAtomically(path, formatCustomBackgroundBank(values())).ok();
}

void CustomBackgroundBank::chooseSound(int number) {
    auto& s = sound(number);
    const std::string remembered = s.name;
    silence(number);
    FileDialogOptions o;
    o.title = "Choose a sound for slot " + std::to_string(number);
    o.filter = kSoundFilter;
    o.initialDirectory = services().folder.resolve(kSoundFolder).string();
    const auto chosen = services().dialogs.openFile(o);
    if (!chosen || chosen->empty() || !isExistingFile(*chosen)) {
        s.name = remembered;
        return;
    }
    setOn(number, false);
    auto& engine = services().engine;
    auto& v = voiceRef(number);
    v.setSample(engine, engine.loadSample(*chosen, audio::LoadOrigin::ChosenByUser));
    s.loadedFrom = v.hasSample() ? std::filesystem::path(*chosen) : std::filesystem::path{};
    s.path = storedForm(*chosen);
    s.name = soundBaseName(*chosen);
    s.toolTip.clear();
    slotChanged(number);
    if (!v.hasSample())
        services().dialogs.message(kCannotOpen, MessageIcon::Information,
                                   "Custom background sound");
}

void CustomBackgroundBank::reset() {
    if (!services().dialogs.question(kResetQuestion, "Reset custom background sounds")) return;
    for (int n = 1; n <= kAudibleSlots; ++n) {
        setOn(n, false);
        auto& s = sound(n);
        s.name = kNotSet;
        // The path goes with the sound, so a save after a reset does not bring it back.
        s.path.clear();
        s.toolTip.clear();
        s.loadedFrom.clear();
        voiceRef(n).setSample(services().engine, {});
    }
    changed();
}

void CustomBackgroundBank::reloadAll() {
    for (int n = 1; n <= kAudibleSlots; ++n) {
        setOn(n, false);
        silence(n);
    }
    for (int n = 1; n <= kAudibleSlots; ++n) {
        auto& s = sound(n);
        const bool found = loadStoredSound(n, false);
        s.name =
            s.path.empty() ? std::string(kNotSet) : (found ? soundBaseName(s.path) : kNotFound);
        s.toolTip = found ? std::string{} : s.path;
    }
    changed();
}

void CustomBackgroundBank::reloadAll(const std::vector<std::string>& files) {
    for (int n = 1; n <= kAudibleSlots; ++n) {
        const auto i = static_cast<std::size_t>(n - 1);
        sound(n).path =
            i < files.size() && !files[i].empty() ? storedForm(files[i]) : std::string{};
    }
    reloadAll();
}

void CustomBackgroundBank::openPicker() {
    if (m_pickerOpener) m_pickerOpener();
}

void CustomBackgroundBank::saveConfiguration() {
    saveBankFileAs(services().dialogs, kBankFileFilter, services().folder.resolve(kBankFileFolder),
                   [this](const auto& p) { return save(p); });
}

void CustomBackgroundBank::loadConfiguration() {
    loadBankFileFrom(services().dialogs, kBankFileFilter,
                     services().folder.resolve(kBankFileFolder),
                     [this](const auto& p) { doload(p); });
}

} // namespace velmora
