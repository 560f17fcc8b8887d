#include "launcher.h"

#include "core/state/options_state.h"
#include "startup_config.h"

#include <cctype>

namespace velmora {

int minorFromVersionText(const std::string& text, int major) {
    const std::string prefix = std::to_string(major) + ".";
    std::size_t at = 0;
    while ((at = text.find(prefix, at)) != std::string::npos) {
        // The major number must stand on its own ("119.2" is not major 19).
        if (at > 0 && std::isdigit(static_cast<unsigned char>(text[at - 1]))) {
            ++at;
            continue;
        }
        std::size_t k = at + prefix.size();
        int minor = 0;
        bool any = false;
        while (k < text.size() && std::isdigit(static_cast<unsigned char>(text[k])) &&
               minor < 100000) {
            minor = minor * 10 + (text[k] - '0');
            any = true;
            ++k;
        }
        if (any) return minor;
        ++at;
    }
    return 0;
}

LauncherController::LauncherController(SettingsStore& settings, Shell& shell,
                                       BackendVersion version, std::string installHelp)
    : m_settings(settings), m_shell(shell), m_version(version),
      m_installHelp(std::move(installHelp)) {}

bool LauncherController::shouldShow() const {
    return !state::launcherPassed(m_settings);
}

std::string LauncherController::requiredText() const {
    return "DirectX Version Required: " + std::to_string(kRequiredMajor);
}

std::string LauncherController::installedText() const {
    return "DirectX Version Installed: " + std::to_string(m_version.major) + "." +
           std::to_string(m_version.minor);
}

std::string LauncherController::backendText() const {
    // The window keeps its historic wording; this line says what was really checked.
    return m_version.name.empty() ? std::string() : "Sound system checked: " + m_version.name;
}

void LauncherController::start() {
    if (!startEnabled()) return;
    state::markLauncherPassed(m_settings);
    started();
}

void LauncherController::install() {
    if (!installEnabled()) return;
    m_shell.openUrl(m_installHelp);
}

void LauncherController::close() {
    closed();
}

} // namespace velmora
