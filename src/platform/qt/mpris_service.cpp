#include "mpris_service.h"

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QStringList>
#include <QVariantMap>

namespace velmora {

namespace {
const QString kObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kPlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");

QVariantMap metadataOf(const MediaPlayerEndpoint& p) {
    const std::string title = p.title();
    return {{QStringLiteral("mpris:trackid"),
             QVariant::fromValue(QDBusObjectPath("/org/velmora/soundscape"))},
            {QStringLiteral("xesam:title"),
             QString::fromStdString(title.empty() ? std::string("Soundscape") : title)}};
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
    QString identity() const { return QStringLiteral("Velmora"); }
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
    Q_PROPERTY(double Volume READ one)
    Q_PROPERTY(qlonglong Position READ position)
    Q_PROPERTY(QVariantMap Metadata READ metadata)
    Q_PROPERTY(bool CanGoNext READ canGoNext)
    Q_PROPERTY(bool CanGoPrevious READ canGoPrevious)
    Q_PROPERTY(bool CanPlay READ yes)
    Q_PROPERTY(bool CanPause READ yes)
    Q_PROPERTY(bool CanSeek READ no)
    Q_PROPERTY(bool CanControl READ yes)
  public:
    using MprisAdaptor::MprisAdaptor;
    QString playbackStatus() const {
        return m_player.isPlaying() ? QStringLiteral("Playing") : QStringLiteral("Paused");
    }
    double one() const { return 1.0; }
    qlonglong position() const { return 0; }
    QVariantMap metadata() const { return metadataOf(m_player); }
    bool canGoNext() const { return m_player.canGoNext(); }
    bool canGoPrevious() const { return m_player.canGoPrevious(); }
  public slots:
    void Next() { m_player.next(); }
    void Previous() { m_player.previous(); }
    void Pause() { m_player.pause(); }
    void PlayPause() { m_player.playPause(); }
    // A soundscape has no end to stop at; stopping is silencing it.
    void Stop() { m_player.pause(); }
    void Play() { m_player.play(); }
    void Seek(qlonglong) {}
    void SetPosition(const QDBusObjectPath&, qlonglong) {}
    void OpenUri(const QString&) {}
};

MprisService::MprisService(MediaPlayerEndpoint& player, QObject* parent)
    : QObject(parent), m_player(player) {
    new MprisRootAdaptor(this, player);
    new MprisPlayerAdaptor(this, player);
    m_player.changed = [this] { announce(); };
}

MprisService::~MprisService() {
    m_player.changed = nullptr;
    if (!m_published) return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.unregisterService(QString::fromUtf8(kMediaPlayerBusName));
    bus.unregisterObject(kObjectPath);
}

bool MprisService::publish() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return false;
    if (!bus.registerObject(kObjectPath, this, QDBusConnection::ExportAdaptors)) return false;
    if (!bus.registerService(QString::fromUtf8(kMediaPlayerBusName))) {
        bus.unregisterObject(kObjectPath);
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
    const QVariantMap changed{{QStringLiteral("PlaybackStatus"), m_player.isPlaying()
                                                                     ? QStringLiteral("Playing")
                                                                     : QStringLiteral("Paused")},
                              {QStringLiteral("Metadata"), metadataOf(m_player)},
                              {QStringLiteral("CanGoNext"), m_player.canGoNext()},
                              {QStringLiteral("CanGoPrevious"), m_player.canGoPrevious()}};
    signal << kPlayerInterface << changed << QStringList();
    QDBusConnection::sessionBus().send(signal);
}

} // namespace velmora

#include "mpris_service.moc"
