#pragma once
// What every controller is given at construction: the platform services, the sound engine,
// the program folder and the shared levels. The app fills it with real back ends; tests and
// the recorder with virtual time, scripted draws, scripted dialogs and an offline engine.

#include "audio/sound_engine.h"
#include "levels.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/program_folder.h"
#include "platform/random.h"
#include "platform/settings_store.h"
#include "platform/shell.h"
#include "platform/timer_service.h"

#include <string>

namespace velmora {

/// The program's title: message-box title, settings-store application name, tray tooltip.
inline constexpr const char* kProgramTitle = "Velmora";
/// The program file's base name: the settings-store application of the launcher flag.
inline constexpr const char* kProgramFileName = "velmora";

struct Services {
    audio::SoundEngine& engine;
    TimerService& timers;
    Random& random;
    Clock& clock;
    Dialogs& dialogs;
    SettingsStore& settings;
    Shell& shell;
    const ProgramFolder& folder;
    Levels& levels;
};

} // namespace velmora
