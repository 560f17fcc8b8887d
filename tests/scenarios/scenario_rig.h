#pragma once
// The hub rig with scenarios wired in as the program wires them, and ways to look at what a
// load or save did: the scenario display's texts in order, and every bank's state as its
// own file would hold it.

#include "main_window/hub_rig.h"
#include "platform/atomic_file.h"
#include "scenarios/preset_commands.h"
#include "scenarios/scenario_files.h"
#include "scenarios/scenario_group.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace velmora::test {

struct ScenarioRig {
    ScenarioRig() {
        rig.start();
        files = std::make_unique<scenarios::ScenarioFiles>(rig.world().services, rig.main(),
                                                           rig.world().soundscape.links());
        presets =
            std::make_unique<scenarios::PresetCommands>(rig.world().services, rig.main().presets());
        rig.main().scenarios().setLoader(files.get());
        shown = rig.main().displays().changed.connect([this](Display d, const std::string& t) {
            if (d == Display::Scenario) scenarioTexts.push_back(t);
        });
    }

    ScriptedDialogs& dialogs() { return rig.world().dialogs; }
    std::filesystem::path folder() { return rig.main().scenarios().folder(); }
    std::filesystem::path member(const std::string& name, int m) {
        return folder() / scenarios::memberFileName(name, m);
    }
    /// Save as with name typed; overwrite answers the question asked when it exists.
    void saveAs(const std::string& name, bool overwrite = true) {
        dialogs().inputs.push_back(name);
        if (std::filesystem::exists(folder() / scenarios::groupFileName(name)))
            dialogs().questionAnswers.push_back(overwrite);
        files->saveAs();
    }
    /// Lets a load that waits for its sounds end: the worker decodes in real time, then one
    /// look of the window's timer (virtual time) applies the banks.
    void finishLoad() {
        auto& world = rig.world();
        for (int i = 0; i < 10000 && world.engine.decodingAhead(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        if (rig.main().scenarios().isLoading())
            world.timers.advance(scenarios::ScenarioFiles::kDecodeWaitMs);
    }
    /// Every bank as its own file holds it, in the soundscape's order.
    std::vector<std::string> bankStates() {
        std::vector<std::string> states;
        const auto tmp = rig.file("bank-state.tmp");
        for (Bank* bank : rig.world().soundscape.banks()) {
            EXPECT_TRUE(bank->dosave(tmp));
            states.push_back(bytes(tmp));
        }
        return states;
    }
    static std::string bytes(const std::filesystem::path& path) {
        std::string out;
        (void)readWholeFile(path, out, 1 << 24);
        return out;
    }
    static void write(const std::filesystem::path& path, const std::string& text) {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }

    HubRig rig;
    std::unique_ptr<scenarios::ScenarioFiles> files;
    std::unique_ptr<scenarios::PresetCommands> presets;
    std::vector<std::string> scenarioTexts;
    Connection shown;
};

} // namespace velmora::test
