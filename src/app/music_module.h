#pragma once
// The MP3 player wired into the program: its controller, its three windows (made on first
// show, registered with the main window so "Open the MP3 player" reaches them) and its
// desktop media-player presence.
//
// Thread: UI thread.

#include "core/main_window/main_window_controller.h"
#include "music/mp3_media_endpoint.h"
#include "music/mp3_player.h"
#include "platform/qt/mpris_service.h"

#include <memory>
#include <vector>

class QWidget;

namespace velmora {

class AddFolderView;
class Mp3PlayerView;
class PlaylistView;

class MusicModule {
  public:
    MusicModule(Services& services, MainWindowController& main);
    ~MusicModule();
    MusicModule(const MusicModule&) = delete;
    MusicModule& operator=(const MusicModule&) = delete;

    [[nodiscard]] music::Mp3Player& player() { return m_player; }

  private:
    /// A new window takes the colours and its saved place.
    template <typename View> void prepare(View& view);
    static void present(QWidget& view);
    void closeWindow(QWidget* view);
    /// The main window's MP3 time, shown while a track plays or is paused.
    void showTime(const std::string& time);
    Mp3PlayerView& transport();
    PlaylistView& playlist();
    AddFolderView& addFolder();

    Services& m_s;
    MainWindowController& m_main;
    music::Mp3Player m_player;
    std::unique_ptr<Mp3PlayerView> m_transport;
    std::unique_ptr<PlaylistView> m_playlist;
    std::unique_ptr<AddFolderView> m_addFolder;
    music::Mp3MediaEndpoint m_endpoint;
    MprisService m_mpris;
    Connection m_colors;
    std::vector<Connection> m_status;
};

} // namespace velmora
