// Where the player's dialogs start and which files of a folder are music.
#include "music/mp3_player.h"
#include "platform/ascii_case.h"
#include "platform/atomic_file.h"

#include <algorithm>
#include <cstdlib>

namespace velmora::music {
namespace {

constexpr const char* kMusicExtensions[] = {".mp3",  ".ogg", ".oga", ".flac",
                                            ".opus", ".m4a", ".wav"};

std::string env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

// XDG_MUSIC_DIR from the user-dirs file: a line XDG_MUSIC_DIR="$HOME/Music".
std::filesystem::path xdgMusicFolder(const std::filesystem::path& home) {
    std::filesystem::path config = env("XDG_CONFIG_HOME");
    if (config.empty()) config = home / ".config";
    std::string bytes;
    if (!readWholeFile(config / "user-dirs.dirs", bytes, 64 * 1024).ok()) return {};
    const std::string key = "XDG_MUSIC_DIR=\"";
    const auto at = bytes.find(key);
    if (at == std::string::npos) return {};
    const auto end = bytes.find('"', at + key.size());
    if (end == std::string::npos) return {};
    std::string value = bytes.substr(at + key.size(), end - at - key.size());
    if (value.rfind("$HOME", 0) == 0) value = home.string() + value.substr(5);
    return value;
}

} // namespace

std::string Mp3Player::startFolder() const {
    const std::filesystem::path home = env("HOME");
    std::error_code ec;
    for (const auto& candidate : {xdgMusicFolder(home), home / "Music"})
        if (!candidate.empty() && std::filesystem::is_directory(candidate, ec))
            return candidate.string();
    return home.empty() ? std::string("/") : home.string();
}

std::vector<std::string> musicFilesIn(const std::filesystem::path& folder) {
    std::vector<std::string> files;
    std::error_code ec;
    for (auto it = std::filesystem::directory_iterator(folder, ec);
         !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        if (!it->is_regular_file(ec)) continue;
        const std::string ext = it->path().extension().string();
        if (std::any_of(std::begin(kMusicExtensions), std::end(kMusicExtensions),
                        [&](const char* e) { return equalsIgnoringCase(ext, e); }))
            files.push_back(it->path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace velmora::music
