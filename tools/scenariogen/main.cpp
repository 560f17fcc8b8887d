// scenariogen PROGRAM_FOLDER: writes the factory scenarios into PROGRAM_FOLDER/config/
// scenarios and the factory preset list into PROGRAM_FOLDER/config/presets. Exit 1 with one
// line when a design names a sound no bank has or a file cannot be written.

#include "build_scenario.h"
#include "core/offline_services.h"
#include "scenarios/preset_commands.h"
#include "scenarios/preset_list.h"
#include "scenarios/scenario_group.h"

#include <filesystem>
#include <iostream>
#include <memory>

using namespace velmora;
namespace fs = std::filesystem;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: scenariogen PROGRAM_FOLDER\n";
        return 2;
    }
    const fs::path program = argv[1];
    const fs::path scenarioFolder = program / "config" / "scenarios";
    const fs::path presetFolder = program / "config" / "presets";
    std::error_code ec;
    fs::create_directories(scenarioFolder, ec);
    fs::create_directories(presetFolder, ec);

    // The banks run on a folder without sounds: what they save is their settings, and
    // decoding the library would only slow the build.
    const fs::path empty = program / "config" / "scenarios" / "no sounds here";
    scenarios::PresetCaptions captions;
    captions.fill(state::kUnassignedPreset);
    std::size_t preset = 0;
    for (const auto& design : factory::factoryScenarios()) {
        // A fresh world per design: each starts from silence, so nothing of the one before
        // leaks into it, and the same designs always give the same files.
        auto world = std::make_unique<OfflineServices>(empty, 1);
        Soundscape soundscape(world->services);
        const auto missing = factory::applyDesign(soundscape, world->levels, design);
        if (!missing.empty()) {
            std::cerr << "scenariogen: \"" << design.name << "\" names \"" << missing.front()
                      << "\", which no bank has\n";
            return 1;
        }
        if (!factory::writeScenario(soundscape, world->levels, design, scenarioFolder)) {
            std::cerr << "scenariogen: \"" << design.name << "\" could not be written to "
                      << scenarioFolder.string() << "\n";
            return 1;
        }
        if (preset < captions.size()) captions[preset++] = design.name;
    }
    const auto list = program / "config" / "presets" / "Factory.pst";
    if (!scenarios::writePresetList(list, captions).ok()) {
        std::cerr << "scenariogen: " << list.string() << " could not be written\n";
        return 1;
    }
    return 0;
}
