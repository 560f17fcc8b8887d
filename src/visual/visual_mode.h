#pragma once
// The visual mode: which view is up, the four shared values that STATES.tmp keeps, and the
// commands that start and leave the views from the main window, its tray, the remote, the
// views' own menus and the hotkeys. The views (Qt) follow `changed` and call back the
// events only they see (activated, Esc, the menus).
//
// Thread: UI thread.

#include "core/main_window/window_commands.h"
#include "core/services.h"
#include "core/signal.h"
#include "hotkeys/hotkeys.h"
#include "visual/panorama.h"
#include "visual/picture_sources.h"
#include "visual/slideshow.h"
#include "visual/visual_files.h"

#include <filesystem>
#include <functional>
#include <optional>

namespace velmora::visual {

inline constexpr const char* kNoImages = "The chosen directory contains no images.";

/// The remote's options panel that is open.
enum class OptionsPanel { None, Slideshow, Panoramic, Video };

class VisualMode final : public VisualModeCommands, public VisualHotkeyTargets {
  public:
    /// quit: the main window's quit command ("Exit Application").
    VisualMode(Services& services, WindowCommands& windows, std::function<void()> quit);
    VisualMode(const VisualMode&) = delete;
    VisualMode& operator=(const VisualMode&) = delete;

    [[nodiscard]] PictureSources& sources() { return m_sources; }
    [[nodiscard]] Slideshow& slideshowView() { return m_slideshow; }
    [[nodiscard]] Panorama& panorama() { return m_panorama; }
    [[nodiscard]] const VisualState& state() const { return m_state; }
    [[nodiscard]] const ProgramFolder& programFolder() const { return m_s.folder; }

    // --- main window and tray ---
    void slideshow() override; ///< in the foreground
    void slideshowBehindMain() override;
    void panoramic() override;
    void writeVisualState() override;
    /// "Load previous": runs the views STATES.tmp says were running.
    void restoreVisualState() override;

    // --- the remote ---
    void startSlideshowFromRemote();
    void startPanoramaFromRemote();
    void setPanel(OptionsPanel panel);
    [[nodiscard]] OptionsPanel panel() const { return m_panel; }
    /// The remote was hidden / swapped back for the main window.
    void remoteHidden();
    void remoteSwappedForMain();

    // --- the slideshow folder choosers ---
    /// Makes folder the slideshow's folder and shows its first picture; a folder without
    /// pictures changes nothing and says kNoImages.
    bool useSlideshowFolder(const std::filesystem::path& folder);
    /// "Select Folder": the desktop's folder chooser, starting in the slideshow root.
    [[nodiscard]] std::optional<std::filesystem::path> browseSlideshowFolder();
    /// "explorer": the folder in the desktop's file manager.
    void openInFileManager(const std::filesystem::path& folder);

    // --- what the views report ---
    void slideshowActivated();
    void panoramaActivated();
    void panoramaDeactivated();
    /// Esc in the slideshow.
    void leaveSlideshow();
    /// The menus' "Show Main", "Show Remote", "Exit Visual Mode", "Exit Application".
    void showMainFromView();
    void showRemoteFromView();
    void exitVisualMode();
    void exitApplication(bool fromPanorama);

    [[nodiscard]] bool isSlideshowShown() const { return m_slideshowShown; }
    [[nodiscard]] bool isPanoramaShown() const { return m_panoramaShown; }
    /// The slideshow stays behind the main window instead of covering it.
    [[nodiscard]] bool isBehindMain() const { return m_state.background == kOn; }

    // --- hotkeys ---
    void changeImage() override;
    void changeDirection() override;

    /// Which view is shown, the panel or a shared value changed.
    Signal<> changed;

  private:
    void showSlideshow();
    void hideSlideshow();
    void closePanorama();
    void showPanorama();

    Services& m_s;
    WindowCommands& m_windows;
    std::function<void()> m_quit;
    PictureSources m_sources;
    Slideshow m_slideshow;
    Panorama m_panorama;
    VisualState m_state;
    OptionsPanel m_panel = OptionsPanel::None;
    bool m_slideshowShown = false;
    bool m_panoramaShown = false;
    Connection m_mainShown;
};

} // namespace velmora::visual
