// The MP3 player on a private session bus (run under dbus-run-session), beside the
// soundscape's own player: media keys play and pause it, and the desktop reads the track's
// title and length, its position after a seek, and the MP3 level as the volume.
#include "audio/audio_test_support.h"
#include "core/offline_services.h"
#include "music/mp3_media_endpoint.h"
#include "platform/qt/mpris_service.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>

#include <gtest/gtest.h>

namespace velmora::music {
namespace {

constexpr const char* kPlayer = "org.mpris.MediaPlayer2.Player";

struct Client {
    QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "client");
    ~Client() { QDBusConnection::disconnectFromBus("client"); }

    QDBusMessage call(const char* method, const QVariantList& args = {},
                      const char* interface = kPlayer) {
        QDBusMessage m = QDBusMessage::createMethodCall(
            kMusicPlayerBusName, "/org/mpris/MediaPlayer2", interface, method);
        m.setArguments(args);
        return bus.call(m, QDBus::BlockWithGui, 5000);
    }
    QVariant property(const char* name) {
        const QDBusMessage reply =
            call("Get", {QString(kPlayer), QString(name)}, "org.freedesktop.DBus.Properties");
        if (reply.arguments().isEmpty()) return {};
        return reply.arguments().at(0).value<QDBusVariant>().variant();
    }
};

TEST(MusicPlayerBus, PlayPauseMetadataSeekAndVolume) {
    ASSERT_TRUE(QDBusConnection::sessionBus().isConnected()) << "run under dbus-run-session";
    audio::test::TempFolder media;
    OfflineServices off{media.path("")};
    Mp3Player player(off.services);
    int raised = 0;
    Mp3MediaEndpoint endpoint(player, off.levels, [&] { ++raised; });
    MprisService service(endpoint, kMusicPlayerBusName);
    ASSERT_TRUE(service.publish());
    // The soundscape's player is on the bus at the same time, under its own name.
    Mp3MediaEndpoint other(player, off.levels, [] {});
    MprisService soundscape(other);
    ASSERT_TRUE(soundscape.publish());

    ASSERT_TRUE(audio::test::writeTone(media.path("song.flac"), audio::test::FileKind::Flac, 44100,
                                       2, 440, 12.0));
    off.dialogs.files.push_back(media.path("song.flac"));
    player.addFile();
    Client client;
    EXPECT_EQ(client.property("PlaybackStatus").toString(), "Stopped");

    client.call("PlayPause");
    EXPECT_TRUE(player.playing());
    EXPECT_EQ(client.property("PlaybackStatus").toString(), "Playing");
    const auto metadata = qdbus_cast<QVariantMap>(client.property("Metadata"));
    EXPECT_EQ(metadata.value("xesam:title").toString(), "song.flac");
    EXPECT_NEAR(metadata.value("mpris:length").toLongLong(), 12'000'000, 20'000);

    client.call("SetPosition", {QVariant::fromValue(QDBusObjectPath("/org/velmora/track/0")),
                                qlonglong(5'000'000)});
    EXPECT_NEAR(client.property("Position").toLongLong(), 5'000'000, 1000);
    client.call("Seek", {qlonglong(2'000'000)});
    EXPECT_NEAR(player.position(), 7.0, 0.01);

    client.call("PlayPause");
    EXPECT_EQ(client.property("PlaybackStatus").toString(), "Paused");

    off.levels.set(Level::Mp3, 1000);
    EXPECT_DOUBLE_EQ(client.property("Volume").toDouble(), 0.2);
    QDBusMessage set = QDBusMessage::createMethodCall(
        kMusicPlayerBusName, "/org/mpris/MediaPlayer2", "org.freedesktop.DBus.Properties", "Set");
    set << QString(kPlayer) << QString("Volume") << QVariant::fromValue(QDBusVariant(0.5));
    client.bus.call(set, QDBus::BlockWithGui, 5000);
    EXPECT_EQ(off.levels.value(Level::Mp3), 2500);

    client.call("Raise", {}, "org.mpris.MediaPlayer2");
    EXPECT_EQ(raised, 1);
    client.call("Stop");
    EXPECT_EQ(client.property("PlaybackStatus").toString(), "Stopped");
}

} // namespace
} // namespace velmora::music
