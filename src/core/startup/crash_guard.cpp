#include "crash_guard.h"

#include "core/services.h"
#include "platform/atomic_file.h"

#include <algorithm>

namespace velmora {
namespace {

namespace fs = std::filesystem;

constexpr const char* kMarkerName = "decoding-sound";
constexpr const char* kSkippedName = "skipped-sounds";
// Paths may hold any byte but NUL, so NUL ends each entry of the skipped list.
constexpr char kEntryEnd = '\0';
constexpr std::uintmax_t kMaxFileBytes = 1 << 20;

fs::path normalised(const fs::path& p) {
    std::error_code ec;
    const fs::path absolute = fs::absolute(p, ec);
    return (ec ? p : absolute).lexically_normal();
}

std::vector<std::string> readEntries(const fs::path& file) {
    std::string bytes;
    std::vector<std::string> entries;
    if (!readWholeFile(file, bytes, kMaxFileBytes).ok()) return entries;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find(kEntryEnd, start)) != std::string::npos;
         start = end + 1)
        if (end > start) entries.push_back(bytes.substr(start, end - start));
    return entries;
}

} // namespace

CrashGuard::CrashGuard(fs::path folder, fs::path factoryFolder)
    : m_folder(std::move(folder)), m_factoryFolder(normalised(factoryFolder)) {
    m_skipped = readEntries(m_folder / kSkippedName);
    std::string closedOn;
    if (!readWholeFile(m_folder / kMarkerName, closedOn, kMaxFileBytes).ok() || closedOn.empty())
        return;
    if (std::find(m_skipped.begin(), m_skipped.end(), closedOn) == m_skipped.end())
        m_skipped.push_back(closedOn);
    // Only once the skip is on disk may the marker go: a crash in between, or a list that
    // cannot be saved, must not forget it.
    if (saveSkipped()) {
        std::error_code ec;
        fs::remove(m_folder / kMarkerName, ec);
    }
    m_closedOn = closedOn;
}

bool CrashGuard::isFactoryFile(const std::string& path) const {
    const fs::path p = normalised(path);
    auto [f, in] =
        std::mismatch(m_factoryFolder.begin(), m_factoryFolder.end(), p.begin(), p.end());
    // A trailing separator leaves an empty last component on the folder.
    return (f == m_factoryFolder.end() || (f->empty() && std::next(f) == m_factoryFolder.end())) &&
           in != p.end();
}

bool CrashGuard::mayDecode(const std::string& path, audio::LoadOrigin origin) {
    if (path.empty() || path.find(kEntryEnd) != std::string::npos || isFactoryFile(path))
        return true;
    // A bank may name one file by its stored form at start and by the dialog's path later.
    const std::string key = normalised(path).string();
    const auto it = std::find(m_skipped.begin(), m_skipped.end(), key);
    if (it != m_skipped.end()) {
        if (origin != audio::LoadOrigin::ChosenByUser) return false;
        m_skipped.erase(it);
        saveSkipped();
    }
    std::error_code ec;
    fs::create_directories(m_folder, ec);
    // Without a marker the file is still decoded: the guard must never stand in the way of
    // a sound the user asked for, only keep a crash from repeating.
    // The marker has to outlive a crash of this program, not of the machine, so it is not
    // flushed to disk: a flush per user sound would cost more than the start-up allows.
    m_marked = replaceFileAtomically(m_folder / kMarkerName, key, Durability::ProgramCrash).ok();
    return true;
}

void CrashGuard::decoded(const std::string&) {
    if (!m_marked) return;
    m_marked = false;
    std::error_code ec;
    fs::remove(m_folder / kMarkerName, ec);
}

void CrashGuard::tellSkipped(Dialogs& dialogs) {
    if (m_closedOn.empty()) return;
    dialogs.message(std::string(kProgramTitle) + " closed while opening the sound file \"" +
                        m_closedOn +
                        "\". That file has been skipped so that the program can start; choose "
                        "it again in its bank to try it once more.",
                    MessageIcon::Information, "Sound file skipped");
    m_closedOn.clear();
}

bool CrashGuard::saveSkipped() const {
    std::string bytes;
    for (const auto& entry : m_skipped)
        bytes += entry + kEntryEnd;
    std::error_code ec;
    fs::create_directories(m_folder, ec);
    return replaceFileAtomically(m_folder / kSkippedName, bytes).ok();
}

} // namespace velmora
