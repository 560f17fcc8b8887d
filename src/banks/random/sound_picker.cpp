#include "sound_picker.h"

#include "platform/ascii_case.h"

#include <algorithm>
#include <cctype>

namespace velmora {
namespace fs = std::filesystem;

SoundPicker::SoundPicker(Services& services, Apply applyRandom, Apply applyBack)
    : m_services(services), m_applyRandom(std::move(applyRandom)),
      m_applyBack(std::move(applyBack)) {}

void SoundPicker::open(PickerMode mode) {
    m_mode = mode;
    changed();
}

fs::path SoundPicker::startFolder() const {
    return m_services.folder.resolve(m_mode == PickerMode::Random
                                         ? "\\soundbanks\\random sounds"
                                         : "\\soundbanks\\background sounds");
}

std::vector<std::string> SoundPicker::soundFilesIn(const fs::path& dir) {
    // Every format the banks decode, not only WAV: the same set the custom banks' own
    // "select a sound" dialog offers.
    static const std::vector<std::string> kExtensions{".wav", ".mp3", ".ogg", ".wma"};
    std::vector<std::string> out;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(dir, ec)) {
        std::error_code one;
        if (!e.is_regular_file(one)) continue;
        const std::string ext = asciiLowered(e.path().extension().string());
        if (std::find(kExtensions.begin(), kExtensions.end(), ext) != kExtensions.end())
            out.push_back(e.path().filename().string());
    }
    std::sort(out.begin(), out.end());
    return out;
}

bool SoundPicker::append(const fs::path& folder, const std::string& name) {
    if (static_cast<int>(m_names.size()) >= limit()) return false;
    m_names.push_back(name);
    m_paths.push_back((folder / name).string());
    return true;
}

bool SoundPicker::addSelected(const fs::path& folder, const std::vector<std::string>& names) {
    bool all = true;
    for (const auto& n : names) {
        if (!append(folder, n)) {
            m_services.dialogs.message(m_mode == PickerMode::Back ? kPickerBackLimit
                                                                  : kPickerRandomLimit,
                                       MessageIcon::Information, "Choose sounds");
            all = false;
            break;
        }
    }
    changed();
    return all;
}

void SoundPicker::addAll(const fs::path& folder, const std::vector<std::string>& names) {
    for (const auto& n : names)
        if (!append(folder, n)) break;
    changed();
}

void SoundPicker::removeAt(int index) {
    if (index < 0 || index >= static_cast<int>(m_names.size())) return;
    m_names.erase(m_names.begin() + index);
    m_paths.erase(m_paths.begin() + index);
    changed();
}

int SoundPicker::moveUp(int index) {
    if (index <= 0 || index >= static_cast<int>(m_names.size())) return index;
    std::swap(m_names[index], m_names[index - 1]);
    std::swap(m_paths[index], m_paths[index - 1]);
    changed();
    return index - 1;
}

int SoundPicker::moveDown(int index) {
    if (index < 0 || index + 1 >= static_cast<int>(m_names.size())) return index;
    std::swap(m_names[index], m_names[index + 1]);
    std::swap(m_paths[index], m_paths[index + 1]);
    changed();
    return index + 1;
}

void SoundPicker::clear() {
    m_names.clear();
    m_paths.clear();
    changed();
}

bool SoundPicker::ok() {
    if (m_names.empty()) {
        m_services.dialogs.message(kPickerNothingSelected, MessageIcon::Information,
                                   "Choose sounds");
        return false;
    }
    const auto& apply = m_mode == PickerMode::Random ? m_applyRandom : m_applyBack;
    if (apply) apply(m_paths);
    return true;
}

} // namespace velmora
