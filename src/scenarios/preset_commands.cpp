#include "preset_commands.h"

#include "scenarios/preset_list.h"
#include "scenarios/scenario_group.h"

#include <system_error>

namespace velmora::scenarios {

namespace {
constexpr const char* kPresetFilter = "Velmora Preset Files (*.pst)| *.pst";
constexpr const char* kUnreadableList = "The preset file could not be opened.";
} // namespace

PresetCommands::PresetCommands(Services& services, PresetButtons& presets)
    : m_s(services), m_presets(presets) {}

void PresetCommands::assign() {
    FileDialogOptions o;
    o.title = "Select the scenario file to be assigned to the preset";
    o.filter = "Velmora 6.0 Scenario Files (*.vlm)| *.vlm";
    o.initialDirectory = m_s.folder.resolve(kScenarioFolder).string();
    const auto chosen = m_s.dialogs.openFile(o);
    if (!chosen || chosen->empty()) return;
    m_presets.startAssign(std::filesystem::path(*chosen).stem().string());
}

void PresetCommands::clear() {
    if (!m_s.dialogs.question("This will clear all presets. Continue?", kProgramTitle)) return;
    PresetCaptions captions;
    captions.fill(state::kUnassignedPreset);
    m_presets.setAll(captions);
}

void PresetCommands::saveList() {
    FileDialogOptions o;
    o.title = "Save Preset List";
    o.filter = kPresetFilter;
    o.initialDirectory = m_s.folder.resolve(kPresetFolder).string();
    auto chosen = m_s.dialogs.saveFile(o);
    if (!chosen || chosen->empty()) return;
    std::filesystem::path path(*chosen);
    if (!path.has_extension()) path += ".pst";
    if (!writePresetList(path, m_presets.captions()).ok())
        m_s.dialogs.message("The preset list could not be saved as " + path.string() + ".",
                            MessageIcon::Warning, kProgramTitle);
}

void PresetCommands::loadList() {
    FileDialogOptions o;
    o.title = "Load Preset List";
    o.filter = kPresetFilter;
    o.initialDirectory = m_s.folder.resolve(kPresetFolder).string();
    const auto chosen = m_s.dialogs.openFile(o);
    if (!chosen || chosen->empty()) return;
    const auto captions = readPresetList(*chosen);
    if (!captions) {
        m_s.dialogs.message(kUnreadableList, MessageIcon::Warning, kProgramTitle);
        return;
    }
    m_presets.setAll(*captions);
}

bool PresetCommands::startFactorySet() {
    // Bindings the user made are never replaced, whatever made this look like a first run.
    for (int i = 0; i < state::kPresetCount; ++i)
        if (m_presets.isAssigned(i)) return false;
    const auto captions = readPresetList(m_s.folder.resolve(kFactoryPresetList));
    if (!captions) return false;
    m_presets.setAll(*captions);
    m_presets.click(0);
    return true;
}

} // namespace velmora::scenarios
