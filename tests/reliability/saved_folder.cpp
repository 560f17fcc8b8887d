#include "reliability/saved_folder.h"

#include "support/temp_dir.h"

#include <algorithm>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace velmora::reliability {

namespace {
bool isSound(const fs::path& relative) {
    const auto top = relative.begin()->string();
    return top == "bin" || top == "my sounds";
}
bool isTemporary(const fs::path& p) {
    const auto name = p.filename().string();
    return name.size() > 1 && name[0] == '.' && name.find(".new-") != std::string::npos;
}
} // namespace

SavedFolder SavedFolder::read(const fs::path& folder) {
    SavedFolder out;
    for (const auto& e : fs::recursive_directory_iterator(folder)) {
        if (!e.is_regular_file()) continue;
        const auto relative = fs::relative(e.path(), folder);
        if (isSound(relative) || isTemporary(e.path())) continue;
        out.files[relative.string()] = testing::readBytes(e.path());
    }
    return out;
}

void SavedFolder::restore(const fs::path& folder) const {
    for (const auto& [name, _] : read(folder).files)
        if (!files.count(name)) fs::remove(folder / name);
    for (const auto& [name, bytes] : files)
        testing::writeBytes(folder / name, bytes);
}

std::vector<std::string> leftoverTemporaries(const fs::path& folder, bool remove) {
    std::vector<std::string> out;
    for (const auto& e : fs::recursive_directory_iterator(folder))
        if (e.is_regular_file() && isTemporary(e.path()))
            out.push_back(fs::relative(e.path(), folder).string());
    if (remove)
        for (const auto& name : out)
            fs::remove(folder / name);
    return out;
}

std::vector<std::string> mixedFiles(const SavedFolder& now,
                                    std::initializer_list<const SavedFolder*> allowed) {
    std::vector<std::string> out;
    for (const auto& [name, bytes] : now.files) {
        const bool known = std::any_of(allowed.begin(), allowed.end(), [&](const SavedFolder* s) {
            const auto f = s->files.find(name);
            return f != s->files.end() && f->second == bytes;
        });
        if (!known)
            out.push_back(name + (bytes.empty() ? " is empty"
                                                : " is none of the saves (" +
                                                      std::to_string(bytes.size()) + " bytes)"));
    }
    for (const auto& [name, _] : (*allowed.begin())->files)
        if (!now.files.count(name)) out.push_back(name + " is gone");
    return out;
}

void tellParent(int pipeFd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const auto n = ::write(pipeFd, text.data() + done, text.size() - done);
        if (n <= 0) return;
        done += static_cast<std::size_t>(n);
    }
}

ChildRun runInChild(const std::function<void(int)>& body,
                    const std::function<void(int)>& onFirstLine) {
    int fds[2];
    if (::pipe(fds) != 0) return {"pipe failed", -1};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        body(fds[1]);
        // No destructors, no atexit: the parent owns every shared resource.
        ::_exit(0);
    }
    ::close(fds[1]);
    ChildRun run;
    bool told = false;
    char buffer[4096];
    for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;) {
        run.output.append(buffer, static_cast<std::size_t>(n));
        if (!told && onFirstLine && run.output.find('\n') != std::string::npos) {
            told = true;
            onFirstLine(pid);
        }
    }
    ::close(fds[0]);
    ::waitpid(pid, &run.status, 0);
    return run;
}

} // namespace velmora::reliability
