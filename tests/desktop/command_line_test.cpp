// The command line and the wire form a second start sends: what is accepted, what is refused
// with exit 2, and that the running instance accepts nothing but our own lines.
#include "desktop/command_line.h"
#include "desktop/instance_requests.h"
#include "platform/instance_lock.h"

#include <gtest/gtest.h>

namespace velmora::desktop {
namespace {

using Args = std::vector<std::string>;

Command make(Action action, std::string scenario = {}, int preset = 0, bool verbose = false) {
    return Command{action, std::move(scenario), preset, verbose};
}

TEST(CommandLine, AcceptsEachCommandInBothSpellings) {
    const std::vector<std::pair<Args, Command>> cases = {
        {{}, make(Action::Start)},
        {{"--verbose"}, make(Action::Start, {}, 0, true)},
        {{"--scenario", "Summer rain"}, make(Action::Scenario, "Summer rain")},
        {{"--scenario=Forest"}, make(Action::Scenario, "Forest")},
        {{"--preset", "1"}, make(Action::Preset, {}, 1)},
        {{"--preset=14"}, make(Action::Preset, {}, 14)},
        {{"--mute"}, make(Action::Mute)},
        {{"--unmute"}, make(Action::Unmute)},
        {{"--toggle-mute", "--verbose"}, make(Action::ToggleMute, {}, 0, true)},
        {{"--stop-all"}, make(Action::StopAll)},
        {{"--show"}, make(Action::Show)},
        {{"--quit"}, make(Action::Quit)},
        {{"--help"}, make(Action::Help)},
        {{"--version"}, make(Action::Version)},
    };
    for (const auto& [args, expected] : cases) {
        const auto parsed = parseCommandLine(args);
        ASSERT_TRUE(parsed.command) << (args.empty() ? "" : args[0]) << ": " << parsed.error;
        EXPECT_EQ(*parsed.command, expected) << (args.empty() ? "" : args[0]);
    }
}

TEST(CommandLine, RefusesBadArgumentsWithAReason) {
    const std::vector<Args> cases = {
        {"--preset", "0"},
        {"--preset", "15"},
        {"--preset", "3x"},
        {"--preset", "-1"},
        {"--preset"},
        {"--preset="},
        {"--scenario"},
        {"--scenario", ""},
        {"--scenario", "../../etc/passwd"},
        {"--scenario", "a/b"},
        {"--scenario", "a\tb"},
        {"--scenario", ".."},
        {"--mute", "--unmute"},
        {"--quit", "--quit"},
        {"--bogus"},
        {"-m"},
        {"Rain"},
        {"--mute=yes"},
    };
    for (const auto& args : cases) {
        const auto parsed = parseCommandLine(args);
        EXPECT_FALSE(parsed.command) << args[0] << " " << (args.size() > 1 ? args[1] : "");
        EXPECT_FALSE(parsed.error.empty());
    }
}

TEST(WireForm, EveryForwardedCommandSurvivesTheTrip) {
    for (const Command& c :
         {make(Action::Scenario, "Night, with owls"), make(Action::Preset, {}, 7),
          make(Action::Mute), make(Action::Unmute), make(Action::ToggleMute), make(Action::StopAll),
          make(Action::Show), make(Action::Quit)}) {
        const auto back = decodeCommand(encodeCommand(c));
        ASSERT_TRUE(back) << encodeCommand(c);
        EXPECT_EQ(*back, c);
    }
    EXPECT_EQ(encodeCommand(make(Action::Mute)), "velmora-1 mute");
    EXPECT_EQ(encodeCommand(make(Action::Help)), "");
}

TEST(WireForm, RunningInstanceRefusesAnythingElse) {
    for (const std::string& line :
         {std::string(), std::string("velmora-1"), std::string("velmora-1 "),
          std::string("VELMORA-1 mute"), std::string("velmora-2 mute"),
          std::string("velmora-1 help"), std::string("velmora-1 version"),
          std::string("velmora-1 mute now"), std::string("velmora-1 preset 99"),
          std::string("velmora-1 preset"), std::string("velmora-1 scenario"),
          std::string("velmora-1 scenario ../x"), std::string("velmora-1 scenario a\x01"),
          std::string("velmora-1 rm -rf"), std::string("\xff\xfe\x00mute", 7),
          "velmora-1 scenario " + std::string(2000, 'a')})
        EXPECT_FALSE(decodeCommand(line)) << line;
}

TEST(WireForm, RepliesCarryExitCodeAndOneLine) {
    const auto ok = decodeOutcome("0 Muted.");
    ASSERT_TRUE(ok);
    EXPECT_EQ(ok->exitCode, 0);
    EXPECT_EQ(ok->message, "Muted.");
    const auto empty = decodeOutcome("0 ");
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->message, "");
    EXPECT_EQ(encodeOutcome({1, "No \"a\nb\""}), "1 No \"a b\"");
    for (const char* bad : {"", "0", "x Muted.", "7 Muted.", "-1 Muted.", "0Muted."})
        EXPECT_FALSE(decodeOutcome(bad)) << bad;
}

} // namespace
} // namespace velmora::desktop

namespace velmora {
namespace {

TEST(InstanceName, OnePerSettingsFolder) {
    const std::string mine = instanceName("/home/ann/.config/velmora");
    EXPECT_EQ(mine, instanceName("/home/ann/.config/velmora/"));
    EXPECT_EQ(mine, instanceName("/home/ann/.config/./velmora"));
    EXPECT_NE(mine, instanceName("/home/bob/.config/velmora"));
    EXPECT_NE(mine, instanceName("/tmp/measure/velmora"));
    // Short enough for a socket path under a runtime folder, and a plain file name.
    EXPECT_EQ(mine.size(), std::string("instance-").size() + 16);
    EXPECT_EQ(mine.find('/'), std::string::npos);
}

} // namespace
} // namespace velmora
