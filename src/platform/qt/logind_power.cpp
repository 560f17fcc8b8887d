#include "logind_power.h"

#include "platform/linux_shell.h"

#include <QDBusConnection>
#include <QDBusMessage>

namespace velmora {

namespace {
bool askLogind(const char* method) {
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) return false;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QString::fromLatin1(method));
    call << false; // not interactive: no authentication prompt
    const QDBusMessage reply = bus.call(call, QDBus::Block, 5000);
    return reply.type() == QDBusMessage::ReplyMessage;
}
} // namespace

bool LogindPower::powerOff() {
    return askLogind("PowerOff") || m_shell.shutdownComputer();
}

bool LogindPower::suspend() {
    return askLogind("Suspend") || m_shell.startProgram(findExecutable("systemctl"), {"suspend"});
}

} // namespace velmora
