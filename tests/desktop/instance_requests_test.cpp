// The running instance's side: a forwarded command runs on the real main window (offline),
// waits until that window has loaded, and garbage never runs anything.
#include "desktop/command_runner.h"
#include "desktop/instance_requests.h"
#include "hub_rig.h"

#include <gtest/gtest.h>

namespace velmora::test {
namespace {

using desktop::Action;
using desktop::Command;

Command command(Action action, std::string scenario = {}, int preset = 0) {
    return Command{action, std::move(scenario), preset, false};
}

struct Loader final : ScenarioLoader {
    std::vector<std::string> loaded;
    void loadScenario(const std::string& name) override { loaded.push_back(name); }
    bool loadScenarioFile(const std::filesystem::path& file, ScenarioLoadMode) override {
        loaded.push_back(file.string());
        return true;
    }
    void rebuildScenarioMenu() override {}
};

struct Instance {
    HubRig rig;
    int shows = 0;
    int quits = 0;
    std::vector<std::string> log;
    desktop::CommandRunner runner{rig.main(), [this] { ++shows; }, [this] { ++quits; }};
    desktop::InstanceRequests requests{runner, [this](const std::string& l) { log.push_back(l); }};

    /// The reply to line, or "(none)".
    std::string send(const std::string& line) {
        std::string reply = "(none)";
        requests.received(line, [&reply](const std::string& r) { reply = r; });
        return reply;
    }
};

TEST(RequestLine, StopsAtTheLineEndAndRefusesHugeMessages) {
    RequestLine pieces;
    EXPECT_EQ(pieces.append("velmora-1 "), RequestLine::State::Incomplete);
    EXPECT_EQ(pieces.append("mute\nvelmora-1 quit\n"), RequestLine::State::Complete);
    EXPECT_EQ(pieces.line(), "velmora-1 mute");
    EXPECT_EQ(pieces.append("more\n"), RequestLine::State::Complete);
    EXPECT_EQ(pieces.line(), "velmora-1 mute");

    RequestLine huge;
    for (int i = 0; i < 100 && huge.state() == RequestLine::State::Incomplete; ++i)
        huge.append(std::string(100, 'x'));
    EXPECT_EQ(huge.state(), RequestLine::State::TooLong);
    EXPECT_EQ(huge.append("\n"), RequestLine::State::TooLong);
}

TEST(InstanceRequests, MuteCommandsAreIdempotentAndToggleFlips) {
    Instance in;
    in.rig.start();
    in.requests.ready();
    const int master = in.rig.levels().master();
    EXPECT_EQ(in.send("velmora-1 mute"), "0 Muted.");
    EXPECT_EQ(in.send("velmora-1 mute"), "0 Muted.");
    EXPECT_TRUE(in.rig.main().mute().isMuted());
    EXPECT_EQ(in.rig.levels().master(), 0);
    EXPECT_EQ(in.send("velmora-1 unmute"), "0 Unmuted.");
    EXPECT_EQ(in.send("velmora-1 unmute"), "0 Unmuted.");
    EXPECT_EQ(in.rig.levels().master(), master);
    EXPECT_EQ(in.send("velmora-1 toggle-mute"), "0 Muted.");
    EXPECT_EQ(in.send("velmora-1 toggle-mute"), "0 Unmuted.");
    EXPECT_EQ(in.rig.levels().master(), master);
}

TEST(InstanceRequests, CommandsWaitForTheLoadedWindow) {
    Instance in;
    std::vector<std::string> replies;
    in.requests.received("velmora-1 mute", [&](const std::string& r) { replies.push_back(r); });
    in.requests.received("velmora-1 show", [&](const std::string& r) { replies.push_back(r); });
    EXPECT_TRUE(replies.empty());
    EXPECT_FALSE(in.rig.main().mute().isMuted());
    in.rig.start();
    in.requests.ready();
    EXPECT_EQ(replies, (std::vector<std::string>{"0 Muted.", "0 "}));
    EXPECT_TRUE(in.rig.main().mute().isMuted());
    EXPECT_EQ(in.shows, 1);
}

TEST(InstanceRequests, GarbageIsLoggedAndRunsNothing) {
    Instance in;
    in.rig.start();
    in.requests.ready();
    for (const char* line : {"", "mute", "velmora-1 quit now", "velmora-1 preset 0"})
        EXPECT_EQ(in.send(line), "(none)") << line;
    EXPECT_EQ(in.log.size(), 4u);
    EXPECT_NE(in.log[0].find("ignored"), std::string::npos);
    EXPECT_EQ(in.quits, 0);
    EXPECT_FALSE(in.rig.main().mute().isMuted());
}

TEST(CommandRunner, StopAllSilencesEveryBank) {
    Instance in;
    in.rig.start();
    in.rig.world().backgroundOne.stopAll();
    in.rig.run(200);
    shapeSoundscape(in.rig);
    in.rig.run(500);
    ASSERT_GT(in.rig.engine().playingCount(), 0);
    EXPECT_EQ(in.runner.run(command(Action::StopAll)).exitCode, 0);
    in.rig.run(100);
    EXPECT_EQ(in.rig.engine().playingCount(), 0);
}

TEST(CommandRunner, ScenarioMustExistAndBeLoadable) {
    Instance in;
    in.rig.start();
    testing::writeBytes(in.rig.file("config/scenarios") / "Summer rain.vlm", "x");
    auto& list = in.rig.main().scenarios();
    list.select("before");

    const auto missing = in.runner.run(command(Action::Scenario, "Winter"));
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.message.find("no scenario called \"Winter\""), std::string::npos);
    // Before the scenario files can load one, a listed name still cannot run.
    const auto unavailable = in.runner.run(command(Action::Scenario, "Summer rain"));
    EXPECT_EQ(unavailable.exitCode, 1);
    EXPECT_EQ(unavailable.message, "Scenarios are not available yet.");
    EXPECT_EQ(list.selected(), "before");

    Loader loader;
    list.setLoader(&loader);
    EXPECT_EQ(in.runner.check(command(Action::Scenario, "Winter")).exitCode, 1);
    EXPECT_EQ(in.runner.check(command(Action::Scenario, "summer RAIN")).exitCode, 0);
    EXPECT_TRUE(loader.loaded.empty());
    const auto loaded = in.runner.run(command(Action::Scenario, "summer RAIN"));
    EXPECT_EQ(loaded.exitCode, 0);
    EXPECT_EQ(loader.loaded, (std::vector<std::string>{"Summer rain"}));
    EXPECT_EQ(list.selected(), "Summer rain");

    // Presets: an empty one is refused; a bound one loads its scenario by its caption.
    EXPECT_EQ(in.runner.run(command(Action::Preset, {}, 3)).exitCode, 1);
    in.rig.main().presets().setCaption(2, "Summer rain");
    const auto preset = in.runner.run(command(Action::Preset, {}, 3));
    EXPECT_EQ(preset.exitCode, 0) << preset.message;
    EXPECT_EQ(loader.loaded.back(), "Summer rain");
    EXPECT_EQ(loader.loaded.size(), 2u);
}

} // namespace
} // namespace velmora::test
