#pragma once
// The hotkeys, the remote and the visual mode wired into the main window: their controllers
// live from start to quit, their views are made on first show.
//
// Thread: UI thread.

#include "core/main_window/main_window_controller.h"
#include "core/services.h"
#include "core/startup/options_controller.h"
#include "hotkeys/hotkeys.h"
#include "remote/remote_controller.h"
#include "visual/visual_mode.h"

#include <memory>
#include <vector>

class QWidget;

namespace velmora {

class HotkeysView;
class HotkeySuspender;
class PanoramaView;
class RemoteView;
class SlideshowFolderView;
class SlideshowView;

class RemoteModule {
  public:
    /// Registers its windows with the main window, hands it the key handler, the visual
    /// mode and the remote, and gives the options window its hotkeys button. mainView: the
    /// window whose screen the visual views cover.
    RemoteModule(Services& services, MainWindowController& main, OptionsController& options,
                 QWidget* mainView);
    ~RemoteModule();
    RemoteModule(const RemoteModule&) = delete;
    RemoteModule& operator=(const RemoteModule&) = delete;

    [[nodiscard]] remote::RemoteController& controller() { return m_remote; }

    void openHotkeys();
    void openRemote();
    /// folderselect (chooser true) or Formfolderselect.
    void openFolderWindow(bool chooser);

  private:
    void followViews();
    void applyColors(const ColorScheme& scheme);

    Services& m_s;
    MainWindowController& m_main;
    QWidget* m_mainView;
    Hotkeys m_hotkeys;
    visual::VisualMode m_visual;
    remote::RemoteController m_remote;
    std::unique_ptr<HotkeySuspender> m_suspender;
    std::unique_ptr<HotkeysView> m_hotkeysView;
    std::unique_ptr<RemoteView> m_remoteView;
    std::unique_ptr<SlideshowView> m_slideshowView;
    std::unique_ptr<PanoramaView> m_panoramaView;
    std::unique_ptr<SlideshowFolderView> m_folderSelect;
    std::unique_ptr<SlideshowFolderView> m_folderConfig;
    std::vector<Connection> m_connections;
};

} // namespace velmora
