#include "scenario_list.h"

#include "platform/ascii_case.h"

#include <algorithm>
#include <cmath>
#include <system_error>

namespace velmora {

ScenarioList::ScenarioList(Services& services, std::string& selection)
    : m_s(services), m_selection(selection) {}

std::filesystem::path ScenarioList::folder() const {
    return m_s.folder.resolve("\\config\\scenarios");
}

void ScenarioList::refresh() {
    std::vector<std::string> names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder(), ec), end; !ec && it != end;
         it.increment(ec)) {
        std::error_code fileEc;
        if (!it->is_regular_file(fileEc)) continue;
        const std::string file = it->path().filename().string();
        if (file.size() > 4 && endsWithIgnoringCase(file, ".vlm"))
            names.push_back(file.substr(0, file.size() - 4));
    }
    // The directory order of this file system means nothing to a user; list them as a file
    // browser would, without regard to case.
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return lessIgnoringCase(a, b); });
    m_names = std::move(names);
    listChanged();
}

void ScenarioList::select(const std::string& name) {
    m_selection = name;
    selectionChanged(name);
}

void ScenarioList::loadSelected() {
    if (!m_loader || m_selection.empty()) return;
    m_loader->loadScenario(m_selection);
}

void ScenarioList::loadRandom() {
    if (m_names.empty()) {
        m_s.dialogs.message(kNoScenarios, MessageIcon::Information, "Random scenario");
        return;
    }
    m_s.random.seedFromClock(m_s.clock);
    const auto n = m_names.size();
    auto index = static_cast<std::size_t>(std::floor(m_s.random.next() * double(n)));
    index = std::min(index, n - 1);
    select(m_names[index]);
    loadSelected();
}

void ScenarioList::rebuildMenu() {
    if (m_loader) m_loader->rebuildScenarioMenu();
}

} // namespace velmora
