#include "scenario_list.h"

#include "platform/typed_name.h"

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

std::vector<std::string> listScenarioNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
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
    return names;
}

void ScenarioList::refresh() {
    m_names = listScenarioNames(folder());
    listChanged();
}

void ScenarioList::select(const std::string& name) {
    m_selection = name;
    selectionChanged(name);
}

std::string scenarioNameProblem(const std::string& name) {
    switch (typedNameProblem(name)) {
    case NameProblem::None:
        return {};
    case NameProblem::Empty:
        return "A scenario needs a name.";
    case NameProblem::ControlCharacter:
        return "A scenario name cannot hold control characters such as tabs or line breaks.";
    case NameProblem::PathSeparator:
        return "A scenario name cannot hold \"/\" or \"\\\": each scenario is a group of files in "
               "the scenario folder.";
    case NameProblem::Dots:
        break;
    }
    return "A scenario name cannot hold \"..\".";
}

void ScenarioList::setLoading(bool loading) {
    if (m_loading == loading) return;
    m_loading = loading;
    loadingChanged(loading);
}

void ScenarioList::loadSelected() {
    if (!canStartLoad() || m_selection.empty()) return;
    m_loader->loadScenario(m_selection);
}

void ScenarioList::loadRandom() {
    if (m_loading) return;
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
