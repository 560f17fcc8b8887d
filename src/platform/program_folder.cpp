#include "program_folder.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <unistd.h>

namespace velmora {
namespace fs = std::filesystem;

namespace {
bool sameIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

fs::path userDataHome() {
    if (const char* x = std::getenv("XDG_DATA_HOME"); x && *x) return fs::path(x);
    if (const char* h = std::getenv("HOME"); h && *h) return fs::path(h) / ".local" / "share";
    return fs::temp_directory_path();
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
                if (sameIgnoringCase(entry.path().filename().string(), part)) {
                    exact = entry.path();
                    break;
                }
            }
        }
        current = exact;
    }
    return current;
}

fs::path ProgramFolder::resolve(std::string_view documented) const {
    return resolveCaseInsensitive(m_root, documented);
}

std::string ProgramFolder::relativeForm(const fs::path& p) const {
    std::error_code ec;
    const fs::path root = fs::weakly_canonical(m_root, ec);
    const fs::path full = fs::weakly_canonical(p, ec);
    auto r = full.lexically_relative(root);
    if (r.empty() || r.native().starts_with("..")) return {};
    std::string out;
    for (const auto& part : r) out += "\\" + part.string();
    return out;
}

ProgramFolder ProgramFolder::forExecutable(const fs::path& exePath) {
    const fs::path dir = exePath.parent_path();
    if (::access(dir.c_str(), W_OK) == 0) return ProgramFolder(dir);
    // Installed read-only: work in a per-user copy, seeded once from the installed tree.
    const fs::path user = userDataHome() / "velmora";
    std::error_code ec;
    if (!fs::exists(user / "bin", ec)) {
        fs::create_directories(user, ec);
        for (const auto& entry : fs::directory_iterator(dir, ec)) {
            const auto name = entry.path().filename();
            if (entry.is_directory(ec))
                fs::copy(entry.path(), user / name,
                         fs::copy_options::recursive | fs::copy_options::skip_existing, ec);
        }
    }
    return ProgramFolder(user);
}

} // namespace velmora
