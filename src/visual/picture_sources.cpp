#include "picture_sources.h"

#include "core/services.h"
#include "platform/ascii_case.h"

#include <algorithm>
#include <array>
#include <system_error>

namespace velmora::visual {

bool isPictureName(std::string_view name) {
    static constexpr std::array<std::string_view, 6> kEndings = {".jpg", ".jpeg", ".bmp",
                                                                 ".png", ".webp", ".jpe"};
    return std::any_of(kEndings.begin(), kEndings.end(), [&](std::string_view e) {
        return name.size() > e.size() && endsWithIgnoringCase(name, e);
    });
}

std::vector<std::string> listPictures(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const auto name = it->path().filename().string();
        if (isPictureName(name) && it->is_regular_file(ec)) names.push_back(name);
    }
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return lessIgnoringCase(a, b); });
    return names;
}

PictureSources::PictureSources(const ProgramFolder& folder, Dialogs& dialogs)
    : m_program(folder), m_dialogs(dialogs), m_folder(defaultFolder()),
      m_pictures(listPictures(m_folder)) {}

std::filesystem::path PictureSources::defaultFolder() const {
    return m_program.resolve(kDefaultSlideshow);
}

void PictureSources::setFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    std::filesystem::path chosen = folder.empty() ? defaultFolder() : folder;
    if (!std::filesystem::is_directory(chosen, ec)) {
        chosen = defaultFolder();
        if (!m_toldVanished) {
            m_toldVanished = true;
            m_dialogs.message(kFolderVanished, MessageIcon::Information, kProgramTitle);
        }
    }
    m_folder = chosen;
    m_pictures = listPictures(m_folder);
    m_selected = m_pictures.empty() ? -1 : std::min(std::max(m_selected, 0), count() - 1);
    changed();
}

std::filesystem::path PictureSources::picturePath(int index) const {
    if (index < 0 || index >= count()) return {};
    return m_folder / m_pictures[static_cast<std::size_t>(index)];
}

void PictureSources::select(int index) {
    if (index < 0 || index >= count()) return;
    m_selected = index;
    selectionChanged(index);
}

void PictureSources::setRandomOrder(bool on) {
    if (m_random == on) return;
    m_random = on;
    changed();
}

void PictureSources::setChangeEvery(const std::string& minutes) {
    if (m_changeEvery == minutes) return;
    m_changeEvery = minutes;
    changed();
}

std::filesystem::path PictureSources::panoramicFolder() const {
    return m_program.resolve(kPanoramicFolder);
}

void PictureSources::setPanoramicName(const std::string& name) {
    m_panoramic = name.empty() ? std::string(kDefaultPanoramic) : name;
    changed();
}

std::filesystem::path PictureSources::panoramicPath() const {
    // The built-in picture has both spellings in older copies' files; one file serves both.
    if (equalsIgnoringCase(m_panoramic, kDefaultPanoramic))
        return panoramicFolder() / kDefaultPanoramic;
    return panoramicFolder() / m_panoramic;
}

std::string slideshowName(const ProgramFolder& program, const std::string& path,
                          bool withoutSeparators) {
    std::string root = program.resolve(kSlideshowRoot).string();
    if (!root.empty() && root.back() != '/') root += '/';
    std::string name = path;
    for (auto at = name.find(root); at != std::string::npos; at = name.find(root))
        name.erase(at, root.size());
    if (withoutSeparators) std::erase(name, '/');
    return name;
}

} // namespace velmora::visual
