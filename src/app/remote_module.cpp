#include "remote_module.h"

#include "ui/hotkeys/hotkeys_view.h"
#include "ui/remote/remote_view.h"
#include "ui/visual/panorama_view.h"
#include "ui/visual/slideshow_folder_view.h"
#include "ui/visual/slideshow_view.h"
#include "ui/widgets/scheme_style.h"

namespace velmora {

namespace {
template <typename View> std::function<void()> hideOf(std::unique_ptr<View>& view) {
    return [&view] {
        if (view) view->hide();
    };
}
} // namespace

RemoteModule::RemoteModule(Services& services, MainWindowController& main,
                           OptionsController& options, QWidget* mainView)
    : m_s(services), m_main(main), m_mainView(mainView),
      m_hotkeys(services.settings, services.levels, main.scenarios(), main.mute()),
      m_visual(services, main.commands(), [&main] { main.quit(); }),
      m_remote(services, main, m_visual),
      m_suspender(std::make_unique<HotkeySuspender>(m_hotkeys)) {
    main.commands().setKeyHandler(&m_hotkeys);
    main.commands().setVisualMode(&m_visual);
    m_hotkeys.setVisualTargets(&m_visual);
    options.setOpenHotkeys([this] { openHotkeys(); });

    WindowRegistry& windows = main.windows();
    windows.add(
        "Frmhotkeys",
        WindowEntry{[this] { openHotkeys(); }, hideOf(m_hotkeysView), {}, hideOf(m_hotkeysView)});
    windows.add(kRemoteWindow, WindowEntry{[this] { openRemote(); },
                                           hideOf(m_remoteView),
                                           {},
                                           [this] {
                                               if (m_remoteView) m_remoteView->closeRemote();
                                           }});
    windows.add("folderselect", [this] { openFolderWindow(true); });
    windows.add("Formfolderselect", [this] { openFolderWindow(false); });

    m_connections.push_back(m_visual.changed.connect([this] { followViews(); }));
    m_connections.push_back(
        m_visual.slideshowView().show.connect([this](const std::filesystem::path& picture) {
            m_main.displays().setPictureText(picture.stem().string());
        }));
    m_connections.push_back(
        main.colorsChanged.connect([this](const ColorScheme& scheme) { applyColors(scheme); }));
    // What the remote and the panorama keep is saved at quit even when their windows
    // never opened (a folder chosen from the tray's slideshow).
    m_connections.push_back(main.finished.connect([this] {
        m_visual.panorama().unload();
        m_remote.save();
    }));
}

RemoteModule::~RemoteModule() {
    m_main.commands().setKeyHandler(nullptr);
    m_main.commands().setVisualMode(nullptr);
}

void RemoteModule::openHotkeys() {
    if (!m_hotkeysView) {
        m_hotkeysView = std::make_unique<HotkeysView>(m_hotkeys, m_s.settings);
        m_hotkeysView->applyColors(m_main.colorScheme());
    }
    m_hotkeysView->open();
}

void RemoteModule::openRemote() {
    if (!m_remoteView) {
        m_remoteView = std::make_unique<RemoteView>(m_remote, m_visual, m_s.settings,
                                                    [this] { openFolderWindow(true); });
        m_remoteView->applyColors(m_main.colorScheme());
    }
    m_remoteView->open();
}

void RemoteModule::openFolderWindow(bool chooser) {
    auto& view = chooser ? m_folderSelect : m_folderConfig;
    if (!view) {
        view = std::make_unique<SlideshowFolderView>(chooser
                                                         ? SlideshowFolderView::Kind::FolderSelect
                                                         : SlideshowFolderView::Kind::Configuration,
                                                     m_visual, m_s.settings);
        applyScheme(view.get(), m_main.colorScheme());
    }
    view->open();
}

void RemoteModule::followViews() {
    if (m_visual.isSlideshowShown() && !m_slideshowView) {
        m_slideshowView =
            std::make_unique<SlideshowView>(m_visual, m_hotkeys, m_s.settings, m_mainView);
        m_slideshowView->follow();
    }
    if (m_visual.isPanoramaShown() && !m_panoramaView) {
        m_panoramaView = std::make_unique<PanoramaView>(m_visual, m_hotkeys, m_mainView);
        applyScheme(m_panoramaView->strip(), m_main.colorScheme());
        m_panoramaView->follow();
    }
    // The remote shows the options panel of the view that starts.
    if (m_visual.panel() != visual::OptionsPanel::None && m_remoteView) m_remoteView->raise();
}

void RemoteModule::applyColors(const ColorScheme& scheme) {
    if (m_hotkeysView) m_hotkeysView->applyColors(scheme);
    if (m_remoteView) m_remoteView->applyColors(scheme);
    for (auto* view : {m_folderSelect.get(), m_folderConfig.get()})
        if (view) applyScheme(view, scheme);
    if (m_panoramaView) applyScheme(m_panoramaView->strip(), scheme);
}

} // namespace velmora
