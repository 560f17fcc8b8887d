#include "termination_watcher.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace velmora {

namespace {
int g_fds[2] = {-1, -1};

extern "C" void onTerminationSignal(int number) {
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(number);
    // Async-signal-safe: one write to a non-blocking socket; a full pipe already holds a
    // request, so a lost byte loses nothing.
    [[maybe_unused]] const auto written = ::write(g_fds[0], &byte, 1);
    errno = saved;
}
} // namespace

TerminationWatcher::TerminationWatcher(QObject* parent) : QObject(parent) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, g_fds) != 0) return;
    m_notifier = new QSocketNotifier(g_fds[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationWatcher::readPipe);
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(number, &action, nullptr);
}

TerminationWatcher::~TerminationWatcher() {
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    for (int number : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(number, &action, nullptr);
    delete m_notifier;
    m_notifier = nullptr;
    for (int& fd : g_fds)
        if (fd >= 0) {
            ::close(fd);
            fd = -1;
        }
}

void TerminationWatcher::readPipe() {
    unsigned char byte = 0;
    int last = 0;
    while (::read(g_fds[1], &byte, 1) == 1)
        last = byte;
    if (last != 0) emit terminationRequested(last);
}

} // namespace velmora
