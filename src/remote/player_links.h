#pragma once
// The MP3 and CD players as the remote sees them: the remote's MP3 buttons drive the MP3
// player, and both players write their lines into the remote's labels as they change.
//
// Thread: UI thread.

#include "cd/cd_player.h"
#include "core/signal.h"
#include "music/mp3_player.h"
#include "remote/remote_controller.h"

#include <vector>

namespace velmora::remote {

class PlayerLinks final : public Mp3Transport {
  public:
    /// Joins the remote as its MP3 transport; the CD label follows the CD player from now on.
    PlayerLinks(RemoteController& remote, music::Mp3Player& mp3, cd::CdPlayer& cd);
    ~PlayerLinks() override;
    PlayerLinks(const PlayerLinks&) = delete;
    PlayerLinks& operator=(const PlayerLinks&) = delete;

    void previous() override { m_mp3.previous(); }
    void play() override { m_mp3.play(); }
    void pause() override { m_mp3.pause(); }
    void next() override { m_mp3.next(); }
    void stop() override { m_mp3.stop(); }

  private:
    void showCd();

    RemoteController& m_remote;
    music::Mp3Player& m_mp3;
    cd::CdPlayer& m_cd;
    std::vector<Connection> m_connections;
};

} // namespace velmora::remote
