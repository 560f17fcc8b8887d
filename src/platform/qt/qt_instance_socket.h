#pragma once
// The instance socket on Qt's local sockets: the running instance listens on a socket file
// in its private runtime folder; a second start connects, sends one line and waits for one
// line back. Only peers of this user are heard.
//
// Thread: UI thread (the server lives on its event loop; the client call blocks).

#include "platform/instance_channel.h"

#include <QObject>

#include <chrono>
#include <optional>
#include <string>

class QLocalServer;
class QLocalSocket;

namespace velmora {

class QtInstanceServer : public QObject {
    Q_OBJECT
  public:
    explicit QtInstanceServer(InstanceEndpoint& endpoint, QObject* parent = nullptr);
    ~QtInstanceServer() override;

    /// Listens on path. Call only while holding the instance lock: a socket file already
    /// there is then left from a run that ended without removing it, and is replaced.
    bool listen(const std::string& path, std::string& why);

  private:
    void accept();
    void readFrom(QLocalSocket* socket, RequestLine& request);
    InstanceEndpoint& m_endpoint;
    QLocalServer* m_server = nullptr;
};

/// Sends line to the instance listening on path and returns its reply line; empty when no
/// instance answered within timeout (tries to connect until then: the instance holding the
/// lock may still be on its way to listening).
[[nodiscard]] std::optional<std::string> sendToRunningInstance(const std::string& path,
                                                               const std::string& line,
                                                               std::chrono::milliseconds timeout);

} // namespace velmora
