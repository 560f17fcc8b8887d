// The media player on a private session bus (the test runs under dbus-run-session): another
// client's calls reach the player, its properties read back, and a change is announced.
#include "platform/qt/mpris_service.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusVariant>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

namespace velmora {
namespace {

struct FakePlayer final : MediaPlayerEndpoint {
    bool playing = true;
    std::string name = "Summer rain";
    std::vector<std::string> calls;
    void playPause() override { setPlaying(!playing, "playPause"); }
    void play() override { setPlaying(true, "play"); }
    void pause() override { setPlaying(false, "pause"); }
    void next() override { calls.push_back("next"); }
    void previous() override { calls.push_back("previous"); }
    void raise() override { calls.push_back("raise"); }
    void quit() override { calls.push_back("quit"); }
    bool isPlaying() const override { return playing; }
    bool canGoNext() const override { return false; }
    bool canGoPrevious() const override { return false; }
    std::string title() const override { return name; }
    void setPlaying(bool on, const char* call) {
        calls.push_back(call);
        playing = on;
        if (changed) changed();
    }
};

/// A second connection, as a media-key daemon would have.
struct Client {
    QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "client");
    ~Client() { QDBusConnection::disconnectFromBus("client"); }

    void call(const char* interface, const char* method) {
        QDBusMessage m = QDBusMessage::createMethodCall(
            kMediaPlayerBusName, "/org/mpris/MediaPlayer2", interface, method);
        const QDBusMessage reply = bus.call(m, QDBus::BlockWithGui, 5000);
        EXPECT_NE(reply.type(), QDBusMessage::ErrorMessage)
            << method << ": " << reply.errorMessage().toStdString();
    }
    QVariant property(const char* interface, const char* name) {
        QDBusMessage m =
            QDBusMessage::createMethodCall(kMediaPlayerBusName, "/org/mpris/MediaPlayer2",
                                           "org.freedesktop.DBus.Properties", "Get");
        m << QString(interface) << QString(name);
        const QDBusMessage reply = bus.call(m, QDBus::BlockWithGui, 5000);
        if (reply.arguments().isEmpty()) return {};
        return reply.arguments().at(0).value<QDBusVariant>().variant();
    }
};

constexpr const char* kRoot = "org.mpris.MediaPlayer2";
constexpr const char* kPlayer = "org.mpris.MediaPlayer2.Player";

TEST(MediaPlayerBus, CallsReachThePlayerAndPropertiesReadBack) {
    ASSERT_TRUE(QDBusConnection::sessionBus().isConnected()) << "run under dbus-run-session";
    FakePlayer player;
    MprisService service(player);
    ASSERT_TRUE(service.publish());
    Client client;

    EXPECT_EQ(client.property(kPlayer, "PlaybackStatus").toString(), "Playing");
    EXPECT_TRUE(client.property(kRoot, "CanQuit").toBool());
    EXPECT_FALSE(client.property(kPlayer, "CanGoNext").toBool());
    const auto metadata = qdbus_cast<QVariantMap>(client.property(kPlayer, "Metadata"));
    EXPECT_EQ(metadata.value("xesam:title").toString(), "Summer rain");

    client.call(kPlayer, "PlayPause");
    EXPECT_EQ(client.property(kPlayer, "PlaybackStatus").toString(), "Paused");
    client.call(kPlayer, "Play");
    client.call(kPlayer, "Pause");
    client.call(kPlayer, "Stop");
    client.call(kPlayer, "Next");
    client.call(kRoot, "Raise");
    client.call(kRoot, "Quit");
    EXPECT_EQ(player.calls, (std::vector<std::string>{"playPause", "play", "pause", "pause", "next",
                                                      "raise", "quit"}));
}

TEST(MediaPlayerBus, MuteIsAnnounced) {
    FakePlayer player;
    MprisService service(player);
    ASSERT_TRUE(service.publish());
    Client client;
    QEventLoop loop;
    const bool hooked = client.bus.connect(kMediaPlayerBusName, "/org/mpris/MediaPlayer2",
                                           "org.freedesktop.DBus.Properties", "PropertiesChanged",
                                           &loop, SLOT(quit()));
    ASSERT_TRUE(hooked);
    QTimer::singleShot(0, [&player] { player.pause(); });
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    QElapsedTimer waited;
    waited.start();
    loop.exec();
    EXPECT_LT(waited.elapsed(), 4000) << "no PropertiesChanged arrived";
    EXPECT_EQ(client.property(kPlayer, "PlaybackStatus").toString(), "Paused");
    EXPECT_EQ(player.calls, (std::vector<std::string>{"pause"}));
}

} // namespace
} // namespace velmora
