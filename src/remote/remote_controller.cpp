#include "remote_controller.h"

#include "core/state/main2_state.h"
#include "platform/ascii_case.h"
#include "remote_state.h"
#include "visual/picture_sources.h"

#include <algorithm>
#include <system_error>

namespace velmora::remote {

namespace {
constexpr std::array<const char*, kLabelCount> kInitialLabels = {
    "Scheduler: ",  "Alarm Not Set", "MP3 Time: 00:00:00", "No MP3 currently selected",
    "No Audio CD ", "Scenario:"};
constexpr const char* kMp3Stopped = " MP3 Time:00:00:00";
/// The window that writes each label.
constexpr std::array<const char*, kLabelCount> kLabelOwners = {
    "Timers", "Alarm", kMp3PlayerWindow, kMp3PlayerWindow, kCdPlayerWindow, nullptr};
} // namespace

state::WindowPosition dockPosition(Corner corner, state::ScreenArea screen,
                                   state::WindowSize size) {
    const bool right = corner == Corner::TopRight || corner == Corner::BottomRight;
    const bool bottom = corner == Corner::BottomLeft || corner == Corner::BottomRight;
    return {screen.left + (right ? std::max(0, screen.width - size.width) : 0),
            screen.top + (bottom ? std::max(0, screen.height - size.height) : 0)};
}

RemoteController::RemoteController(Services& services, MainWindowController& main,
                                   visual::VisualMode& visual)
    : m_s(services), m_main(main), m_visual(visual) {
    for (int i = 0; i < kLabelCount; ++i)
        m_labels[i] = kInitialLabels[i];
    RemoteState saved;
    (void)readRemoteState(m_s.folder.resolve(kRemoteStateFile), saved);
    auto& sources = m_visual.sources();
    sources.setChangeEvery(saved.changeEvery);
    sources.setChooserFolder(saved.chooserFolder);
    sources.setFolder(saved.slideshowFolder);
    m_main.commands().setRemoteLabels(this);
    m_connections.push_back(m_main.presets().changed.connect([this] { changed(); }));
    m_connections.push_back(
        m_main.windows().added.connect([this](const std::string&) { changed(); }));
}

RemoteController::~RemoteController() {
    m_main.commands().setRemoteLabels(nullptr);
}

const std::string& RemoteController::label(Label which) const {
    return m_labels.at(static_cast<std::size_t>(which));
}

void RemoteController::setLabel(Label which, const std::string& text) {
    m_labels.at(static_cast<std::size_t>(which)) = text;
    changed();
}

bool RemoteController::hasLabel(Label which) const {
    const char* owner = kLabelOwners.at(static_cast<std::size_t>(which));
    return owner == nullptr || m_main.windows().has(owner);
}

std::string RemoteController::presetCaption(int index) const {
    if (index < 0 || index >= kRemotePresetCount) return {};
    return m_main.presets().captions()[static_cast<std::size_t>(index)];
}

bool RemoteController::presetAssigned(int index) const {
    const auto caption = presetCaption(index);
    return !caption.empty() && caption != state::kUnassignedPreset;
}

void RemoteController::pressPreset(int index) {
    // The main window's own command: a preset being assigned binds here too.
    if (index < 0 || index >= kRemotePresetCount) return;
    m_main.presets().click(index);
}

void RemoteController::loadFromDisk() {
    ScenarioLoader* loader = m_main.scenarios().loader();
    if (!loader) return;
    FileDialogOptions o;
    o.filter = kScenarioFilter;
    o.initialDirectory = m_main.scenarios().folder().string();
    const auto chosen = m_s.dialogs.openFile(o);
    if (!chosen || chosen->empty()) return;
    (void)loader->loadScenarioFile(*chosen, ScenarioLoadMode::Manual);
}

void RemoteController::setMp3Transport(Mp3Transport* transport) {
    m_mp3 = transport;
    changed();
}

void RemoteController::mp3Stop() {
    if (!m_mp3) return;
    m_mp3->stop();
    setLabel(Label::Mp3Time, kMp3Stopped);
}

void RemoteController::hideRemote() {
    m_visual.remoteHidden();
    hideRequested();
}

void RemoteController::showMainAndHide() {
    m_visual.remoteSwappedForMain();
    save();
    m_main.commands().showMain();
}

void RemoteController::save() {
    const auto& sources = m_visual.sources();
    RemoteState s;
    s.slideshowFolder = sources.folder().string();
    s.chooserFolder = sources.chooserFolder();
    s.changeEvery = sources.changeEvery();
    (void)writeRemoteState(m_s.folder.resolve(kRemoteStateFile), s);
}

std::vector<std::string> RemoteController::videos() const {
    std::vector<std::string> names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(m_s.folder.resolve(kVideoFolder), ec), end;
         !ec && it != end; it.increment(ec))
        if (it->is_regular_file(ec)) names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return lessIgnoringCase(a, b); });
    return names;
}

bool RemoteController::playVideo(const std::string& name) {
    if (name.empty() || name.find('/') != std::string::npos) return false;
    return m_s.shell.openUrl((m_s.folder.resolve(kVideoFolder) / name).string());
}

} // namespace velmora::remote
