#pragma once
// The scheduling controllers on the offline services with a bare main window: virtual time
// and a hand-set clock moved in step, a loader that records what it is asked to load, and
// a power back end that records and never acts.

#include "core/main_window/main_window_controller.h"
#include "core/offline_services.h"
#include "scheduling/alarm_clock.h"
#include "scheduling/scheduler.h"
#include "scheduling/shutdown_countdown.h"
#include "scheduling/time_of_day.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <string>
#include <vector>

namespace velmora::test {

class RecordingLoader final : public ScenarioLoader {
  public:
    std::vector<std::filesystem::path> loaded;
    std::vector<ScenarioLoadMode> modes;
    void loadScenario(const std::string& name) override { loaded.emplace_back(name); }
    bool loadScenarioFile(const std::filesystem::path& vlm, ScenarioLoadMode mode) override {
        loaded.push_back(vlm);
        modes.push_back(mode);
        return true;
    }
    void rebuildScenarioMenu() override {}
    /// The loaded files' names without ".vlm".
    [[nodiscard]] std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const auto& p : loaded)
            out.push_back(p.stem().string());
        return out;
    }
};

struct SchedulingWorld : testing::OwnsTempDir, OfflineServices {
    SchedulingWorld() : OfflineServices(m_temp.path()) {}
    MainWindowController main{services};
    RecordingLoader loader;
    RecordingPower power;
    scheduling::ShutdownCountdown countdown{timers, power, [this] { main.quit(false); }};
    scheduling::Scheduler scheduler{services, main.displays(), [this] { return &loader; }};
    scheduling::AlarmClock alarm{services, main.commands(), main.displays(), countdown,
                                 [this] { main.quit(false); }};

    [[nodiscard]] std::filesystem::path file(std::string_view name) const { return m_temp / name; }

    /// Sets the wall clock (today, 1 June 2026).
    void setTime(int h, int m, int s) { clock.set(LocalTime{2026, 6, 1, h, m, s, 0}); }
    /// Moves the clock and virtual time on together, one second at a time.
    void run(int seconds) {
        for (int i = 0; i < seconds; ++i) {
            step(1);
            timers.advance(1000);
        }
    }
    /// Moves only the clock (the machine was busy; the next tick comes late).
    void step(int seconds) {
        clock.set(scheduling::fromLocalSeconds(scheduling::localSeconds(clock.now()) + seconds));
    }
};

} // namespace velmora::test
