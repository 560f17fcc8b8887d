#include "mute_switch.h"

namespace velmora {

MuteSwitch::MuteSwitch(Levels& levels) : m_levels(levels) {
    // A master the user raises again while muted is no longer muted: a ticked "Mute" beside
    // audible sound would be wrong, and unmuting would then jump back to the old value.
    m_levelsConnection = m_levels.changed.connect([this](Level level, int value) {
        if (level == Level::Master && m_muted && !m_settingMaster && value != 0) {
            m_muted = false;
            changed(false);
        }
    });
}

void MuteSwitch::toggle() {
    m_settingMaster = true;
    if (!m_muted) {
        m_savedMaster = m_levels.master();
        m_muted = true;
        m_levels.set(Level::Master, 0);
    } else {
        m_muted = false;
        m_levels.set(Level::Master, m_savedMaster);
    }
    m_settingMaster = false;
    changed(m_muted);
}

} // namespace velmora
