#include "program_folder.h"

#include "ascii_case.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <unistd.h>

namespace velmora {
namespace fs = std::filesystem;

namespace {
fs::path userDataHome() {
    if (const char* x = std::getenv("XDG_DATA_HOME"); x && *x) return fs::path(x);
    if (const char* h = std::getenv("HOME"); h && *h) return fs::path(h) / ".local" / "share";
    return fs::temp_directory_path();
}
// The per-user copy links to the installed files instead of copying them: the factory
// library is well over 100 MB and never changes. Every save replaces its file by renaming a
// new one over it, which replaces the link and never writes through it, so the installed
// tree stays untouched; and a package update reaches every file the user has not changed.
void linkFile(const fs::path& installed, const fs::path& target) {
    std::error_code ec;
    if (fs::exists(fs::symlink_status(target, ec))) return; // the user's own, or linked before
    fs::create_symlink(installed, target, ec);
}

void linkTree(const fs::path& installed, const fs::path& target) {
    std::error_code ec;
    fs::create_directories(target, ec);
    for (const auto& entry : fs::directory_iterator(installed, ec)) {
        std::error_code one;
        const auto to = target / entry.path().filename();
        if (entry.is_directory(one))
            linkTree(entry.path(), to);
        else if (entry.is_regular_file(one))
            linkFile(entry.path(), to);
    }
}
} // namespace

fs::path resolveCaseInsensitive(const fs::path& base, std::string_view relative) {
    fs::path current = base;
    std::size_t i = 0;
    while (i <= relative.size()) {
        std::size_t j = relative.find_first_of("\\/", i);
        if (j == std::string_view::npos) j = relative.size();
        const std::string part(relative.substr(i, j - i));
        i = j + 1;
        if (part.empty() || part == ".") continue;
        fs::path exact = current / part;
        std::error_code ec;
        if (!fs::exists(exact, ec) && fs::is_directory(current, ec)) {
            for (const auto& entry : fs::directory_iterator(current, ec)) {
                if (equalsIgnoringCase(entry.path().filename().string(), part)) {
                    exact = entry.path();
                    break;
                }
            }
        }
        current = exact;
    }
    return current;
}

fs::path ProgramFolder::resolve(std::string_view stored) const {
    return resolveCaseInsensitive(m_root, stored);
}

fs::path ProgramFolder::resolveProgram(std::string_view stored) const {
    return resolveCaseInsensitive(m_programs, stored);
}

std::string ProgramFolder::relativeForm(const fs::path& p) const {
    std::error_code ec;
    const fs::path root = fs::weakly_canonical(m_root, ec);
    const fs::path full = fs::weakly_canonical(p, ec);
    auto r = full.lexically_relative(root);
    if (r.empty() || r.native().starts_with("..")) return {};
    std::string out;
    for (const auto& part : r)
        out += "\\" + part.string();
    return out;
}

bool isSystemInstallation(const fs::path& folder) {
    // Root can write anywhere; a package's files must still never change under it.
    const auto text = folder.lexically_normal().string();
    return text.starts_with("/usr/");
}

ProgramFolder ProgramFolder::forExecutable(const fs::path& exePath) {
    std::error_code ec;
    fs::path exe = fs::weakly_canonical(fs::absolute(exePath, ec), ec);
    if (exe.empty()) exe = exePath;
    const fs::path dir = exe.parent_path();
    return choose(exe, userDataHome(),
                  ::access(dir.c_str(), W_OK) == 0 && !isSystemInstallation(dir));
}

ProgramFolder ProgramFolder::choose(const fs::path& exePath, const fs::path& dataHome,
                                    bool executableFolderWritable) {
    const fs::path dir = exePath.parent_path().empty() ? fs::path(".") : exePath.parent_path();
    if (executableFolderWritable) return ProgramFolder(dir);
    const fs::path user = dataHome / "velmora";
    std::error_code ec;
    fs::create_directories(user, ec);
    if (!fs::is_directory(user, ec)) return ProgramFolder(dir);
    // Seed (or top up) the per-user copy from the installed tree. Executables stay where
    // they are: the copy holds data, and the program file is found beside itself.
    for (const auto& entry : fs::directory_iterator(dir, ec)) {
        std::error_code one;
        if (entry.is_directory(one)) {
            linkTree(entry.path(), user / entry.path().filename());
        } else if (entry.is_regular_file(one) && entry.path() != exePath &&
                   (fs::status(entry.path(), one).permissions() & fs::perms::owner_exec) ==
                       fs::perms::none) {
            linkFile(entry.path(), user / entry.path().filename());
        }
    }
    return ProgramFolder(user, dir);
}

} // namespace velmora
