#pragma once
// A random bank's world for tests: a temporary program folder with small generated sound
// files, the real engine rendering offline, virtual time, scripted draws and dialogs.

#include "banks/random/random_banks.h"
#include "core/audio/sound_engine.h"
#include "core/services.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/program_folder.h"
#include "platform/random.h"
#include "platform/settings_store.h"
#include "platform/shell.h"
#include "platform/virtual_timer_service.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace velmora::test {

/// Writes a mono 16-bit 44.1 kHz WAV of a sine tone.
void writeTone(const std::filesystem::path& path, double seconds, double hz = 440.0,
               double amplitude = 0.5);

class RandomRig {
public:
    /// Makes the folder (with bin/<n>.raz for every numbered bank's slot when withFactory).
    explicit RandomRig(bool withFactory = true, double toneSeconds = 0.25);
    ~RandomRig();

    [[nodiscard]] std::filesystem::path dir() const { return m_dir; }
    [[nodiscard]] std::filesystem::path file(const std::string& relative) const {
        return m_dir / relative;
    }

    /// Advances virtual time in 10 ms steps, rendering the matching audio; returns the peak
    /// and RMS of the rendered samples (both channels).
    struct Measure {
        double peak = 0;
        double rms = 0;
    };
    Measure run(int milliseconds);
    /// Advances virtual time without rendering (the tick alone).
    void advance(int milliseconds) { timers.advance(milliseconds); }
    /// Queues draws for the shared generator.
    void draws(std::initializer_list<double> values) {
        for (double v : values) random.push(v);
    }

    audio::SoundEngine engine{audio::Backend::Offline};
    VirtualTimerService timers;
    ScriptedRandom random;
    ManualClock clock;
    ScriptedDialogs dialogs;
    MemorySettingsStore settings;
    RecordingShell shell;
    std::unique_ptr<ProgramFolder> folder;
    Levels levels;
    std::unique_ptr<Services> services;
    std::unique_ptr<RandomBanks> banks;

private:
    std::filesystem::path m_dir;
};

/// Draw that makes Int(r x n) equal to v.
constexpr double pick(int v, int n) { return (v + 0.5) / n; }

} // namespace velmora::test
