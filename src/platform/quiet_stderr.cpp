#include "quiet_stderr.h"

#include <atomic>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace velmora {

namespace {
std::atomic<bool> g_shown{false};
// A probe inside a probe must not catch the outer one's file.
int g_depth = 0;
} // namespace

void setLibraryOutputShown(bool shown) {
    g_shown = shown;
}

QuietStderr::QuietStderr() {
    if (g_depth++ > 0) return;
    std::fflush(stderr);
    char name[] = "/tmp/velmora-stderr-XXXXXX";
    m_file = ::mkostemp(name, O_CLOEXEC);
    if (m_file < 0) return;
    ::unlink(name);
    m_saved = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3);
    if (m_saved < 0 || ::dup2(m_file, STDERR_FILENO) < 0) {
        if (m_saved >= 0) ::close(m_saved);
        m_saved = -1;
    }
}

QuietStderr::~QuietStderr() {
    --g_depth;
    if (m_saved >= 0) {
        std::fflush(stderr);
        ::dup2(m_saved, STDERR_FILENO);
        ::close(m_saved);
        if (g_shown && ::lseek(m_file, 0, SEEK_SET) == 0) {
            char buffer[4096];
            for (ssize_t n; (n = ::read(m_file, buffer, sizeof buffer)) > 0;)
                if (::write(STDERR_FILENO, buffer, static_cast<std::size_t>(n)) != n) break;
        }
    }
    if (m_file >= 0) ::close(m_file);
}

} // namespace velmora
