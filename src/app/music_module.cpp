#include "music_module.h"

#include "ui/music/add_folder_view.h"
#include "ui/music/mp3_player_view.h"
#include "ui/music/playlist_view.h"
#include "ui/startup/window_position.h"

namespace velmora {

MusicModule::MusicModule(Services& services, MainWindowController& main)
    : m_s(services), m_main(main), m_player(services),
      m_endpoint(m_player, services.levels, [this] { m_main.windows().show("frmmainmp3"); }),
      m_mpris(m_endpoint, kMusicPlayerBusName) {
    m_player.load();
    // Media keys are a convenience: without a session bus the player works and says nothing.
    (void)m_mpris.publish();
    auto& windows = main.windows();
    windows.add("frmmainmp3", WindowEntry{[this] { present(transport()); },
                                          [this] {
                                              if (m_transport) m_transport->hide();
                                          },
                                          {},
                                          [this] { closeWindow(m_transport.get()); }});
    windows.add("frmList", WindowEntry{[this] { present(playlist()); },
                                       [this] {
                                           if (m_playlist) m_playlist->hide();
                                       },
                                       {},
                                       [this] { closeWindow(m_playlist.get()); }});
    windows.add("Formmp3adddir", WindowEntry{[this] { present(addFolder()); },
                                             {},
                                             {},
                                             [this] { closeWindow(m_addFolder.get()); }});
    m_colors = main.colorsChanged.connect([this](const ColorScheme& scheme) {
        if (m_transport) m_transport->applyColors(scheme);
        if (m_playlist) m_playlist->applyColors(scheme);
        if (m_addFolder) m_addFolder->applyColors(scheme);
    });
    m_status.push_back(
        m_player.timeChanged.connect([this](const std::string& time) { showTime(time); }));
    // A stop or the end of the list says nothing more about the time: the display goes.
    m_status.push_back(m_player.changed.connect([this] { showTime(m_player.time()); }));
}

void MusicModule::showTime(const std::string& time) {
    const bool sounding = m_player.playing() || m_player.paused();
    m_main.displays().setMp3Time(sounding ? time : std::string());
}

MusicModule::~MusicModule() = default;

Mp3PlayerView& MusicModule::transport() {
    if (!m_transport) {
        m_transport = std::make_unique<Mp3PlayerView>(m_player, m_s.levels, [this] {
            if (m_playlist && m_playlist->isVisible())
                m_main.windows().hide("frmList");
            else
                m_main.windows().show("frmList");
        });
        prepare(*m_transport);
    }
    return *m_transport;
}

PlaylistView& MusicModule::playlist() {
    if (!m_playlist) {
        m_playlist = std::make_unique<PlaylistView>(
            m_player, [this] { m_main.windows().show("Formmp3adddir"); });
        prepare(*m_playlist);
    }
    return *m_playlist;
}

AddFolderView& MusicModule::addFolder() {
    if (!m_addFolder) {
        m_addFolder = std::make_unique<AddFolderView>(m_player);
        prepare(*m_addFolder);
    }
    return *m_addFolder;
}

template <typename View> void MusicModule::prepare(View& view) {
    view.applyColors(m_main.colorScheme());
    restoreWindowPosition(&view, m_s.settings);
}

void MusicModule::present(QWidget& view) {
    view.show();
    view.raise();
    view.activateWindow();
}

void MusicModule::closeWindow(QWidget* view) {
    if (!view) return;
    saveWindowPosition(view, m_s.settings);
    view->hide();
    // The playlist outlives its windows; it is written as they close at quit.
    m_player.close();
}

} // namespace velmora
