#include "effects/effects_controller.h"

#include "platform/ascii_case.h"
#include "platform/atomic_file.h"

#include <algorithm>
#include <system_error>

namespace velmora::effects {

namespace {
PresetKind kindOf(EffectsPage page) {
    return page == EffectsPage::Equaliser ? PresetKind::Equaliser : PresetKind::Reverb;
}

EffectsSettings initialSettings() {
    EffectsSettings s;
    s.bands.fill(kBandFlat);
    s.reverb = initialReverbValues();
    return s;
}

/// What the user is told when a preset or record could not be used.
std::string unreadableMessage(const FileResult& r, const std::string& what) {
    switch (r.error) {
    case FileError::Missing:
        return EffectsController::kNotFound;
    case FileError::TooShort:
        return what + " could not be used: it holds fewer values than it should. Nothing was "
                      "changed.";
    case FileError::NotANumber:
        return what + " could not be used: value " + std::to_string(r.field) +
               " is not a whole number. Nothing was changed.";
    case FileError::TooLarge:
        return what + " could not be used: the file is far too large to be a preset. Nothing "
                      "was changed.";
    default:
        return what + " could not be read. Nothing was changed.";
    }
}

std::string unwritableMessage(const std::filesystem::path& path) {
    return "The preset could not be saved to " + path.string() +
           ". Please check that the folder can be written to.";
}
} // namespace

EffectsController::EffectsController(Services& services)
    : m_s(services), m_settings(initialSettings()) {
    m_bandHandles.fill(-1);
}

std::string& EffectsController::text(EffectsPage page) {
    return page == EffectsPage::Equaliser ? m_settings.equaliserText : m_settings.reverbText;
}

bool& EffectsController::on(EffectsPage page) {
    return page == EffectsPage::Equaliser ? m_settings.equaliserOn : m_settings.reverbOn;
}

bool EffectsController::isOn(EffectsPage page) const {
    return page == EffectsPage::Equaliser ? m_settings.equaliserOn : m_settings.reverbOn;
}

const std::vector<std::string>& EffectsController::presets(EffectsPage page) const {
    return m_names[int(page)];
}

const std::string& EffectsController::presetText(EffectsPage page) const {
    return page == EffectsPage::Equaliser ? m_settings.equaliserText : m_settings.reverbText;
}

int EffectsController::presetIndex(EffectsPage page) const {
    const auto& names = presets(page);
    const std::string& t = presetText(page);
    const auto it = std::find_if(names.begin(), names.end(),
                                 [&](const std::string& n) { return equalsIgnoringCase(n, t); });
    return it == names.end() ? -1 : int(it - names.begin());
}

std::string EffectsController::statusLine(EffectsPage page) const {
    return isOn(page) ? presetText(page) : std::string(kDisabled);
}

std::filesystem::path EffectsController::presetPath(EffectsPage page,
                                                    const std::string& name) const {
    return m_s.folder.resolve(std::string(presetFolder(kindOf(page))) + "\\" + name +
                              presetExtension(kindOf(page)));
}

void EffectsController::refill(EffectsPage page) {
    m_names[int(page)] = listPresets(m_s.folder.resolve(presetFolder(kindOf(page))), kindOf(page));
}

void EffectsController::load() {
    refill(EffectsPage::Equaliser);
    refill(EffectsPage::Reverb);
    std::string bytes;
    const auto tmpPath = m_s.folder.resolve(kEffectsTmpFile);
    // A broken effects.tmp leaves the defaults: both effects off, nothing selected.
    if (readWholeFile(tmpPath, bytes, 4096).ok()) {
        if (const auto tmp = parseEffectsTmp(bytes)) {
            m_settings.equaliserOn = tmp->equaliserOn;
            m_settings.reverbOn = tmp->reverbOn;
            const std::pair<EffectsPage, int> positions[] = {
                {EffectsPage::Equaliser, tmp->equaliserIndex},
                {EffectsPage::Reverb, tmp->reverbIndex}};
            for (const auto& [page, index] : positions)
                if (index >= 0 && index < int(presets(page).size()))
                    (void)loadPreset(page, presets(page)[std::size_t(index)]);
        }
    }
    // The record holds everything effects.tmp does and the sliders of a custom setting;
    // one that cannot be read leaves what effects.tmp gave.
    const auto lastHeard = readEffectsRecord(m_s.folder.resolve(kEffectsLastHeardFile), m_settings);
    if (lastHeard.result.ok()) m_settings = lastHeard.settings;
    if (m_settings.equaliserText.empty()) m_settings.equaliserText = kCustom;
    // The reverb sliders start at the default room, so that is what its status names.
    if (m_settings.reverbText.empty()) m_settings.reverbText = kDefault;
    applyEffects();
    tellStatus();
    changed();
}

void EffectsController::unload() {
    const EffectsTmp tmp{m_settings.equaliserOn, presetIndex(EffectsPage::Equaliser),
                         m_settings.reverbOn, presetIndex(EffectsPage::Reverb)};
    // Quit carries on past a file it cannot write: the effects merely start as before.
    (void)replaceFileAtomically(m_s.folder.resolve(kEffectsTmpFile), effectsTmpBytes(tmp),
                                Durability::ProgramCrash);
    (void)replaceFileAtomically(m_s.folder.resolve(kEffectsLastHeardFile),
                                effectsRecordBytes(m_settings), Durability::ProgramCrash);
}

FileResult EffectsController::writeSnapshot(const std::filesystem::path& dir) {
    return dosave(ProgramFolder(dir).resolve(kEffectsLastHeardFile));
}

void EffectsController::showPage(EffectsPage page) {
    m_page = page;
    changed();
}

void EffectsController::toggle(EffectsPage page) {
    on(page) = !on(page);
    applyEffects();
    tellStatus();
    changed();
}

void EffectsController::setEq(int band) {
    if (m_settings.equaliserOn)
        m_s.engine.setParamEq(m_bandHandles[std::size_t(band)], kBandCentres[std::size_t(band)],
                              kBandwidthSemitones, bandGainDb(m_settings.bands[std::size_t(band)]));
}

void EffectsController::setReverb() {
    if (m_settings.reverbOn) m_s.engine.setReverb(m_reverbHandle, reverbParams(m_settings.reverb));
}

void EffectsController::setBand(int band, int value) {
    if (band < 0 || band >= kBandCount) return;
    m_settings.bands[std::size_t(band)] = kBandRange.limit(value);
    setEq(band);
    m_settings.equaliserText = kCustom;
    m_notice.clear();
    tellStatus();
    changed();
}

void EffectsController::flat() {
    for (int band = 0; band < kBandCount; ++band)
        setBand(band, kBandFlat);
}

void EffectsController::setReverbSlider(int slider, int value) {
    if (slider < 0 || slider >= kReverbSliderCount) return;
    m_settings.reverb[std::size_t(slider)] = reverbRanges()[std::size_t(slider)].limit(value);
    setReverb();
    m_settings.reverbText = kCustom;
    m_notice.clear();
    tellStatus();
    changed();
}

void EffectsController::applyEffects() {
    // The engine crossfades from the old chain to the new one, so rebuilding it whole is
    // inaudible and there is nothing to pause.
    m_s.engine.disableEffects(audio::kSystemChannel);
    m_bandHandles.fill(-1);
    m_reverbHandle = -1;
    if (m_settings.equaliserOn) {
        for (auto& handle : m_bandHandles)
            handle = m_s.engine.enableEffect(audio::kSystemChannel, audio::EffectType::ParamEq);
        for (int band = 0; band < kBandCount; ++band)
            setEq(band);
    }
    if (m_settings.reverbOn) {
        m_reverbHandle = m_s.engine.enableEffect(audio::kSystemChannel, audio::EffectType::Reverb);
        setReverb();
    }
}

bool EffectsController::loadPreset(EffectsPage page, const std::string& name) {
    const PresetRead read = readPreset(presetPath(page, name), kindOf(page));
    if (!read.result.ok()) {
        m_s.dialogs.message(unreadableMessage(read.result, "The preset \"" + name + "\""),
                            MessageIcon::Warning, kProgramTitle);
        return false;
    }
    for (std::size_t i = 0; i < read.values.size(); ++i) {
        if (page == EffectsPage::Equaliser)
            m_settings.bands[i] = read.values[i];
        else
            m_settings.reverb[i] = read.values[i];
    }
    text(page) = name;
    m_notice = read.adjusted ? std::string(kAdjusted) : std::string{};
    return true;
}

void EffectsController::choosePreset(EffectsPage page, int index) {
    if (index < 0 || index >= int(presets(page).size())) return;
    if (!loadPreset(page, presets(page)[std::size_t(index)])) return;
    applyEffects();
    tellStatus();
    changed();
}

void EffectsController::previousPreset(EffectsPage page) {
    const int n = int(presets(page).size());
    if (n == 0) return;
    const int at = presetIndex(page);
    choosePreset(page, at <= 0 ? n - 1 : at - 1);
}

void EffectsController::nextPreset(EffectsPage page) {
    const int n = int(presets(page).size());
    if (n == 0) return;
    const int at = presetIndex(page);
    choosePreset(page, at < 0 || at >= n - 1 ? 0 : at + 1);
}

void EffectsController::savePreset(EffectsPage page) {
    const auto answer = m_s.dialogs.inputBox(
        page == EffectsPage::Equaliser ? kEqualiserNamePrompt : kReverbNamePrompt, kProgramTitle);
    if (!answer || answer->empty()) return;
    if (!isSafePresetName(*answer)) {
        m_s.dialogs.message(kBadName, MessageIcon::Warning, kProgramTitle);
        return;
    }
    const auto path = presetPath(page, *answer);
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    std::vector<int> values;
    for (int i = 0; i < presetValueCount(kindOf(page)); ++i)
        values.push_back(page == EffectsPage::Equaliser ? m_settings.bands[std::size_t(i)]
                                                        : m_settings.reverb[std::size_t(i)]);
    if (!replaceFileAtomically(path, presetBytes(values)).ok()) {
        m_s.dialogs.message(unwritableMessage(path), MessageIcon::Warning, kProgramTitle);
        return;
    }
    refill(page);
    text(page) = *answer;
    tellStatus();
    changed();
}

void EffectsController::deletePreset(EffectsPage page) {
    if (!m_s.dialogs.question(kDeleteQuestion, kProgramTitle)) return;
    const int at = presetIndex(page);
    if (at >= 0) {
        std::error_code ec;
        std::filesystem::remove(presetPath(page, presets(page)[std::size_t(at)]), ec);
    }
    text(page) = kNoPreset;
    refill(page);
    tellStatus();
    changed();
}

void EffectsController::restoreReverbDefaults() {
    if (!m_s.dialogs.question(kDefaultsQuestion, kProgramTitle)) return;
    if (!loadPreset(EffectsPage::Reverb, kDefault)) {
        // Without the factory file the sliders still go back where they start.
        m_settings.reverb = initialReverbValues();
        m_settings.reverbText = kDefault;
    }
    applyEffects();
    tellStatus();
    changed();
}

FileResult EffectsController::dosave(const std::filesystem::path& path) {
    return replaceFileAtomically(path, effectsRecordBytes(m_settings));
}

FileResult EffectsController::doload(const std::filesystem::path& path) {
    const EffectsRecordRead read = readEffectsRecord(path, m_settings);
    if (!read.result.ok()) return read.result;
    m_settings = read.settings;
    m_notice = read.adjusted ? std::string(kAdjusted) : std::string{};
    applyEffects();
    tellStatus();
    changed();
    return read.result;
}

void EffectsController::tellStatus() {
    statusChanged(statusLine(EffectsPage::Equaliser), statusLine(EffectsPage::Reverb));
}

} // namespace velmora::effects
