#pragma once
// The preset commands of the main window: assign a scenario file to a preset, clear all
// presets, save and load the fourteen captions as a preset list, and the first run's
// binding of the presets to the factory scenarios.
//
// Thread: UI thread.

#include "core/main_window/preset_buttons.h"
#include "core/services.h"

namespace velmora::scenarios {

/// The factory preset list that a first run binds the presets from.
inline constexpr const char* kFactoryPresetList = "\\config\\presets\\Factory.pst";

class PresetCommands {
  public:
    PresetCommands(Services& services, PresetButtons& presets);

    /// xpbs24: choose a scenario file, then the presets flash until one is clicked.
    void assign();
    /// chameleonButton7
    void clear();
    /// chameleonButton14
    void saveList();
    /// chameleonButton24
    void loadList();
    /// A first run: binds the presets to the factory list and loads preset 0, so the first
    /// soundscape plays without a click. false (nothing done) when there is no factory list
    /// or a preset is already bound.
    bool startFactorySet();

  private:
    Services& m_s;
    PresetButtons& m_presets;
};

} // namespace velmora::scenarios
