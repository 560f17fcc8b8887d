#include "scenario_scheme.h"

namespace velmora::appearance {

bool ScenarioScheme::save(const std::filesystem::path& path) {
    return m_editor.dosave(path).ok();
}

bool ScenarioScheme::load(const std::filesystem::path& path) {
    return m_editor.doload(path).ok() || m_older.load(path);
}

} // namespace velmora::appearance
