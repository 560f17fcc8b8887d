#pragma once
// A whole set of services that needs no user, no sound card and no wall clock: the engine
// renders offline when asked, time moves only when advanced, dialogs answer No or cancel and
// keep their messages, settings live in memory and the shell never acts. The recorder renders
// through it, and tests and benchmarks build their worlds on it, so all of them run the banks
// exactly as the program wires them.
//
// Thread: UI thread (the engine's render is called from the same thread, offline).

#include "core/services.h"
#include "platform/virtual_timer_service.h"

#include <cstdint>
#include <filesystem>

namespace velmora {

struct OfflineServices {
    /// Draws come from `seed` whenever none is queued on `random`. The engine is initialised
    /// here and closed when this goes.
    explicit OfflineServices(std::filesystem::path programFolder, std::uint64_t seed = 1);
    ~OfflineServices();
    OfflineServices(const OfflineServices&) = delete;
    OfflineServices& operator=(const OfflineServices&) = delete;

    audio::SoundEngine engine{audio::Backend::Offline};
    VirtualTimerService timers;
    ScriptedRandom random;
    ManualClock clock;
    ScriptedDialogs dialogs;
    MemorySettingsStore settings; ///< the user's own settings are never touched
    RecordingShell shell;
    ProgramFolder folder;
    Levels levels;
    Services services;
};

} // namespace velmora
