#pragma once
// The media player on the session bus under the common media-player interfaces, so media
// keys, sound applets and lock screens can pause, resume and raise Velmora. Without a
// session bus nothing is published and nothing is said.
//
// Thread: UI thread.

#include "platform/media_player_endpoint.h"

#include <QObject>

namespace velmora {

inline constexpr const char* kMediaPlayerBusName = "org.mpris.MediaPlayer2.velmora.soundscape";

class MprisService : public QObject {
    Q_OBJECT
  public:
    explicit MprisService(MediaPlayerEndpoint& player, QObject* parent = nullptr);
    ~MprisService() override;

    /// Registers on the session bus; false (quietly) without one or when the name is taken.
    bool publish();

  private:
    void announce();
    MediaPlayerEndpoint& m_player;
    bool m_published = false;
};

} // namespace velmora
