#include "custom_random_bank.h"

#include "banks/bank_file_commands.h"
#include "banks/random/interval_settings.h"
#include "core/files/text_record.h"

namespace velmora {
namespace fs = std::filesystem;

std::string captionFromFile(const std::string& path) {
    const auto slash = path.find_last_of("\\/");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const auto dot = name.find('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

CustomRandomBank::CustomRandomBank(Services& services, IntervalSettings& intervals,
                                   SoundIdentify& identify)
    : RandomBankEngine(services, intervals, identify,
                       {"frmcustom", "Custom - column 1", "Custom - column 2", kCustomTick}) {
    for (int n = 1; n <= kRandomSlotCount; ++n)
        mutableSlot(n).caption = kNotSet;
    m_confirmed = intervals.confirmed.connect(
        [this] { startAutoRandomize(this->intervals().periodMinutes()); });
}

fs::path CustomRandomBank::configFolder() const {
    return services().folder.resolve("\\config\\main\\custom random");
}

fs::path CustomRandomBank::soundFolder() const {
    return services().folder.resolve("\\soundbanks\\random sounds");
}

std::string CustomRandomBank::storedForm(const fs::path& path) const {
    if (path.empty()) return {};
    const std::string inside = services().folder.relativeForm(path);
    if (!inside.empty() && inside != "\\.") return inside.substr(1);
    std::error_code ec;
    const fs::path absolute = fs::absolute(path, ec);
    return (ec ? path : absolute).lexically_normal().string();
}

fs::path CustomRandomBank::resolveStored(const std::string& stored) const {
    if (stored.empty()) return {};
    if (stored.front() == '/') return fs::path(stored);
    return services().folder.resolve("\\" + stored);
}

void CustomRandomBank::assign(int n, const std::string& stored, const fs::path& path,
                              audio::SampleHandle sample) {
    auto& s = mutableSlot(n);
    replaceSample(s, sample);
    s.file = stored;
    s.path = path;
}

bool CustomRandomBank::setSound(int n, const fs::path& path) {
    const auto sample =
        services().engine.loadSample(path.string(), audio::LoadOrigin::ChosenByUser);
    if (!sample.valid()) return false;
    auto& s = mutableSlot(n);
    services().engine.stop(s.channel);
    assign(n, storedForm(path), path, sample);
    s.caption = captionFromFile(path.string());
    slotChanged(n);
    return true;
}

void CustomRandomBank::chooseSound(int n) {
    FileDialogOptions o;
    o.title = "Choose a sound for slot " + std::to_string(n);
    o.filter = kSampleFilter;
    o.initialDirectory = soundFolder().string();
    const auto name = services().dialogs.openFile(o);
    if (!name || name->empty()) return;
    std::error_code ec;
    if (!fs::is_regular_file(*name, ec)) return;
    // A file that does not decode leaves the slot's previous sound in place.
    if (!setSound(n, *name))
        services().dialogs.message(kCannotOpenSound, MessageIcon::Information,
                                   "Custom random sound");
}

void CustomRandomBank::applyPickedList(const std::vector<std::string>& paths) {
    for (int n = 1; n <= kRandomSlotCount; ++n) {
        auto& s = mutableSlot(n);
        s.frequency = 0;
        services().engine.stop(s.channel);
    }
    for (int n = 1; n <= kRandomSlotCount && n <= static_cast<int>(paths.size()); ++n) {
        const std::string& entry = paths[n - 1];
        if (entry.empty()) continue;
        const fs::path path(entry);
        auto& s = mutableSlot(n);
        const auto sample = (s.path == path && s.sample.valid())
                                ? s.sample
                                : services().engine.loadSample(path.string());
        assign(n, storedForm(path), path, sample);
        s.caption = captionFromFile(entry);
    }
    bankChanged();
}

void CustomRandomBank::resetSounds() {
    if (!services().dialogs.question(kResetQuestion, "Reset custom random sounds")) return;
    for (int n = 1; n <= kRandomSlotCount; ++n) {
        auto& s = mutableSlot(n);
        s.caption = kNotSet;
        s.frequency = 0;
        services().engine.stop(s.channel);
        assign(n, {}, {}, {});
    }
    bankChanged();
}

void CustomRandomBank::renameSlot(int n) {
    const auto answer =
        services().dialogs.inputBox(kRenamePrompt, "Rename custom random sound", {});
    if (!answer || answer->empty()) return;
    mutableSlot(n).caption = *answer;
    slotChanged(n);
}

CustomRandomBankValues CustomRandomBank::values() const {
    CustomRandomBankValues v;
    const auto& levels = services().levels;
    for (int n = 1; n <= kRandomSlotCount; ++n) {
        const auto& s = slot(n);
        v.sliders[volumeSliderOf(n) - 1] = s.volume;
        v.sliders[frequencySliderOf(n) - 1] = s.frequency;
        v.files[n - 1] = s.file;
        v.captions[captionLabelOf(n) - 7] = s.caption;
    }
    v.sliders[19 - 1] = levels.value(Level::Bwaves);
    v.sliders[20 - 1] = levels.master();
    v.sliders[40 - 1] = levels.value(Level::Mp3);
    v.sliders[41 - 1] = levels.value(Level::Background);
    v.captions[20 - 7] = m_label20;
    return v;
}

std::vector<fs::path> CustomRandomBank::soundsToDecode(const fs::path& path) const {
    std::vector<fs::path> files;
    const auto r = readCustomRandomBankFile(path);
    if (!r.ok()) return files;
    for (int n = 1; n <= kRandomSlotCount; ++n) {
        const fs::path full = resolveStored(r.values.files[n - 1]);
        if (full.empty() || (slot(n).path == full && slot(n).sample.valid())) continue;
        files.push_back(full);
    }
    return files;
}

bool CustomRandomBank::doload(const fs::path& path) {
    const auto r = readCustomRandomBankFile(path);
    if (!r.ok()) return false;
    const auto& v = r.values;
    std::array<int, kRandomSlotCount> volumes{}, frequencies{};
    for (int n = 1; n <= kRandomSlotCount; ++n) {
        volumes[n - 1] = v.slider(volumeSliderOf(n));
        frequencies[n - 1] = v.slider(frequencySliderOf(n));
        auto& s = mutableSlot(n);
        s.caption = v.slotCaption(n);
        const fs::path full = resolveStored(v.files[n - 1]);
        audio::SampleHandle sample;
        if (!full.empty())
            sample = (s.path == full && s.sample.valid())
                         ? s.sample
                         : services().engine.loadSample(full.string());
        assign(n, v.files[n - 1], full, sample);
    }
    m_label20 = v.captions[20 - 7];
    applySliders(volumes, frequencies);
    // The copies of the other main-window levels travel with this bank's file (the master
    // copy does not).
    auto& levels = services().levels;
    levels.set(Level::Bwaves, v.slider(19));
    levels.set(Level::Mp3, v.slider(40));
    levels.set(Level::Background, v.slider(41));
    return true;
}

bool CustomRandomBank::save(const fs::path& path) {
    return replaceFileAtomically(path, formatCustomRandomBankFile(values())).ok();
}

void CustomRandomBank::saveConfiguration() {
    saveBankFileAs(services().dialogs, kCustomRandomConfigFilter, configFolder(),
                   [this](const auto& p) { return save(p); });
}

void CustomRandomBank::loadConfiguration() {
    loadBankFileFrom(services().dialogs, kCustomRandomConfigFilter, configFolder(),
                     [this](const auto& p) { doload(p); });
}

void CustomRandomBank::setAutoRandomize(bool on) {
    if (on) {
        if (!autoRandomizeOn()) startAutoRandomize(intervals().periodMinutes());
    } else {
        stopAutoRandomize();
    }
}

} // namespace velmora
