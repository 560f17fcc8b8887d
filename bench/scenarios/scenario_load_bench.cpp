// How long a scenario load takes, from the command to the last bank applied.
//
//   velmora_scenario_bench [program folder] [rounds]
//
// Every scenario of the program folder's scenario folder (the factory set after a build) is
// loaded once with nothing decoded yet (first load: the samples it turns on are decoded),
// then `rounds` more times each in turn (samples already decoded, as when a user goes back
// to a scenario). Prints the median and the worst of both.

#include "banks/soundscape.h"
#include "core/main_window/main_window_controller.h"
#include "core/offline_services.h"
#include "scenarios/scenario_files.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
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

void report(const char* what, std::vector<double> ms) {
    if (ms.empty()) return;
    std::sort(ms.begin(), ms.end());
    std::printf("%-28s loads %3zu  median %7.2f ms  worst %7.2f ms\n", what, ms.size(),
                ms[ms.size() / 2], ms.back());
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

    const auto load = [&](const std::string& name) {
        const double ms = millisecondsOf([&] {
            main.scenarios().select(name);
            main.scenarios().loadSelected();
        });
        if (main.displays().text(Display::Scenario) != name)
            std::fprintf(stderr, "%s did not load\n", name.c_str());
        return ms;
    };
    std::vector<double> first, again;
    for (const auto& name : names)
        first.push_back(load(name));
    for (int r = 0; r < rounds; ++r)
        for (const auto& name : names)
            again.push_back(load(name));
    std::printf("scenarios in %s\n", main.scenarios().folder().c_str());
    report("first load (decoding)", first);
    report("samples already decoded", again);
    return 0;
}
