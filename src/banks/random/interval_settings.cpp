#include "interval_settings.h"

#include "core/services.h"
#include "platform/settings_store.h"

#include <algorithm>

namespace velmora {

namespace {
constexpr const char* kPeriodKey = "Period";
}

IntervalSettings::IntervalSettings(std::string windowName, std::string section,
                                   SettingsStore& settings)
    : m_windowName(std::move(windowName)), m_section(std::move(section)), m_settings(settings) {
    const std::string saved = m_settings.read(kProgramTitle, m_section, kPeriodKey, "");
    int minutes = 0;
    for (char c : saved) {
        if (c < '0' || c > '9' || minutes > 1000) {
            minutes = 0;
            break;
        }
        minutes = minutes * 10 + (c - '0');
    }
    setPeriodMinutes(minutes);
}

bool IntervalSettings::setPeriodMinutes(int minutes) {
    const auto it = std::find(kPeriods.begin(), kPeriods.end(), minutes);
    if (it == kPeriods.end()) return false;
    const int index = static_cast<int>(it - kPeriods.begin());
    if (index == m_periodIndex && index == m_chosenIndex) return true;
    m_periodIndex = m_chosenIndex = index;
    changed();
    return true;
}

void IntervalSettings::choosePeriodIndex(int index) {
    index = std::clamp(index, 0, static_cast<int>(kPeriods.size()) - 1);
    if (index == m_chosenIndex) return;
    m_chosenIndex = index;
    changed();
}

void IntervalSettings::setThreshold(int value) {
    value = std::clamp(value, 0, kMaxThreshold);
    if (value == m_threshold) return;
    m_threshold = value;
    changed();
}

void IntervalSettings::confirm() {
    if (m_chosenIndex != m_periodIndex) {
        m_periodIndex = m_chosenIndex;
        changed();
    }
    m_settings.write(kProgramTitle, m_section, kPeriodKey, std::to_string(periodMinutes()));
    confirmed();
}

void IntervalSettings::cancel() {
    if (m_chosenIndex == m_periodIndex) return;
    m_chosenIndex = m_periodIndex;
    changed();
}

} // namespace velmora
