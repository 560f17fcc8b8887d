#include "keep_awake.h"

#include "audio/sound_engine.h"
#include "core/levels.h"
#include "platform/settings_store.h"

namespace velmora::desktop {

namespace {
constexpr int kLookMs = 1000;
} // namespace

bool readKeepAwake(const SettingsStore& store) {
    return store.read(kProgramFileName, kKeepAwakeSection, kKeepAwakeKey, "1") != "0";
}

void writeKeepAwake(SettingsStore& store, bool on) {
    store.write(kProgramFileName, kKeepAwakeSection, kKeepAwakeKey, on ? "1" : "0");
}

KeepAwake::KeepAwake(Services& services, SleepBlocker& blocker)
    : m_s(services), m_blocker(blocker), m_enabled(readKeepAwake(services.settings)) {
    m_timer = m_s.timers.createTimer(kLookMs, [this] { update(); });
    m_timer->setEnabled(true);
    // Mute takes the master to 0: the lock goes at once, not a second later.
    m_levels = m_s.levels.changed.connect([this](Level level, int) {
        if (level == Level::Master) update();
    });
}

KeepAwake::~KeepAwake() {
    if (m_holding) m_blocker.release();
}

void KeepAwake::setEnabled(bool on) {
    m_enabled = on;
    writeKeepAwake(m_s.settings, on);
    update();
}

void KeepAwake::update() {
    const bool audible =
        m_s.engine.isRunning() && m_s.levels.master() > 0 && m_s.engine.playingCount() > 0;
    const bool want = m_enabled && audible;
    if (want == m_holding) return;
    if (want) {
        // A refused hold is asked again at the next look, when the system may allow it.
        m_holding = m_blocker.hold(kKeepAwakeReason);
    } else {
        m_blocker.release();
        m_holding = false;
    }
}

} // namespace velmora::desktop
