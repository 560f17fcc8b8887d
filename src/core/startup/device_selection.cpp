#include "device_selection.h"

#include "startup_config.h"

#include <limits>

namespace velmora {

namespace {
constexpr const char* kLeftOutDevice = "Primary Sound Driver";
constexpr int kFillDelayMs = 50;
} // namespace

std::vector<DeviceEntry> buildDeviceList(const std::vector<std::string>& names) {
    std::vector<DeviceEntry> list;
    const int n = static_cast<int>(
        std::min<std::size_t>(names.size(), std::numeric_limits<std::int16_t>::max()));
    for (int i = n - 1; i >= 0; --i) {
        const std::string& raw = names[static_cast<std::size_t>(i)];
        std::string name = raw.substr(0, raw.find('\0'));
        if (name == kLeftOutDevice) continue;
        list.push_back({std::move(name), i});
    }
    return list;
}

DeviceSelectionController::DeviceSelectionController(TimerService& timers, Dialogs& dialogs,
                                                     OutputDeviceChoice& device, DeviceNames names)
    : m_timers(timers), m_dialogs(dialogs), m_device(device), m_names(std::move(names)) {}

void DeviceSelectionController::open() {
    m_entries.clear();
    m_selected = -1;
    listChanged();
    m_fillTimer = m_timers.createTimer(kFillDelayMs, [this] {
        m_fillTimer->setEnabled(false);
        populate();
    });
    m_fillTimer->setEnabled(true);
}

void DeviceSelectionController::populate() {
    m_entries = m_names ? buildDeviceList(m_names()) : std::vector<DeviceEntry>{};
    m_selected = -1;
    listChanged();
}

bool DeviceSelectionController::ok() {
    if (m_selected < 0 || m_selected >= static_cast<int>(m_entries.size())) {
        m_dialogs.message(std::string(kProblemMessage) + config::kSupportContact,
                          MessageIcon::Information, "Sound output");
        return false;
    }
    const auto& chosen = m_entries[static_cast<std::size_t>(m_selected)];
    m_device.set(static_cast<std::int16_t>(chosen.index), chosen.name);
    m_dialogs.message(kRestartMessage, MessageIcon::Information, "Sound output");
    closeRequested();
    return true;
}

} // namespace velmora
