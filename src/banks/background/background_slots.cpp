#include "background_slots.h"

#include "level_math.h"

#include <stdexcept>

namespace velmora {
namespace {
constexpr int kVolumeStep = 15;
constexpr int kPanStep = 15;
constexpr int kRateStep = 50;
constexpr int kRangeLowStep = 15;
constexpr int kRangeHighStep = 5;
constexpr int kGroupMaximum = 250;  // the "maximum" buttons stop short of the sliders' 255
constexpr int kDefaultTarget = 125; // where a slot without a drawn target heads
} // namespace

BackgroundSlots::BackgroundSlots(Services& services, Level bankLevel)
    : m_services(services), m_bankLevel(bankLevel),
      m_drift(services.timers, kAudibleSlots, [this](int index) { driftStep(index + 1); }) {
    for (int n = 1; n <= kAudibleSlots; ++n)
        m_drift.setPeriod(n - 1, driftPeriodMs(slot(n).rate));
    m_levelsConnection =
        services.levels.changed.connect([this](Level level, int) { onLevelChanged(level); });
}

BackgroundSlots::~BackgroundSlots() = default;

const BackgroundSlot& BackgroundSlots::slot(int number) const {
    if (number < 1 || number > kHiddenSlot) throw std::out_of_range("background slot number");
    return m_slots[static_cast<std::size_t>(number - 1)];
}

BackgroundSlot& BackgroundSlots::ref(int number) {
    return const_cast<BackgroundSlot&>(std::as_const(*this).slot(number));
}

const SlotVoice& BackgroundSlots::voice(int number) const {
    if (number < 1 || number > kAudibleSlots) throw std::out_of_range("background voice number");
    return m_voices[static_cast<std::size_t>(number - 1)];
}

SlotVoice& BackgroundSlots::voiceRef(int number) {
    return const_cast<SlotVoice&>(std::as_const(*this).voice(number));
}

int BackgroundSlots::bankLevel() const {
    return m_services.levels.value(m_bankLevel);
}

int BackgroundSlots::effectiveVolume(int number) const {
    return velmora::effectiveVolume(bankLevel(), m_services.levels.master(), slot(number).volume);
}

void BackgroundSlots::applyVolume(int number) {
    if (number <= kAudibleSlots)
        voiceRef(number).applyVolume(m_services.engine, effectiveVolume(number));
}

void BackgroundSlots::setOn(int number, bool on) {
    auto& s = ref(number);
    if (s.on == on) return;
    s.on = on;
    if (number <= kAudibleSlots) {
        auto& v = voiceRef(number);
        if (on) {
            prepareSample(number, v);
            m_drift.setEnabled(number - 1, true);
            v.start(m_services.engine, s.pan, effectiveVolume(number));
        } else {
            v.stop(m_services.engine);
            m_drift.setEnabled(number - 1, false);
        }
    }
    slotChanged(number);
}

void BackgroundSlots::silence(int number) {
    voiceRef(number).stop(m_services.engine);
}

void BackgroundSlots::setVolume(int number, int volume) {
    auto& s = ref(number);
    volume = std::clamp(volume, SlotLimits::kVolumeMin, SlotLimits::kVolumeMax);
    if (s.volume == volume) return;
    s.volume = volume;
    applyVolume(number);
    slotChanged(number);
}

void BackgroundSlots::setPan(int number, int pan) {
    auto& s = ref(number);
    pan = std::clamp(pan, SlotLimits::kPanMin, SlotLimits::kPanMax);
    if (s.pan == pan) return;
    s.pan = pan;
    if (number <= kAudibleSlots) voiceRef(number).applyPan(m_services.engine, pan);
    slotChanged(number);
}

void BackgroundSlots::setRate(int number, int rate) {
    auto& s = ref(number);
    rate = std::clamp(rate, SlotLimits::kRateMin, SlotLimits::kRateMax);
    if (s.rate == rate) return;
    s.rate = rate;
    if (number <= kAudibleSlots) m_drift.setPeriod(number - 1, driftPeriodMs(rate));
    slotChanged(number);
}

void BackgroundSlots::setRangeLowPos(int number, int position) {
    auto& s = ref(number);
    const int placed = placeLowBar(position, s.rangeHighPos);
    if (placed == s.rangeLowPos) return;
    s.rangeLowPos = placed;
    drawTarget(number);
    slotChanged(number);
}

void BackgroundSlots::setRangeHighPos(int number, int position) {
    auto& s = ref(number);
    const int placed = placeHighBar(position, s.rangeLowPos);
    if (placed == s.rangeHighPos) return;
    s.rangeHighPos = placed;
    drawTarget(number);
    slotChanged(number);
}

void BackgroundSlots::drawTarget(int number) {
    auto& s = ref(number);
    s.target = static_cast<std::int16_t>(rnd2(m_services.random, s.rangeLow(), s.rangeHigh()));
}

void BackgroundSlots::driftStep(int number) {
    auto& s = ref(number);
    if (s.target == 0) s.target = kDefaultTarget;
    if (s.volume < s.target) setVolume(number, s.volume + 1);
    if (s.volume > s.target) setVolume(number, s.volume - 1);
    if (s.volume == s.target) drawTarget(number);
}

void BackgroundSlots::reapplyAll() {
    for (int n = 1; n <= kAudibleSlots; ++n) {
        applyVolume(n);
        voiceRef(n).applyPan(m_services.engine, slot(n).pan);
        m_drift.setPeriod(n - 1, driftPeriodMs(slot(n).rate));
    }
}

void BackgroundSlots::onLevelChanged(Level level) {
    if (level != Level::Master && level != m_bankLevel) return;
    for (int n = 1; n <= kAudibleSlots; ++n)
        applyVolume(n);
}

void BackgroundSlots::applyColors(const ColorScheme& scheme) {
    m_colors = scheme;
    colorsChanged();
}

void BackgroundSlots::runCommand(GroupCommand command) {
    const auto each = [](int last, auto&& f) {
        for (int n = 1; n <= last; ++n)
            f(n);
    };
    const int all = kHiddenSlot;
    const int audible = kAudibleSlots;
    switch (command) {
    case GroupCommand::VolumeMin:
        each(audible, [&](int n) { setVolume(n, 0); });
        break;
    case GroupCommand::VolumeMax:
        each(audible, [&](int n) { setVolume(n, kGroupMaximum); });
        break;
    case GroupCommand::VolumeDown:
        each(audible, [&](int n) { setVolume(n, slot(n).volume - kVolumeStep); });
        break;
    case GroupCommand::VolumeUp:
        each(audible, [&](int n) { setVolume(n, slot(n).volume + kVolumeStep); });
        break;
    case GroupCommand::PanLeft:
        each(panCommandSlots(), [&](int n) { setPan(n, 0); });
        break;
    case GroupCommand::PanRight:
        each(panCommandSlots(), [&](int n) { setPan(n, kGroupMaximum); });
        break;
    case GroupCommand::PanDown:
        each(panCommandSlots(), [&](int n) { setPan(n, slot(n).pan - kPanStep); });
        break;
    case GroupCommand::PanUp:
        each(panCommandSlots(), [&](int n) { setPan(n, slot(n).pan + kPanStep); });
        break;
    case GroupCommand::StopAll:
        each(audible, [&](int n) { setOn(n, false); });
        break;
    case GroupCommand::RateZero:
        each(all, [&](int n) { setRate(n, 0); });
        break;
    case GroupCommand::RateMax:
        each(all, [&](int n) { setRate(n, SlotLimits::kRateMax); });
        break;
    case GroupCommand::RateDown:
        each(all, [&](int n) { setRate(n, slot(n).rate - kRateStep); });
        break;
    case GroupCommand::RateUp:
        each(all, [&](int n) { setRate(n, slot(n).rate + kRateStep); });
        break;
    case GroupCommand::RangeLowUp:
        each(all, [&](int n) { setRangeLowPos(n, slot(n).rangeLowPos - kRangeLowStep); });
        break;
    case GroupCommand::RangeLowDown:
        each(all, [&](int n) { setRangeLowPos(n, slot(n).rangeLowPos + kRangeLowStep); });
        break;
    case GroupCommand::RangeHighUp:
        each(all, [&](int n) { setRangeHighPos(n, slot(n).rangeHighPos - kRangeHighStep); });
        break;
    case GroupCommand::RangeHighDown:
        each(all, [&](int n) { setRangeHighPos(n, slot(n).rangeHighPos + kRangeHighStep); });
        break;
    }
}

BackgroundBankValues BackgroundSlots::slotValues() const {
    BackgroundBankValues v;
    for (int n = 1; n <= kHiddenSlot; ++n) {
        const auto i = static_cast<std::size_t>(n - 1);
        const auto& s = slot(n);
        v.volume[i] = s.volume;
        v.pan[i] = s.pan;
        v.rate[i] = s.rate;
        v.on[i] = s.on;
        v.reserved[i] = reservedFlag(n - 1);
        if (n <= kAudibleSlots) {
            v.rangeLowPos[i] = s.rangeLowPos;
            v.rangeHighPos[i] = s.rangeHighPos;
        }
    }
    const auto& levels = m_services.levels;
    v.bwavesCopy = levels.value(Level::Bwaves);
    v.masterCopy = levels.master();
    v.mp3Copy = levels.value(Level::Mp3);
    v.randomCopy = levels.value(Level::Random);
    return v;
}

} // namespace velmora
