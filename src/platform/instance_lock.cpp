#include "instance_lock.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace velmora {

std::string instanceName(const std::filesystem::path& settingsFolder) {
    std::string folder = std::filesystem::absolute(settingsFolder).lexically_normal().string();
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    // FNV-1a: the same on every build, so an installed copy and a built one meet.
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : folder) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ULL;
    }
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    return std::string("instance-") + hex;
}

std::filesystem::path privateRuntimeFolder(std::string& why) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::filesystem::path folder =
        runtime && *runtime
            ? std::filesystem::path(runtime) / "velmora"
            : std::filesystem::path("/tmp") / ("velmora-" + std::to_string(getuid()));
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        why = "cannot make " + folder.string() + ": " + std::strerror(errno);
        return {};
    }
    struct stat st {};
    // lstat: a symbolic link planted in /tmp must not lead our socket elsewhere.
    if (::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != getuid()) {
        why = folder.string() + " is not a folder of this user";
        return {};
    }
    if ((st.st_mode & 077) != 0 && ::chmod(folder.c_str(), 0700) != 0) {
        why = "cannot make " + folder.string() + " private: " + std::strerror(errno);
        return {};
    }
    return folder;
}

InstanceLock::~InstanceLock() {
    if (m_fd >= 0) ::close(m_fd);
}

InstanceLock::InstanceLock(InstanceLock&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}

InstanceLock& InstanceLock::operator=(InstanceLock&& other) noexcept {
    if (this != &other) {
        if (m_fd >= 0) ::close(m_fd);
        m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
}

InstanceLock::Result InstanceLock::acquire(const std::filesystem::path& file) {
    if (m_fd >= 0) return Result::Acquired;
    const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return Result::Failed;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool busy = errno == EWOULDBLOCK;
        ::close(fd);
        return busy ? Result::HeldElsewhere : Result::Failed;
    }
    m_fd = fd;
    return Result::Acquired;
}

} // namespace velmora
