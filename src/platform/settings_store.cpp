#include "settings_store.h"

#include "ascii_case.h"

namespace velmora {

std::string MemorySettingsStore::address(const std::string& app, const std::string& section,
                                         const std::string& key) {
    return asciiLowered(app + '\x1f' + section + '\x1f' + key);
}

std::string MemorySettingsStore::read(const std::string& app, const std::string& section,
                                      const std::string& key,
                                      const std::string& defaultValue) const {
    const auto it = m_values.find(address(app, section, key));
    return it == m_values.end() ? defaultValue : it->second;
}

void MemorySettingsStore::write(const std::string& app, const std::string& section,
                                const std::string& key, const std::string& value) {
    m_values[address(app, section, key)] = value;
}

void MemorySettingsStore::remove(const std::string& app, const std::string& section,
                                 const std::string& key) {
    m_values.erase(address(app, section, key));
}

} // namespace velmora
