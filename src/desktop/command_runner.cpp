#include "command_runner.h"

#include "core/main_window/main_window_controller.h"
#include "platform/ascii_case.h"

namespace velmora::desktop {

namespace {
/// The listed name matching what was typed without regard to case, or empty.
std::string listedScenario(ScenarioList& list, const std::string& typed) {
    list.refresh();
    for (const std::string& name : list.names())
        if (equalsIgnoringCase(name, typed)) return name;
    return {};
}
} // namespace

CommandRunner::CommandRunner(MainWindowController& main, std::function<void()> show,
                             std::function<void()> quit)
    : m_main(main), m_show(std::move(show)), m_quit(std::move(quit)) {}

Outcome CommandRunner::check(const Command& command) {
    if (command.action == Action::Scenario) {
        ScenarioList& list = m_main.scenarios();
        if (listedScenario(list, command.scenario).empty())
            return {1, "There is no scenario called \"" + command.scenario + "\" in " +
                           list.folder().string() + "."};
        if (!list.canLoad()) return {1, "Scenarios are not available yet."};
    }
    if (command.action == Action::Preset) {
        if (!m_main.scenarios().canLoad()) return {1, "Presets are not available yet."};
        if (!m_main.presets().isAssigned(command.preset - 1))
            return {1, "Preset " + std::to_string(command.preset) + " is not assigned."};
    }
    return {};
}

Outcome CommandRunner::run(const Command& command) {
    if (Outcome refused = check(command); refused.exitCode != 0) return refused;
    MuteSwitch& mute = m_main.mute();
    switch (command.action) {
    case Action::Scenario: {
        ScenarioList& list = m_main.scenarios();
        list.select(listedScenario(list, command.scenario));
        list.loadSelected();
        return {0, "Loaded the scenario \"" + list.selected() + "\"."};
    }
    case Action::Preset: {
        m_main.presets().click(command.preset - 1);
        const std::string caption = m_main.presets().captions()[std::size_t(command.preset - 1)];
        return {0, "Loaded preset " + std::to_string(command.preset) + ", \"" + caption + "\"."};
    }
    case Action::Mute:
        if (!mute.isMuted()) mute.toggle();
        return {0, "Muted."};
    case Action::Unmute:
        if (mute.isMuted()) mute.toggle();
        return {0, "Unmuted."};
    case Action::ToggleMute:
        mute.toggle();
        return {0, mute.isMuted() ? "Muted." : "Unmuted."};
    case Action::StopAll:
        m_main.panels().stopAllSounds();
        return {0, "Stopped every sound."};
    case Action::Show:
    case Action::Start:
        m_show();
        return {};
    case Action::Quit:
        m_quit();
        return {0, "Velmora is quitting."};
    case Action::Help:
    case Action::Version:
        break;
    }
    return {2, usageLine()};
}

} // namespace velmora::desktop
