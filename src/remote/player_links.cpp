#include "player_links.h"

namespace velmora::remote {

PlayerLinks::PlayerLinks(RemoteController& remote, music::Mp3Player& mp3, cd::CdPlayer& cd)
    : m_remote(remote), m_mp3(mp3), m_cd(cd) {
    m_remote.setMp3Transport(this);
    m_connections.push_back(m_mp3.timeChanged.connect([this](const std::string& time) {
        m_remote.setLabel(Label::Mp3Time, "MP3 Time: " + time);
    }));
    m_connections.push_back(
        m_mp3.changed.connect([this] { m_remote.setLabel(Label::Mp3Title, m_mp3.display()); }));
    m_connections.push_back(m_cd.changed.connect([this] { showCd(); }));
    // A drive search may have run before the remote joined.
    showCd();
}

PlayerLinks::~PlayerLinks() {
    m_remote.setMp3Transport(nullptr);
}

void PlayerLinks::showCd() {
    // Until the CD player has something to say, the remote keeps its own first line.
    if (!m_cd.remoteDisplay().empty()) m_remote.setLabel(Label::Cd, m_cd.remoteDisplay());
}

} // namespace velmora::remote
