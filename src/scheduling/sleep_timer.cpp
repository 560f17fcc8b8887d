#include "sleep_timer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace velmora::scheduling {

namespace {
// Idle: one wake-up a second for the display. Fading: often enough that each change of
// gain is a small fraction of a dB.
constexpr int kIdleTickMs = 1000;
constexpr int kFadeTickMs = 50;
} // namespace

SleepTimer::SleepTimer(Services& services, ShutdownCountdown& countdown, Actions actions)
    : m_s(services), m_countdown(countdown), m_actions(std::move(actions)) {
    m_timer = m_s.timers.createTimer(kIdleTickMs, [this] { tick(); });
    // The fade's length is a setting without a control: most people never want another.
    const std::string fade = m_s.settings.read(kProgramTitle, kSleepSection, kSleepFadeKey,
                                               std::to_string(fadeSeconds()));
    char* end = nullptr;
    const long seconds = std::strtol(fade.c_str(), &end, 10);
    if (end != fade.c_str()) setFadeSeconds(int(std::clamp(seconds, 1L, 600L)));
    // A power-off countdown that is cancelled leaves the user awake: the sound comes back.
    m_countdownChanged = m_countdown.changed.connect([this] {
        if (m_awaitingCountdown && !m_countdown.running()) {
            m_awaitingCountdown = false;
            restoreSound();
        }
    });
}

SleepTimer::~SleepTimer() = default;

void SleepTimer::start(int minutes, SleepAction action) {
    restoreSound();
    m_action = action;
    m_deadlineMs = m_s.timers.nowMs() + std::int64_t(std::max(1, minutes)) * 60000;
    m_running = true;
    m_shownSeconds = -1;
    m_timer->setEnabled(false);
    m_timer->setInterval(kIdleTickMs);
    m_timer->setEnabled(true);
    tick();
}

bool SleepTimer::startCustom(SleepAction action) {
    const auto typed = m_s.dialogs.inputBox(kSleepPrompt, "Sleep timer", "20");
    if (!typed) return false;
    char* end = nullptr;
    const long minutes = std::strtol(typed->c_str(), &end, 10);
    while (end && *end == ' ')
        ++end;
    if (typed->empty() || !end || *end != '\0' || minutes < 1 || minutes > kMaxSleepMinutes) {
        m_s.dialogs.message(kSleepRefused);
        return false;
    }
    start(int(minutes), action);
    return true;
}

void SleepTimer::cancel() {
    if (!m_running) return;
    m_running = false;
    m_timer->setEnabled(false);
    restoreSound();
    changed();
}

void SleepTimer::setFadeSeconds(int seconds) {
    m_fadeMs = std::clamp(seconds, 1, 600) * 1000;
}

std::int64_t SleepTimer::leftMs() const {
    return std::max<std::int64_t>(0, m_deadlineMs - m_s.timers.nowMs());
}

int SleepTimer::remainingSeconds() const {
    return m_running ? int((leftMs() + 999) / 1000) : 0;
}

std::string SleepTimer::remainingText() const {
    if (!m_running) return {};
    const int s = remainingSeconds();
    char buf[32];
    if (s >= 3600)
        std::snprintf(buf, sizeof buf, "Sleep in %d:%02d:%02d", s / 3600, s / 60 % 60, s % 60);
    else
        std::snprintf(buf, sizeof buf, "Sleep in %d:%02d", s / 60, s % 60);
    return buf;
}

void SleepTimer::tick() {
    if (!m_running) return;
    const std::int64_t left = leftMs();
    if (left <= 0) {
        finish();
        return;
    }
    if (left <= m_fadeMs) {
        if (m_timer->interval() != kFadeTickMs) m_timer->setInterval(kFadeTickMs);
        // Even steps in dB down to the floor: the ear hears equal dB steps as an even fade.
        const double progress = 1.0 - double(left) / double(m_fadeMs);
        m_s.engine.setOutputGain(float(std::pow(10.0, kSleepFadeFloorDb * progress / 20.0)));
    } else if (left - m_timer->interval() < m_fadeMs) {
        // Wake up exactly where the fade begins.
        m_timer->setInterval(int(std::max<std::int64_t>(1, left - m_fadeMs)));
    }
    if (remainingSeconds() != m_shownSeconds) {
        m_shownSeconds = remainingSeconds();
        changed();
    }
}

void SleepTimer::finish() {
    m_running = false;
    m_timer->setEnabled(false);
    m_s.engine.setOutputGain(0.0f);
    changed();
    switch (m_action) {
    case SleepAction::StopAll:
        if (m_actions.stopAll) m_actions.stopAll();
        restoreSound();
        break;
    case SleepAction::Quit:
        if (m_actions.quit) m_actions.quit();
        break;
    case SleepAction::Suspend:
        // After waking nobody wants the night's soundscape to resume mid-sentence.
        if (m_actions.stopAll) m_actions.stopAll();
        restoreSound();
        m_countdown.start(PowerAction::Suspend);
        break;
    case SleepAction::PowerOff:
        // The soundscape stays as it is so the quit saves it; it stays silent meanwhile.
        m_awaitingCountdown = true;
        m_countdown.start(PowerAction::PowerOff);
        break;
    }
}

void SleepTimer::restoreSound() {
    m_s.engine.setOutputGain(1.0f);
}

} // namespace velmora::scheduling
