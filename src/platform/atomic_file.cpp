#include "atomic_file.h"

#include <fstream>
#include <random>
#include <string>

#include <cerrno>
#include <csignal>
#include <cstdlib>

#include <fcntl.h>
#include <unistd.h>

namespace velmora {
namespace fs = std::filesystem;

namespace {

std::string temporaryPrefix(const fs::path& path) {
    return "." + path.filename().string() + ".new-";
}

/// A writer killed between creating its temporary file and renaming it leaves the file
/// behind. The writer's process id is in the name, so a later writer of the same file can
/// tell a leftover (its process is gone) from a write in progress and clear it away.
void removeLeftoverTemporaries(const fs::path& dir, const std::string& prefix) {
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const auto name = it->path().filename().string();
        if (name.rfind(prefix, 0) != 0) continue;
        char* rest = nullptr;
        const long pid = std::strtol(name.c_str() + prefix.size(), &rest, 10);
        if (pid <= 0 || *rest != '-' || pid == ::getpid()) continue;
        if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) ::unlink(it->path().c_str());
    }
}

} // namespace

FileResult replaceFileAtomically(const fs::path& path, std::string_view bytes,
                                 Durability durability) {
    const fs::path dir = path.has_parent_path() ? path.parent_path() : fs::path(".");
    const std::string prefix = temporaryPrefix(path);
    removeLeftoverTemporaries(dir, prefix);
    std::random_device rd;
    const fs::path tmp = dir / (prefix + std::to_string(::getpid()) + "-" + std::to_string(rd()));
    const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) return FileResult::failure(FileError::Unwritable);
    std::size_t done = 0;
    bool ok = true;
    while (done < bytes.size()) {
        const auto w = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (w <= 0) {
            ok = false;
            break;
        }
        done += static_cast<std::size_t>(w);
    }
    const bool flush = durability == Durability::PowerCut;
    if (ok && flush && ::fsync(fd) != 0) ok = false;
    if (::close(fd) != 0) ok = false;
    if (!ok) {
        ::unlink(tmp.c_str());
        return FileResult::failure(FileError::Unwritable);
    }
    if (::rename(tmp.c_str(), path.c_str()) != 0) {
        ::unlink(tmp.c_str());
        return FileResult::failure(FileError::NotReplaced);
    }
    if (!flush) return {};
    // The rename itself must reach the disk too, or a power cut may bring the old name back
    // pointing at nothing.
    const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return {};
}

FileResult readWholeFile(const fs::path& path, std::string& out, std::uintmax_t maxBytes) {
    out.clear();
    std::error_code ec;
    const auto status = fs::status(path, ec);
    if (ec || !fs::exists(status)) return FileResult::failure(FileError::Missing);
    if (!fs::is_regular_file(status)) return FileResult::failure(FileError::Unreadable);
    const auto size = fs::file_size(path, ec);
    if (ec) return FileResult::failure(FileError::Unreadable);
    if (size > maxBytes) return FileResult::failure(FileError::TooLarge);
    std::ifstream in(path, std::ios::binary);
    if (!in) return FileResult::failure(FileError::Unreadable);
    out.assign(static_cast<std::size_t>(size), '\0');
    in.read(out.data(), static_cast<std::streamsize>(size));
    if (in.bad()) {
        out.clear();
        return FileResult::failure(FileError::Unreadable);
    }
    out.resize(static_cast<std::size_t>(in.gcount()));
    return {};
}

} // namespace velmora
