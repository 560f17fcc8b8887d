#include "scenarios_module.h"

#include "ui/main_window/main_window_view.h"
#include "ui/scenarios/scenario_commands_view.h"

namespace velmora {

ScenariosModule::ScenariosModule(Services& services, MainWindowController& mainWindow,
                                 SoundscapeLinks links)
    : main(mainWindow), files(services, mainWindow, std::move(links)),
      presetCommands(services, mainWindow.presets()) {
    main.scenarios().setLoader(&files);
}

void ScenariosModule::addViews(MainWindowView& view) {
    view.addScenarioPart(new ScenarioCommandsView(main, files, presetCommands, &view));
    view.refreshWindowButtons();
}

void ScenariosModule::started() {
    if (main.isFirstRun()) (void)presetCommands.startFactorySet();
}

} // namespace velmora
