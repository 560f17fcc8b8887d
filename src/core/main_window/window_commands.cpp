#include "window_commands.h"

#include "core/startup/user_guide.h"

namespace velmora {

WindowCommands::WindowCommands(Services& services, WindowRegistry& windows,
                               StatusDisplays& displays, state::MainState& saved)
    : m_s(services), m_windows(windows), m_displays(displays), m_saved(saved) {}

bool WindowCommands::openWindow(const std::string& windowName) {
    if (windowName == kRemoteWindow) {
        if (!m_windows.has(kRemoteWindow)) return false;
        showRemote();
        return true;
    }
    return m_windows.show(windowName);
}

void WindowCommands::showRemote() {
    if (!m_windows.has(kRemoteWindow)) return;
    m_mainVisible = false;
    mainVisibilityChanged(false);
    m_windows.show(kRemoteWindow);
}

void WindowCommands::showMain() {
    m_windows.hide(kRemoteWindow);
    m_mainVisible = true;
    mainVisibilityChanged(true);
}

void WindowCommands::hideMain() {
    m_mainVisible = false;
    mainVisibilityChanged(false);
}

void WindowCommands::tellRemoteScenario(const std::string& text) {
    if (m_remote) m_remote->setScenarioLabel(text);
}

void WindowCommands::tellRemoteAlarm(const std::string& text) {
    if (m_remote) m_remote->setAlarmLabel(text);
}

void WindowCommands::enableAlarm() {
    m_saved.alarmFlag = "True";
    alarmChanged(true);
}

void WindowCommands::disableAlarm() {
    m_saved.alarmFlag = "False";
    if (m_alarm) m_alarm->stopAlarm();
    m_displays.showAlarmDisabled();
    tellRemoteAlarm("Alarm:Off");
    alarmChanged(false);
}

bool WindowCommands::startRecorder() {
    const auto program = m_s.folder.resolveProgram(kRecorderProgram);
    const auto args = m_recording ? m_recording->recorderArguments() : std::vector<std::string>{};
    if (m_s.shell.startProgram(program.string(), args)) return true;
    m_s.dialogs.message(kRecorderMissing, MessageIcon::Information, "Recorder");
    return false;
}

void WindowCommands::openUserGuide() {
    m_s.shell.openUrl(userGuideAddress(m_s.folder));
}

void WindowCommands::handleKey(const std::string& keyName) {
    // The first-run window promises F1 for help; a hotkey bound to F1 still runs as well.
    if (keyName == "F1") openUserGuide();
    if (m_keys) m_keys->handleKey(keyName);
}

} // namespace velmora
