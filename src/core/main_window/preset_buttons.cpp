#include "preset_buttons.h"

namespace velmora {

PresetButtons::PresetButtons(Services& services, Captions& captions, ScenarioList& scenarios,
                             StatusDisplays& displays)
    : m_s(services), m_captions(captions), m_scenarios(scenarios), m_displays(displays) {
    m_flashTimer = m_s.timers.createTimer(kPresetFlashMs, [this] {
        m_phase = !m_phase;
        flashed();
    });
}

PresetButtons::~PresetButtons() = default;

bool PresetButtons::isAssigned(int index) const {
    if (index < 0 || index >= state::kPresetCount) return false;
    const std::string& caption = m_captions[std::size_t(index)];
    return !caption.empty() && caption != state::kUnassignedPreset;
}

void PresetButtons::setCaption(int index, const std::string& caption) {
    if (index < 0 || index >= state::kPresetCount) return;
    m_captions[std::size_t(index)] = caption.empty() ? state::kUnassignedPreset : caption;
    captionChanged(index);
    changed();
}

void PresetButtons::setAll(const Captions& captions) {
    for (int i = 0; i < state::kPresetCount; ++i) {
        const std::string& caption = captions[std::size_t(i)];
        m_captions[std::size_t(i)] = caption.empty() ? state::kUnassignedPreset : caption;
        captionChanged(i);
    }
    changed();
}

void PresetButtons::click(int index) {
    if (index < 0 || index >= state::kPresetCount) return;
    if (m_flashing) {
        stopFlashing();
        setCaption(index, m_assignName);
        return;
    }
    if (!isAssigned(index) || !m_scenarios.canStartLoad()) return;
    m_scenarios.loader()->loadScenario(m_captions[std::size_t(index)]);
}

void PresetButtons::hover(int index) {
    if (index < 0 || index >= state::kPresetCount)
        m_displays.setPresetText("No preset selected");
    else
        m_displays.setPresetText(isAssigned(index) ? m_captions[std::size_t(index)] : "Unassigned");
}

void PresetButtons::startAssign(const std::string& scenarioName) {
    m_assignName = scenarioName;
    m_flashing = true;
    m_phase = false;
    m_flashTimer->setEnabled(true);
}

void PresetButtons::stopFlashing() {
    m_flashing = false;
    m_flashTimer->setEnabled(false);
}

} // namespace velmora
