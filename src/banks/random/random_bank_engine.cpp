#include "random_bank_engine.h"

#include "banks/random/interval_settings.h"
#include "banks/random/random_volume.h"
#include "banks/random/sound_identify.h"

#include <algorithm>
#include <cmath>

namespace velmora {

namespace {
/// Int(r x span) for a draw r in [0, 1), kept inside 0..span-1 whatever the generator gives.
int drawBelow(Random& random, int span) {
    const int v = static_cast<int>(std::floor(random.next() * span));
    return std::clamp(v, 0, span - 1);
}
} // namespace

RandomBankEngine::RandomBankEngine(Services& services, IntervalSettings& intervals,
                                   SoundIdentify& identify, Identity identity)
    : m_services(services), m_intervals(intervals), m_identify(identify),
      m_identity(std::move(identity)) {
    m_tickTimer = m_services.timers.createTimer(kTickMs, [this] { tick(); });
    m_tickTimer->setEnabled(true);
    m_autoTimer = m_services.timers.createTimer(60'000, [this] { autoRandomizeTick(); });
    m_levelConnection = m_services.levels.changed.connect([this](Level level, int) {
        if (level == Level::Master || level == Level::Random) maxvol_Change();
    });
}

RandomBankEngine::~RandomBankEngine() = default;

void RandomBankEngine::docolors(const ColorScheme& scheme) {
    m_colors = scheme;
    bankChanged();
}

const std::string& RandomBankEngine::columnText(int slot) const {
    return columnOf(slot) == 1 ? m_identity.column1 : m_identity.column2;
}

void RandomBankEngine::applyLiveVolume(const RandomSlot& slot) {
    // A sound that has ended (or never started) ignores the call.
    m_services.engine.setVolume(slot.channel,
                                slotVolume(m_services.levels.master(),
                                           m_services.levels.value(Level::Random), slot.volume));
}

void RandomBankEngine::setVolume(int n, int value) {
    auto& s = mutableSlot(n);
    value = clampSlider(value);
    if (s.volume == value) return;
    s.volume = value;
    applyLiveVolume(s);
    slotChanged(n);
}

void RandomBankEngine::setFrequency(int n, int value) {
    auto& s = mutableSlot(n);
    value = clampSlider(value);
    if (s.frequency == value) return;
    s.frequency = value;
    slotChanged(n);
}

void RandomBankEngine::applySliders(const std::array<int, kRandomSlotCount>& volumes,
                                    const std::array<int, kRandomSlotCount>& frequencies) {
    for (int i = 0; i < kRandomSlotCount; ++i) {
        auto& s = m_slots[i];
        s.frequency = clampSlider(frequencies[i]);
        const int v = clampSlider(volumes[i]);
        if (s.volume != v) {
            s.volume = v;
            applyLiveVolume(s);
        }
    }
    bankChanged();
}

void RandomBankEngine::setAllVolumes(int value) {
    std::array<int, kRandomSlotCount> v{}, f{};
    for (int i = 0; i < kRandomSlotCount; ++i) {
        v[i] = value;
        f[i] = m_slots[i].frequency;
    }
    applySliders(v, f);
}

void RandomBankEngine::stepVolumes(int delta) {
    std::array<int, kRandomSlotCount> v{}, f{};
    for (int i = 0; i < kRandomSlotCount; ++i) {
        v[i] = m_slots[i].volume + delta;
        f[i] = m_slots[i].frequency;
    }
    applySliders(v, f);
}

void RandomBankEngine::setAllFrequenciesOff() {
    std::array<int, kRandomSlotCount> v{}, f{};
    for (int i = 0; i < kRandomSlotCount; ++i)
        v[i] = m_slots[i].volume;
    applySliders(v, f);
}

void RandomBankEngine::setAllFrequenciesToMaximum() {
    std::array<int, kRandomSlotCount> v{}, f{};
    for (int i = 0; i < kRandomSlotCount; ++i) {
        v[i] = m_slots[i].volume;
        f[i] = (m_linkMode || m_slots[i].frequency > 0) ? kRandomSliderMax : 0;
    }
    applySliders(v, f);
}

void RandomBankEngine::stepFrequencies(int delta) {
    std::array<int, kRandomSlotCount> v{}, f{};
    for (int i = 0; i < kRandomSlotCount; ++i) {
        v[i] = m_slots[i].volume;
        const int F = m_slots[i].frequency;
        const bool moves = delta < 0 || m_linkMode || F > 0;
        f[i] = moves ? F + delta : F;
    }
    applySliders(v, f);
}

void RandomBankEngine::setLinkMode(bool on) {
    if (m_linkMode == on) return;
    m_linkMode = on;
    bankChanged();
}

void RandomBankEngine::randomizeFrequencies() {
    const int t = m_intervals.threshold();
    bool any = false;
    for (auto& s : m_slots) {
        if (s.frequency <= 10) continue;
        // T = 0 gives exactly 10: such a slot still fires, rarely.
        s.frequency = (t > 0 ? drawBelow(m_services.random, t) : 0) + 10;
        any = true;
    }
    if (any) bankChanged();
}

bool RandomBankEngine::ensureSample(RandomSlot& s) {
    if (s.sample.valid()) return true;
    if (s.path.empty()) return false;
    s.sample = m_services.engine.loadSample(s.path.string());
    return s.sample.valid();
}

void RandomBankEngine::replaceSample(RandomSlot& s, audio::SampleHandle sample) {
    if (s.sample.valid() && s.sample != sample) m_services.engine.releaseSample(s.sample);
    s.sample = sample;
}

void RandomBankEngine::preview(int n) {
    auto& s = mutableSlot(n);
    if (!ensureSample(s)) return;
    const auto channel = m_services.engine.play(s.sample);
    if (!channel.valid()) return;
    s.channel = channel;
    applyLiveVolume(s);
}

void RandomBankEngine::maxvol_Change() {
    for (const auto& s : m_slots)
        applyLiveVolume(s);
}

void RandomBankEngine::stopSounds() {
    for (auto& s : m_slots)
        m_services.engine.stop(s.channel);
}

void RandomBankEngine::tick() {
    auto& random = m_services.random;
    const auto& rule = m_identity.tick;
    const int v = drawBelow(random, rule.candidates);
    if (v < 1 || v > kRandomSlotCount) return;
    auto& s = m_slots[v - 1];
    const int p = drawBelow(random, rule.passSpan) + rule.passOffset;
    if (!(p < s.frequency)) return;
    ++m_firings;
    if (rule.loadsOnTick) ensureSample(s);
    const auto channel =
        s.sample.valid() ? m_services.engine.play(s.sample) : audio::ChannelHandle{};
    // The draws are made whether or not a channel was free, so one seed always gives the
    // same sequence of firings.
    const int pan = drawBelow(random, rule.panSpan) + rule.panOffset;
    // k = Int(rnd x S / 14), so k < S / 14: 0..15 for S = 220, always 0 for S <= 14.
    const int multiples = (s.volume + 13) / 14;
    const int k = std::min(static_cast<int>(std::floor(random.next() * (s.volume / 14.0))),
                           std::max(0, multiples - 1));
    if (!channel.valid()) return; // nothing started: keep the slot's last sound stoppable
    s.channel = channel;
    m_services.engine.setPan(channel, pan);
    m_services.engine.setVolume(
        channel, tickVolume(m_services.levels.master(), m_services.levels.value(Level::Random), k));
    m_identify.add(s.caption, columnText(v));
}

void RandomBankEngine::startAutoRandomize(int periodMinutes) {
    const bool wasOn = m_autoTimer->isEnabled();
    m_autoTimer->setEnabled(false);
    m_autoCount = 0;
    m_autoTimer->setInterval(std::max(1, periodMinutes) * 1000);
    m_autoTimer->setEnabled(true);
    if (!wasOn) autoRandomizeChanged(true);
}

void RandomBankEngine::stopAutoRandomize() {
    if (!m_autoTimer->isEnabled()) return;
    m_autoTimer->setEnabled(false);
    autoRandomizeChanged(false);
}

bool RandomBankEngine::autoRandomizeOn() const {
    return m_autoTimer->isEnabled();
}

int RandomBankEngine::autoRandomizeIntervalMs() const {
    return m_autoTimer->interval();
}

void RandomBankEngine::autoRandomizeTick() {
    ++m_autoCount;
    if (m_autoCount >= 60) {
        m_autoCount = 0;
        randomizeFrequencies();
    }
}

} // namespace velmora
