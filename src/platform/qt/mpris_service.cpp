#include "mpris_service.h"

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QStringList>
#include <QVariantMap>

#include <algorithm>

namespace velmora {

namespace {
const QString kObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kPlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");

QVariantMap metadataOf(const MediaPlayerEndpoint& p) {
    const std::string title = p.title();
    QVariantMap map{{QStringLiteral("mpris:trackid"),
                     QVariant::fromValue(QDBusObjectPath(QString::fromStdString(p.trackId())))},
                    {QStringLiteral("xesam:title"),
                     QString::fromStdString(title.empty() ? std::string("Soundscape") : title)}};
    if (const std::int64_t length = p.lengthMicros(); length > 0)
        map.insert(QStringLiteral("mpris:length"), QVariant::fromValue(qlonglong(length)));
    return map;
}

QString statusOf(const MediaPlayerEndpoint& p) {
    if (p.isStopped()) return QStringLiteral("Stopped");
    return p.isPlaying() ? QStringLiteral("Playing") : QStringLiteral("Paused");
}
} // namespace

/// What both interfaces share: the player they speak for and their constant answers.
class MprisAdaptor : public QDBusAbstractAdaptor {
  public:
    MprisAdaptor(QObject* parent, MediaPlayerEndpoint& player)
        : QDBusAbstractAdaptor(parent), m_player(player) {}
    bool yes() const { return true; }
    bool no() const { return false; }

  protected:
    MediaPlayerEndpoint& m_player;
};

class MprisRootAdaptor : public MprisAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
    Q_PROPERTY(bool CanQuit READ yes)
    Q_PROPERTY(bool CanRaise READ yes)
    Q_PROPERTY(bool HasTrackList READ no)
    Q_PROPERTY(QString Identity READ identity)
    Q_PROPERTY(QString DesktopEntry READ desktopEntry)
    Q_PROPERTY(QStringList SupportedUriSchemes READ none)
    Q_PROPERTY(QStringList SupportedMimeTypes READ none)
  public:
    using MprisAdaptor::MprisAdaptor;
    QString identity() const { return QString::fromStdString(m_player.identity()); }
    QString desktopEntry() const { return QStringLiteral("velmora"); }
    QStringList none() const { return {}; }
  public slots:
    void Raise() { m_player.raise(); }
    void Quit() { m_player.quit(); }
};

class MprisPlayerAdaptor : public MprisAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
    Q_PROPERTY(QString PlaybackStatus READ playbackStatus)
    Q_PROPERTY(double Rate READ one)
    Q_PROPERTY(double MinimumRate READ one)
    Q_PROPERTY(double MaximumRate READ one)
    Q_PROPERTY(double Volume READ volume WRITE setVolume)
    Q_PROPERTY(qlonglong Position READ position)
    Q_PROPERTY(QVariantMap Metadata READ metadata)
    Q_PROPERTY(bool CanGoNext READ canGoNext)
    Q_PROPERTY(bool CanGoPrevious READ canGoPrevious)
    Q_PROPERTY(bool CanPlay READ yes)
    Q_PROPERTY(bool CanPause READ yes)
    Q_PROPERTY(bool CanSeek READ canSeek)
    Q_PROPERTY(bool CanControl READ yes)
  public:
    using MprisAdaptor::MprisAdaptor;
    QString playbackStatus() const { return statusOf(m_player); }
    double one() const { return 1.0; }
    double volume() const { return m_player.volume(); }
    void setVolume(double v) { m_player.setVolume(std::clamp(v, 0.0, 1.0)); }
    qlonglong position() const { return m_player.positionMicros(); }
    bool canSeek() const { return m_player.canSeek(); }
    QVariantMap metadata() const { return metadataOf(m_player); }
    bool canGoNext() const { return m_player.canGoNext(); }
    bool canGoPrevious() const { return m_player.canGoPrevious(); }
  public slots:
    void Next() { m_player.next(); }
    void Previous() { m_player.previous(); }
    void Pause() { m_player.pause(); }
    void PlayPause() { m_player.playPause(); }
    void Stop() { m_player.stop(); }
    void Play() { m_player.play(); }
    void Seek(qlonglong offset) {
        if (m_player.canSeek())
            m_player.seekTo(std::max<qlonglong>(0, m_player.positionMicros() + offset));
    }
    void SetPosition(const QDBusObjectPath& track, qlonglong micros) {
        // A position meant for a track that is no longer playing is ignored.
        if (m_player.canSeek() && track.path().toStdString() == m_player.trackId() && micros >= 0 &&
            micros <= m_player.lengthMicros())
            m_player.seekTo(micros);
    }
    void OpenUri(const QString&) {}
};

MprisService::MprisService(MediaPlayerEndpoint& player, const char* busName, QObject* parent)
    : QObject(parent), m_player(player), m_busName(QString::fromUtf8(busName)) {
    new MprisRootAdaptor(this, player);
    new MprisPlayerAdaptor(this, player);
    m_player.changed = [this] { announce(); };
}

MprisService::~MprisService() {
    m_player.changed = nullptr;
    if (!m_published) return;
    QDBusConnection connection = bus();
    connection.unregisterService(m_busName);
    connection.unregisterObject(kObjectPath);
    if (m_busName != QString::fromUtf8(kMediaPlayerBusName))
        QDBusConnection::disconnectFromBus(m_busName);
}

QDBusConnection MprisService::bus() const {
    if (m_busName == QString::fromUtf8(kMediaPlayerBusName)) return QDBusConnection::sessionBus();
    return QDBusConnection::connectToBus(QDBusConnection::SessionBus, m_busName);
}

bool MprisService::publish() {
    QDBusConnection connection = bus();
    if (!connection.isConnected()) return false;
    if (!connection.registerObject(kObjectPath, this, QDBusConnection::ExportAdaptors))
        return false;
    if (!connection.registerService(m_busName)) {
        connection.unregisterObject(kObjectPath);
        return false;
    }
    m_published = true;
    return true;
}

void MprisService::announce() {
    if (!m_published) return;
    QDBusMessage signal =
        QDBusMessage::createSignal(kObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                   QStringLiteral("PropertiesChanged"));
    const QVariantMap changed{{QStringLiteral("PlaybackStatus"), statusOf(m_player)},
                              {QStringLiteral("Metadata"), metadataOf(m_player)},
                              {QStringLiteral("Volume"), m_player.volume()},
                              {QStringLiteral("CanGoNext"), m_player.canGoNext()},
                              {QStringLiteral("CanGoPrevious"), m_player.canGoPrevious()}};
    signal << kPlayerInterface << changed << QStringList();
    bus().send(signal);
}

} // namespace velmora

#include "mpris_service.moc"
