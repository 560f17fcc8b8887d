// How long a scenario load takes, from the command to the last bank applied.
//
//   velmora_scenario_bench [program folder] [rounds]
//
// Every scenario of the program folder's scenario folder (the factory set after a build) is
// loaded once with nothing decoded yet (first load: the samples it turns on are decoded),
// then `rounds` more times each in turn (samples already decoded, as when a user goes back
// to a scenario). Prints the median and the worst of both, from the command to the last
// bank applied, and of the longest stretch the UI thread spent in one go: a load that decodes
// waits for its worker with the event loop running (here: virtual timers advanced every
// millisecond of real time), so only that stretch freezes the window.

#include "banks/soundscape.h"
#include "core/main_window/main_window_controller.h"
#include "core/offline_services.h"
#include "scenarios/scenario_files.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

using namespace velmora;
namespace fs = std::filesystem;

namespace {

double millisecondsOf(const std::function<void()>& run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

struct LoadTimes {
    std::vector<double> total;   ///< command to last bank applied
    std::vector<double> blocked; ///< longest time the UI thread was busy without a break
};

void report(const char* what, const char* measure, std::vector<double> ms) {
    if (ms.empty()) return;
    std::sort(ms.begin(), ms.end());
    std::printf("%-26s %-15s loads %3zu  median %7.2f ms  worst %7.2f ms\n", what, measure,
                ms.size(), ms[ms.size() / 2], ms.back());
}

void report(const char* what, const LoadTimes& times) {
    report(what, "load", times.total);
    report(what, "UI thread block", times.blocked);
}

} // namespace

int main(int argc, char** argv) {
    const fs::path folder = argc > 1 ? fs::path(argv[1]) : fs::path(VELMORA_PROGRAM_DIR);
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;

    OfflineServices world(folder, 1);
    Soundscape soundscape(world.services);
    MainWindowController main(world.services);
    main.attach(soundscape.links());
    scenarios::ScenarioFiles files(world.services, main, soundscape.links());
    main.scenarios().setLoader(&files);
    main.scenarios().refresh();
    const auto names = main.scenarios().names();
    if (names.empty()) {
        std::fprintf(stderr, "no scenarios in %s\n", main.scenarios().folder().c_str());
        return 1;
    }

    const auto load = [&](const std::string& name, LoadTimes& times) {
        const auto start = std::chrono::steady_clock::now();
        double blocked = millisecondsOf([&] {
            main.scenarios().select(name);
            main.scenarios().loadSelected();
        });
        while (main.scenarios().isLoading()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            blocked = std::max(blocked, millisecondsOf([&] { world.timers.advance(1); }));
        }
        times.total.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
        times.blocked.push_back(blocked);
        if (main.displays().text(Display::Scenario) != name)
            std::fprintf(stderr, "%s did not load\n", name.c_str());
    };
    LoadTimes first, again;
    for (const auto& name : names)
        load(name, first);
    for (int r = 0; r < rounds; ++r)
        for (const auto& name : names)
            load(name, again);
    std::printf("scenarios in %s\n", main.scenarios().folder().c_str());
    report("first load (decoding)", first);
    report("samples already decoded", again);
    return 0;
}
