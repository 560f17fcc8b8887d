#pragma once
// Scenarios and presets in the program: the scenario files as the main window's loader, the
// preset commands, and their views under the main window's scenario list.
//
// Thread: UI thread.

#include "core/main_window/main_window_controller.h"
#include "scenarios/preset_commands.h"
#include "scenarios/scenario_files.h"

namespace velmora {

class MainWindowView;

struct ScenariosModule {
    ScenariosModule(Services& services, MainWindowController& main, SoundscapeLinks links);
    /// Adds the scenario commands and the presets to the main window.
    void addViews(MainWindowView& view);
    /// After the main window has loaded: a first run binds the presets to the factory
    /// scenarios and plays the first one.
    void started();

    MainWindowController& main;
    scenarios::ScenarioFiles files;
    scenarios::PresetCommands presetCommands;
};

} // namespace velmora
