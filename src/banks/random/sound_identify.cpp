#include "sound_identify.h"

namespace velmora {

SoundIdentify::SoundIdentify() {
    m_sounds.emplace_back(kWaiting);
    m_locations.emplace_back(kWaiting);
}

void SoundIdentify::add(const std::string& caption, const std::string& location) {
    m_sounds.push_back(caption);
    m_locations.push_back(location);
    while (m_sounds.size() > kMaxLines)
        m_sounds.pop_front();
    while (m_locations.size() > kMaxLines)
        m_locations.pop_front();
    ++m_total;
    added(caption, location);
}

void SoundIdentify::clear() {
    m_sounds.assign(1, kWaiting);
    m_locations.assign(1, kWaiting);
    cleared();
}

} // namespace velmora
