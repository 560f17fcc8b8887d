#include "linux_shell.h"

#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace velmora {
namespace {

bool isExecutableFile(const std::string& p) {
    struct stat st {};
    return ::stat(p.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(p.c_str(), X_OK) == 0;
}

// Double fork, so the started program is not our child (no zombie, survives our exit) and
// sits in its own session. A close-on-exec pipe tells us whether execv really happened.
bool spawnDetached(const std::string& program, const std::vector<std::string>& args) {
    std::vector<std::string> all;
    all.push_back(program);
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : all)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return false;
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        return false;
    }
    if (child == 0) {
        // Only async-signal-safe calls from here: the parent has other threads.
        ::close(fds[0]);
        ::setsid();
        const pid_t grandchild = ::fork();
        if (grandchild < 0) {
            const int e = errno;
            (void)!::write(fds[1], &e, sizeof e);
            ::_exit(1);
        }
        if (grandchild == 0) {
            const int devnull = ::open("/dev/null", O_RDWR);
            if (devnull >= 0) {
                ::dup2(devnull, 0);
                ::dup2(devnull, 1);
                ::dup2(devnull, 2);
            }
            ::execv(argv[0], argv.data());
            const int e = errno;
            (void)!::write(fds[1], &e, sizeof e);
            ::_exit(127);
        }
        ::_exit(0);
    }
    ::close(fds[1]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int execErrno = 0;
    ssize_t n;
    while ((n = ::read(fds[0], &execErrno, sizeof execErrno)) < 0 && errno == EINTR) {
    }
    ::close(fds[0]);
    return n == 0; // nothing written: the pipe closed on a successful exec
}

bool runTool(const std::string& tool, const std::vector<std::string>& args) {
    const std::string path = findExecutable(tool);
    return !path.empty() && spawnDetached(path, args);
}

} // namespace

std::string findExecutable(const std::string& name) {
    if (name.empty()) return {};
    if (name.find('/') != std::string::npos) return isExecutableFile(name) ? name : std::string{};
    const char* env = std::getenv("PATH");
    const std::string path = env && *env ? env : "/usr/local/bin:/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find(':', start);
        if (end == std::string::npos) end = path.size();
        const std::string dir = end > start ? path.substr(start, end - start) : ".";
        const std::string candidate = dir + "/" + name;
        if (isExecutableFile(candidate)) return candidate;
        start = end + 1;
    }
    return {};
}

bool LinuxShell::startProgram(const std::string& path, const std::vector<std::string>& args) {
    if (!isExecutableFile(path)) return false;
    return spawnDetached(path, args);
}

bool LinuxShell::openUrl(const std::string& url) {
    if (url.empty()) return false;
    return runTool("xdg-open", {url});
}

bool LinuxShell::openFolder(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
    return runTool("xdg-open", {path});
}

bool LinuxShell::shutdownComputer() {
    return runTool("systemctl", {"poweroff"});
}

} // namespace velmora
