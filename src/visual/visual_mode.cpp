#include "visual_mode.h"

namespace velmora::visual {

VisualMode::VisualMode(Services& services, WindowCommands& windows, std::function<void()> quit)
    : m_s(services), m_windows(windows), m_quit(std::move(quit)),
      m_sources(services.folder, services.dialogs), m_slideshow(services, m_sources),
      m_panorama(services, services.folder.resolve(kSpeedFile)) {
    // The main window coming back in front of a slideshow is what "background" keeps.
    m_mainShown = m_windows.mainVisibilityChanged.connect([this](bool visible) {
        if (visible) m_state.background = kOn;
    });
}

void VisualMode::slideshow() {
    m_state.panoramic = 0;
    m_state.background = 0;
    closePanorama();
    m_panel = OptionsPanel::Slideshow;
    showSlideshow();
    m_windows.hideMain();
    changed();
}

void VisualMode::slideshowBehindMain() {
    closePanorama();
    m_panel = OptionsPanel::Slideshow;
    showSlideshow();
    m_windows.showMain();
    m_state.background = kOn;
    changed();
}

void VisualMode::panoramic() {
    m_state.background = 0;
    m_state.slideshow = 0;
    m_panel = OptionsPanel::Panoramic;
    hideSlideshow();
    if (!m_panoramaShown) showPanorama();
    m_windows.hideMain();
    changed();
}

void VisualMode::writeVisualState() {
    (void)visual::writeVisualState(m_s.folder.resolve(kStatesFile), m_state);
}

void VisualMode::restoreVisualState() {
    VisualState read;
    if (!readVisualState(m_s.folder.resolve(kStatesFile), read).opened()) return;
    if (read.slideshow == kOn) slideshow();
    if (read.panoramic == kOn) panoramic();
    if (read.background == kOn) m_windows.showMain();
    m_state.remoteShown = read.remoteShown;
    changed();
}

void VisualMode::startSlideshowFromRemote() {
    m_panel = OptionsPanel::Slideshow;
    closePanorama();
    if (m_state.slideshow != kOn) slideshow();
    changed();
}

void VisualMode::startPanoramaFromRemote() {
    hideSlideshow();
    showPanorama();
    m_panel = OptionsPanel::Panoramic;
    changed();
}

void VisualMode::setPanel(OptionsPanel panel) {
    m_panel = panel;
    changed();
}

void VisualMode::remoteHidden() {
    m_state.remoteShown = 0;
    changed();
}

void VisualMode::remoteSwappedForMain() {
    m_state.panoramic = 0;
    m_state.remoteShown = 0;
    changed();
}

bool VisualMode::useSlideshowFolder(const std::filesystem::path& folder) {
    if (listPictures(folder).empty()) {
        m_s.dialogs.message(kNoImages, MessageIcon::Information, kProgramTitle);
        return false;
    }
    m_sources.setFolder(folder);
    m_sources.setChooserFolder(folder.string());
    if (m_slideshow.isActive())
        m_slideshow.showEntry(0);
    else
        m_sources.select(0);
    changed();
    return true;
}

std::optional<std::filesystem::path> VisualMode::browseSlideshowFolder() {
    FileDialogOptions o;
    o.title = "Select Folder";
    o.initialDirectory = m_s.folder.resolve(kSlideshowRoot).string();
    const auto chosen = m_s.dialogs.chooseFolder(o);
    if (!chosen || chosen->empty()) return std::nullopt;
    return std::filesystem::path(*chosen);
}

void VisualMode::openInFileManager(const std::filesystem::path& folder) {
    (void)m_s.shell.openFolder(folder.string());
}

void VisualMode::slideshowActivated() {
    m_state.slideshow = kOn;
    m_state.panoramic = 0;
}

void VisualMode::panoramaActivated() {
    m_state.slideshow = 0;
    m_state.panoramic = kOn;
}

void VisualMode::panoramaDeactivated() {
    m_state.panoramic = 0;
}

void VisualMode::leaveSlideshow() {
    hideSlideshow();
    m_windows.showMain();
    changed();
}

void VisualMode::showMainFromView() {
    m_windows.showMain();
    changed();
}

void VisualMode::showRemoteFromView() {
    m_state.remoteShown = kOn;
    m_state.background = 0;
    m_windows.showRemote();
    changed();
}

void VisualMode::exitVisualMode() {
    m_state.slideshow = 0;
    m_state.panoramic = 0;
    hideSlideshow();
    closePanorama();
    m_panel = OptionsPanel::None;
    m_windows.showMain();
    changed();
}

void VisualMode::exitApplication(bool fromPanorama) {
    m_state.slideshow = kOn;
    if (!fromPanorama) m_state.panoramic = 0;
    if (m_quit) m_quit();
}

void VisualMode::changeImage() {
    if (m_slideshow.isActive()) m_slideshow.next();
}

void VisualMode::changeDirection() {
    if (m_panoramaShown) m_panorama.reverse();
}

void VisualMode::showSlideshow() {
    m_slideshowShown = true;
    m_slideshow.load();
}

void VisualMode::hideSlideshow() {
    // Hidden, not unloaded: the count goes on, as the window stays loaded.
    m_slideshowShown = false;
}

void VisualMode::closePanorama() {
    if (!m_panoramaShown) return;
    m_panoramaShown = false;
    m_panorama.unload();
}

void VisualMode::showPanorama() {
    m_panoramaShown = true;
}

} // namespace velmora::visual
