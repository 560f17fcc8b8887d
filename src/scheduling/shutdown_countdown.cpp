#include "shutdown_countdown.h"

namespace velmora::scheduling {

ShutdownCountdown::ShutdownCountdown(TimerService& timers, Power& power,
                                     std::function<void()> quitInOrder)
    : m_power(power), m_quit(std::move(quitInOrder)) {
    m_timer = timers.createTimer(1000, [this] { tick(); });
}

ShutdownCountdown::~ShutdownCountdown() = default;

void ShutdownCountdown::start(PowerAction action, int seconds) {
    m_action = action;
    m_remaining = seconds < 1 ? 1 : seconds;
    m_timer->setEnabled(false);
    m_timer->setEnabled(true);
    changed();
}

void ShutdownCountdown::cancel() {
    if (!running()) return;
    m_remaining = 0;
    m_timer->setEnabled(false);
    changed();
}

std::string ShutdownCountdown::text() const {
    const char* verb = m_action == PowerAction::PowerOff ? "shut down" : "suspend";
    const char* unit = m_remaining == 1 ? " second" : " seconds";
    return std::string("The computer will ") + verb + " in " + std::to_string(m_remaining) + unit;
}

void ShutdownCountdown::tick() {
    if (--m_remaining > 0) {
        changed();
        return;
    }
    m_timer->setEnabled(false);
    changed();
    if (m_action == PowerAction::PowerOff) {
        // Everything is saved before the machine goes; a power-off that is refused then
        // leaves a program that has quit cleanly rather than one that lost its state.
        if (m_quit) m_quit();
        (void)m_power.powerOff();
    } else {
        (void)m_power.suspend();
    }
}

} // namespace velmora::scheduling
