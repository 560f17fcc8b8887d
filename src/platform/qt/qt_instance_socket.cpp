#include "qt_instance_socket.h"

#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QThread>

#include <memory>

#include <sys/socket.h>
#include <unistd.h>

namespace velmora {

namespace {
/// The user id of the process at the other end, or -1 when the system will not say.
long peerUid(QLocalSocket* socket) {
    ucred cred{};
    socklen_t size = sizeof cred;
    const auto fd = static_cast<int>(socket->socketDescriptor());
    if (fd < 0 || ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &cred, &size) != 0) return -1;
    return static_cast<long>(cred.uid);
}
} // namespace

QtInstanceServer::QtInstanceServer(InstanceEndpoint& endpoint, QObject* parent)
    : QObject(parent), m_endpoint(endpoint) {}

QtInstanceServer::~QtInstanceServer() = default;

bool QtInstanceServer::listen(const std::string& path, std::string& why) {
    const QString name = QString::fromStdString(path);
    QLocalServer::removeServer(name);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(name)) {
        why = m_server->errorString().toStdString();
        return false;
    }
    connect(m_server, &QLocalServer::newConnection, this, &QtInstanceServer::accept);
    return true;
}

void QtInstanceServer::accept() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (peerUid(socket) != static_cast<long>(getuid())) {
            m_endpoint.refused("a connection from another user");
            socket->abort();
            socket->deleteLater();
            continue;
        }
        // The line lives as long as the connection that reads into it.
        auto request = std::make_shared<RequestLine>();
        connect(socket, &QLocalSocket::readyRead, this,
                [this, socket, request] { readFrom(socket, *request); });
        if (socket->bytesAvailable() > 0) readFrom(socket, *request);
    }
}

void QtInstanceServer::readFrom(QLocalSocket* socket, RequestLine& request) {
    const QByteArray bytes = socket->readAll();
    if (request.state() != RequestLine::State::Incomplete) return;
    switch (request.append(std::string_view(bytes.constData(), bytes.size()))) {
    case RequestLine::State::Incomplete:
        return;
    case RequestLine::State::TooLong:
        m_endpoint.refused("a message too long to be a command");
        socket->abort();
        return;
    case RequestLine::State::Complete:
        break;
    }
    QPointer<QLocalSocket> peer(socket);
    m_endpoint.received(request.line(), [peer](const std::string& reply) {
        if (!peer || peer->state() != QLocalSocket::ConnectedState) return;
        peer->write(QByteArray::fromStdString(reply + "\n"));
        peer->flush();
        // The reply must leave before a quit it announces ends the process.
        peer->waitForBytesWritten(1000);
        peer->disconnectFromServer();
    });
}

std::optional<std::string> sendToRunningInstance(const std::string& path, const std::string& line,
                                                 std::chrono::milliseconds timeout) {
    QElapsedTimer clock;
    clock.start();
    const auto left = [&] { return std::max<qint64>(0, timeout.count() - clock.elapsed()); };
    QLocalSocket socket;
    for (;;) {
        socket.connectToServer(QString::fromStdString(path));
        if (socket.waitForConnected(static_cast<int>(std::min<qint64>(left(), 500)))) break;
        socket.abort();
        if (left() == 0) return std::nullopt;
        QThread::msleep(50);
    }
    socket.write(QByteArray::fromStdString(line + "\n"));
    if (!socket.waitForBytesWritten(static_cast<int>(left()))) return std::nullopt;
    QByteArray reply;
    while (!reply.contains('\n') && reply.size() <= qsizetype(kMaxInstanceMessageBytes)) {
        if (!socket.waitForReadyRead(static_cast<int>(left()))) {
            reply += socket.readAll();
            break;
        }
        reply += socket.readAll();
    }
    const auto end = reply.indexOf('\n');
    if (end < 0) return std::nullopt;
    return reply.left(end).toStdString();
}

} // namespace velmora
