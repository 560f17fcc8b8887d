#include "scenario_folder.h"

#include "platform/ascii_case.h"

#include <algorithm>

namespace velmora::scheduling {

ScenarioFolder::ScenarioFolder(Services& services, Scheduler& scheduler)
    : m_s(services), m_scheduler(scheduler),
      m_folder(services.folder.resolve("\\config\\scenarios")) {
    list();
}

void ScenarioFolder::setFolder(const std::filesystem::path& folder) {
    m_folder = folder;
    list();
    changed();
}

void ScenarioFolder::list() {
    m_files.clear();
    std::error_code ec;
    for (std::filesystem::directory_iterator it(m_folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        std::error_code fileEc;
        if (!it->is_regular_file(fileEc)) continue;
        const std::string name = it->path().filename().string();
        if (name.size() > 4 && endsWithIgnoringCase(name, ".vlm")) m_files.push_back(name);
    }
    std::sort(m_files.begin(), m_files.end(), lessIgnoringCase);
}

bool ScenarioFolder::add() {
    list();
    if (m_files.empty()) {
        m_s.dialogs.message(kNoScenarioFiles);
        return false;
    }
    std::vector<PlaylistEntry> entries;
    for (const auto& name : m_files)
        entries.push_back({(m_folder / name).string(), name});
    m_scheduler.addEntries(entries);
    return true;
}

} // namespace velmora::scheduling
