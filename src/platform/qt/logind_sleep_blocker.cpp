#include "logind_sleep_blocker.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusUnixFileDescriptor>

#include <fcntl.h>
#include <unistd.h>

namespace velmora {

LogindSleepBlocker::~LogindSleepBlocker() {
    release();
}

bool LogindSleepBlocker::hold(const std::string& why) {
    if (m_fd >= 0) return true;
    if (m_unavailable) return false;
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        m_unavailable = true;
        return false;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("Inhibit"));
    call << QStringLiteral("sleep") << QStringLiteral("Velmora") << QString::fromStdString(why)
         << QStringLiteral("block");
    const QDBusReply<QDBusUnixFileDescriptor> reply = bus.call(call, QDBus::Block, 2000);
    if (!reply.isValid() || !reply.value().isValid()) {
        m_unavailable = true;
        return false;
    }
    // The reply's descriptor closes with it; the lock must outlive the reply.
    m_fd = ::fcntl(reply.value().fileDescriptor(), F_DUPFD_CLOEXEC, 3);
    return m_fd >= 0;
}

void LogindSleepBlocker::release() {
    if (m_fd < 0) return;
    ::close(m_fd);
    m_fd = -1;
}

} // namespace velmora
