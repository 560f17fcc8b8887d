#include "scenario_playlist.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace velmora::scheduling {

std::string scenarioBaseName(const std::string& path) {
    const auto slash = path.find_last_of("\\/");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    // Only the extension goes: a scenario called "My.Forest" is still "My.Forest".
    const auto dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    return name;
}

void ScenarioPlaylist::select(std::optional<std::size_t> index) {
    m_selected = index && *index < m_entries.size() ? index : std::nullopt;
}

void ScenarioPlaylist::add(const std::string& path, const std::string& display) {
    m_entries.push_back({path, display.empty() ? scenarioBaseName(path) + ".vlm" : display});
}

void ScenarioPlaylist::removeSelected() {
    if (!m_selected) return;
    m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(*m_selected));
    m_selected.reset();
}

void ScenarioPlaylist::moveSelectedUp() {
    if (!m_selected || *m_selected == 0) return;
    std::swap(m_entries[*m_selected], m_entries[*m_selected - 1]);
    --*m_selected;
}

void ScenarioPlaylist::moveSelectedDown() {
    if (!m_selected || *m_selected + 1 >= m_entries.size()) return;
    std::swap(m_entries[*m_selected], m_entries[*m_selected + 1]);
    ++*m_selected;
}

void ScenarioPlaylist::clear() {
    m_entries.clear();
    m_selected.reset();
}

std::optional<std::size_t> ScenarioPlaylist::advance(bool randomOrder, Random& random) {
    if (m_entries.empty()) return std::nullopt;
    const std::size_t count = m_entries.size();
    if (randomOrder) {
        // Every entry can come up; the clamp guards a generator that returns 1.0.
        const auto draw = static_cast<std::size_t>(std::floor(random.next() * double(count)));
        m_selected = std::min(draw, count - 1);
    } else if (!m_selected || *m_selected + 1 >= count) {
        m_selected = 0;
    } else {
        ++*m_selected;
    }
    return m_selected;
}

std::vector<std::string> ScenarioPlaylist::displayTexts() const {
    std::vector<std::string> out;
    for (const auto& e : m_entries)
        out.push_back(e.display);
    return out;
}

std::vector<std::string> ScenarioPlaylist::paths() const {
    std::vector<std::string> out;
    for (const auto& e : m_entries)
        out.push_back(e.path);
    return out;
}

} // namespace velmora::scheduling
