#include "options_controller.h"

#include "core/state/startup_settings.h"
#include "startup_config.h"
#include "user_guide.h"

#include <cmath>

namespace velmora {

namespace {
std::string wholeNumberText(int v) {
    return std::to_string(v);
}
} // namespace

OptionsController::OptionsController(Environment env, AutoStart& autoStart,
                                     OutputDeviceChoice& device, DeviceNames deviceNames)
    : m_env(env), m_autoStart(autoStart), m_device(device), m_deviceNames(std::move(deviceNames)) {
    loadFile();
    m_deviceConnection = m_device.changed.connect([this] {
        refreshDeviceName();
        changed();
    });
}

std::filesystem::path OptionsController::file(const char* stored) const {
    return m_env.folder.resolve(stored);
}

void OptionsController::loadFile() {
    state::OptionsState fresh;
    (void)state::readOptionsState(file(state::kOptionsStateFile), fresh);
    m_options = fresh;
    // A hand-edited or damaged file must not give the remote an out-of-range time.
    editInactivityTime(m_options.inactivityTime);
    finishInactivityTime();
}

void OptionsController::open() {
    loadFile();
    m_autoLaunch = m_autoStart.isEnabled();
    const auto display =
        state::readStartupSetting(file(state::kStartupSettingsFile), state::kDisplayKey);
    m_display = display && *display == "1" ? 1 : 0;
    m_page = 0;
    refreshDeviceName();
    changed();
}

void OptionsController::close() {
    finishInactivityTime();
    (void)state::writeOptionsState(file(state::kOptionsStateFile), m_options);
    state::writeRemoteOnStart(m_env.settings, m_options.startWithController);
}

int OptionsController::inactivityTime() const {
    const double v = state::leadingNumber(m_options.inactivityTime);
    if (!(v >= state::kInactivityMinimum)) return state::kInactivityMinimum;
    if (v > state::kInactivityMaximum) return state::kInactivityMaximum;
    return static_cast<int>(std::lround(v));
}

void OptionsController::setColorSchemeWithScenario(bool on) {
    m_options.colorSchemeWithScenario = on;
    changed();
}
void OptionsController::setColorChangeOnRemote(bool on) {
    m_options.colorChangeOnRemote = on;
    changed();
}
void OptionsController::setVolumesOnScenarioLoad(bool on) {
    m_options.volumesOnScenarioLoad = on;
    changed();
}
void OptionsController::setAutoHideRemote(bool on) {
    m_options.autoHideRemote = on;
    changed();
}
state::ScenarioCrossfade OptionsController::scenarioCrossfade() const {
    return state::readScenarioCrossfade(m_env.settings);
}

void OptionsController::setScenarioCrossfade(const state::ScenarioCrossfade& crossfade) {
    state::writeScenarioCrossfade(m_env.settings, crossfade);
    changed();
}

void OptionsController::setStartWithController(bool on) {
    m_options.startWithController = on;
    changed();
}

void OptionsController::editInactivityTime(const std::string& text) {
    // Only the upper limit applies while typing: holding back "1" on the way to "15" would
    // turn it into 5 and then 55.
    m_options.inactivityTime = text;
    if (state::leadingNumber(text) > state::kInactivityMaximum)
        m_options.inactivityTime = wholeNumberText(state::kInactivityMaximum);
    changed();
}

void OptionsController::finishInactivityTime() {
    if (!(state::leadingNumber(m_options.inactivityTime) >= state::kInactivityMinimum))
        m_options.inactivityTime = wholeNumberText(state::kInactivityMinimum);
    changed();
}

void OptionsController::setAutoLaunch(bool on) {
    if (on) {
        if (!m_autoStart.enable()) {
            m_env.dialogs.message(kAutoStartMessage, MessageIcon::Information,
                                  "Launch on start-up");
            on = false;
        }
    } else {
        m_autoStart.disable();
        on = m_autoStart.isEnabled();
    }
    m_autoLaunch = on;
    (void)state::writeStartupSetting(file(state::kStartupSettingsFile), state::kAutoLaunchKey,
                                     on ? "1" : "0");
    changed();
}

void OptionsController::setDisplay(int index) {
    m_display = index == 1 ? 1 : 0;
    (void)state::writeStartupSetting(file(state::kStartupSettingsFile), state::kDisplayKey,
                                     m_display == 1 ? "1" : "0");
    changed();
}

void OptionsController::refreshDeviceName() {
    const int index = m_device.index();
    m_deviceName.clear();
    if (!m_device.name().empty()) {
        m_deviceName = m_device.name();
        return;
    }
    if (!m_deviceNames) return;
    const auto names = m_deviceNames();
    if (index >= 0 && index < static_cast<int>(names.size())) {
        const auto& raw = names[static_cast<std::size_t>(index)];
        m_deviceName = raw.substr(0, raw.find('\0'));
    }
}

void OptionsController::showPage(int page) {
    if (page < 0 || page >= kPageCount) return;
    m_page = page;
    changed();
}

void OptionsController::chooseSoundCard() {
    if (m_hooks.openDeviceWindow) m_hooks.openDeviceWindow();
}

void OptionsController::openHotkeys() {
    if (m_hooks.openHotkeys) m_hooks.openHotkeys();
}

void OptionsController::openHelp() {
    m_env.shell.openUrl(userGuideAddress(m_env.folder));
}

void OptionsController::startUpdater() {
    for (const char* stored : config::kUpdaterPaths) {
        const auto path = m_env.folder.resolveProgram(stored);
        std::error_code ec;
        if (std::filesystem::is_regular_file(path, ec) &&
            m_env.shell.startProgram(path.string(), {}))
            return;
    }
    m_env.dialogs.message(kUpdaterMessage, MessageIcon::Information, "Updates");
}

} // namespace velmora
