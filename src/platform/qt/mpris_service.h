#pragma once
// The media player on the session bus under the common media-player interfaces, so media
// keys, sound applets and lock screens can pause, resume and raise Velmora. Without a
// session bus nothing is published and nothing is said.
//
// Thread: UI thread.

#include "platform/media_player_endpoint.h"

#include <QDBusConnection>
#include <QObject>

namespace velmora {

inline constexpr const char* kMediaPlayerBusName = "org.mpris.MediaPlayer2.velmora.soundscape";
/// The MP3 player's name beside it.
inline constexpr const char* kMusicPlayerBusName = "org.mpris.MediaPlayer2.velmora";

class MprisService : public QObject {
    Q_OBJECT
  public:
    /// busName: each player needs a connection of its own, since both answer on the same
    /// object path; the first player uses the program's session connection.
    explicit MprisService(MediaPlayerEndpoint& player, const char* busName = kMediaPlayerBusName,
                          QObject* parent = nullptr);
    ~MprisService() override;

    /// Registers on the session bus; false (quietly) without one or when the name is taken.
    bool publish();

  private:
    void announce();
    [[nodiscard]] QDBusConnection bus() const;
    MediaPlayerEndpoint& m_player;
    QString m_busName;
    bool m_published = false;
};

} // namespace velmora
