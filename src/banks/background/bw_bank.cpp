#include "bw_bank.h"

#include "level_math.h"

#include "core/files/text_record.h"

#include <stdexcept>

namespace velmora {
namespace {
constexpr int kStep = 15;
constexpr int kGroupMaximum = 250;
} // namespace

BwBank::BwBank(Services& services) : m_services(services) {
    m_levelsConnection = services.levels.changed.connect([this](Level level, int) {
        if (level != Level::Master && level != Level::Bwaves) return;
        for (int n = 1; n <= kSlots; ++n)
            applyVolume(n);
    });
}

BwBank::~BwBank() = default;

const BwBank::Slot& BwBank::slot(int number) const {
    if (number < 1 || number > kSlots) throw std::out_of_range("bw slot number");
    return m_slots[static_cast<std::size_t>(number - 1)];
}

BwBank::Slot& BwBank::ref(int number) {
    return const_cast<Slot&>(std::as_const(*this).slot(number));
}

const SlotVoice& BwBank::voice(int number) const {
    if (number < 1 || number > kSlots) throw std::out_of_range("bw slot number");
    return m_voices[static_cast<std::size_t>(number - 1)];
}

SlotVoice& BwBank::voiceRef(int number) {
    return const_cast<SlotVoice&>(std::as_const(*this).voice(number));
}

std::string BwBank::slotName(int number) {
    static const char* const kBands[] = {"Alpha", "Beta", "Theta", "Delta"};
    if (number < 1 || number > kSlots) return {};
    return std::string(kBands[(number - 1) / 4]) + std::to_string((number - 1) % 4 + 1);
}

std::filesystem::path BwBank::soundFile(int number) const {
    return m_services.folder.resolve("\\bin\\b" + std::to_string(number) + ".isx");
}

int BwBank::bankLevel() const {
    return m_services.levels.value(Level::Bwaves);
}

int BwBank::effectiveVolume(int number) const {
    return velmora::effectiveVolume(bankLevel(), m_services.levels.master(), slot(number).volume);
}

void BwBank::applyVolume(int number) {
    voiceRef(number).applyVolume(m_services.engine, effectiveVolume(number));
}

void BwBank::setOn(int number, bool on) {
    auto& s = ref(number);
    if (s.on == on) return;
    if (on) {
        for (int other = 1; other <= kSlots; ++other)
            if (other != number) setOn(other, false);
        s.on = true;
        auto& v = voiceRef(number);
        v.ensureLoaded(m_services.engine, soundFile(number));
        v.start(m_services.engine, s.pan, effectiveVolume(number));
    } else {
        s.on = false;
        voiceRef(number).stop(m_services.engine);
    }
    slotChanged(number);
}

void BwBank::setVolume(int number, int volume) {
    auto& s = ref(number);
    volume = std::clamp(volume, kVolumeMin, SlotLimits::kVolumeMax);
    if (s.volume == volume) return;
    s.volume = volume;
    applyVolume(number);
    slotChanged(number);
}

void BwBank::setPan(int number, int pan) {
    auto& s = ref(number);
    pan = std::clamp(pan, SlotLimits::kPanMin, SlotLimits::kPanMax);
    if (s.pan == pan) return;
    s.pan = pan;
    voiceRef(number).applyPan(m_services.engine, pan);
    slotChanged(number);
}

void BwBank::runCommand(GroupCommand command) {
    for (int n = 1; n <= kSlots; ++n) {
        const auto& s = slot(n);
        switch (command) {
        case GroupCommand::VolumeMin:
            setVolume(n, 0);
            break;
        case GroupCommand::VolumeMax:
            setVolume(n, kGroupMaximum);
            break;
        case GroupCommand::VolumeDown:
            setVolume(n, s.volume - kStep);
            break;
        case GroupCommand::VolumeUp:
            setVolume(n, s.volume + kStep);
            break;
        case GroupCommand::PanLeft:
            setPan(n, 0);
            break;
        case GroupCommand::PanRight:
            setPan(n, kGroupMaximum);
            break;
        case GroupCommand::PanDown:
            setPan(n, s.pan - kStep);
            break;
        case GroupCommand::PanUp:
            setPan(n, s.pan + kStep);
            break;
        case GroupCommand::StopAll:
            setOn(n, false);
            break;
        default:
            return;
        }
    }
}

void BwBank::docolors(const ColorScheme& scheme) {
    m_colors = scheme;
    colorsChanged();
}

BwBankValues BwBank::values() const {
    BwBankValues v;
    for (std::size_t i = 0; i < kSlots; ++i) {
        v.on[i] = m_slots[i].on;
        v.volume[i] = m_slots[i].volume;
        v.pan[i] = m_slots[i].pan;
    }
    v.randomCopy = m_services.levels.value(Level::Random);
    v.masterCopy = m_services.levels.master();
    return v;
}

void BwBank::apply(const BwBankValues& v) {
    for (int n = 1; n <= kSlots; ++n)
        setVolume(n, v.volume[static_cast<std::size_t>(n - 1)]);
    for (int n = 1; n <= kSlots; ++n)
        setPan(n, v.pan[static_cast<std::size_t>(n - 1)]);
    for (int n = 1; n <= kSlots; ++n)
        setOn(n, v.on[static_cast<std::size_t>(n - 1)]);
    changed();
}

bool BwBank::doload(const std::filesystem::path& path) {
    const auto read = readBwBank(path);
    if (read.problem.ok()) apply(read.values);
    return read.problem.ok();
}

std::vector<std::filesystem::path> BwBank::soundsToDecode(const std::filesystem::path& path) const {
    std::vector<std::filesystem::path> files;
    const auto read = readBwBank(path);
    if (!read.problem.ok()) return files;
    for (int n = 1; n <= kSlots; ++n)
        if (read.values.on[static_cast<std::size_t>(n - 1)] && !voice(n).hasSample())
            files.push_back(soundFile(n));
    return files;
}

bool BwBank::save(const std::filesystem::path& path) {
    return replaceFileAtomically(path, formatBwBank(values())).ok();
}

} // namespace velmora
