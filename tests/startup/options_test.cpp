#include "core/startup/options_controller.h"
#include "core/startup/startup_config.h"
#include "core/startup/user_guide.h"
#include "core/state/startup_settings.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace velmora;
using velmora::testing::readBytes;
using velmora::testing::TempDir;
using velmora::testing::writeBytes;

namespace {
struct Fixture {
    TempDir dir;
    ProgramFolder folder{dir / "program"};
    MemorySettingsStore settings;
    ScriptedDialogs dialogs;
    RecordingShell shell;
    XdgAutoStart autoStart{dir / "autostart", "Velmora", dir / "program" / "velmora"};
    OutputDeviceChoice device;
    OptionsController options{{folder, settings, dialogs, shell}, autoStart, device, [] {
                                  return std::vector<std::string>{"Default", "USB Audio"};
                              }};
    Fixture() { std::filesystem::create_directories(folder.root()); }
    std::filesystem::path file(const char* name) const { return folder.root() / name; }
};
} // namespace

TEST(Options, InactivityTimeIsHeldBetweenFiveAndSixty) {
    Fixture f;
    f.options.open();
    f.options.editInactivityTime("75");
    EXPECT_EQ(f.options.options().inactivityTime, "60");
    f.options.editInactivityTime("2");
    EXPECT_EQ(f.options.options().inactivityTime, "2") << "typing on may still make 25";
    f.options.finishInactivityTime();
    EXPECT_EQ(f.options.options().inactivityTime, "5");
    EXPECT_EQ(f.options.inactivityTime(), 5);

    // Typed key by key, 15 arrives as 15, not 55.
    f.options.editInactivityTime("1");
    f.options.editInactivityTime("15");
    f.options.finishInactivityTime();
    EXPECT_EQ(f.options.inactivityTime(), 15);

    f.options.editInactivityTime("soon");
    f.options.close(); // closing settles a value left unfinished
    EXPECT_EQ(f.options.options().inactivityTime, "5");
    EXPECT_NE(readBytes(f.file("opt.tmp")).find("\"5\""), std::string::npos);
}

TEST(Options, OpeningTurnsTheFirstFourOnThenTheFileDecidesAll) {
    Fixture f;
    f.options.open();
    const auto& o = f.options.options();
    EXPECT_TRUE(o.colorSchemeWithScenario && o.colorChangeOnRemote && o.volumesOnScenarioLoad &&
                o.autoHideRemote);
    EXPECT_TRUE(f.options.inactivityEnabled());

    writeBytes(f.file("opt.tmp"), "0,0,1,0,\"90\",1\r\n");
    f.options.open();
    EXPECT_FALSE(o.colorSchemeWithScenario);
    EXPECT_FALSE(o.colorChangeOnRemote);
    EXPECT_TRUE(o.volumesOnScenarioLoad);
    EXPECT_FALSE(f.options.inactivityEnabled());
    EXPECT_EQ(f.options.inactivityTime(), 60) << "a hand-edited file is held in range too";
    EXPECT_TRUE(o.startWithController);
}

TEST(Options, ClosingWritesOptTmpAndStartWithControllerIsReadBack) {
    Fixture f;
    f.options.open();
    f.options.setColorSchemeWithScenario(false);
    f.options.setAutoHideRemote(false);
    f.options.editInactivityTime("30");
    f.options.setStartWithController(true);
    f.options.close();
    EXPECT_EQ(readBytes(f.file("opt.tmp")), "0,1,1,0,\"30\",1\r\n");
    EXPECT_TRUE(state::readRemoteOnStart(f.settings));

    // Another run reads the file when the controller is made, before any window opens.
    OptionsController again({f.folder, f.settings, f.dialogs, f.shell}, f.autoStart, f.device, {});
    EXPECT_FALSE(again.options().colorSchemeWithScenario);
    EXPECT_EQ(again.inactivityTime(), 30);
}

TEST(Options, AutomaticStartAddsAndRemovesTheEntryAndRecordsIt) {
    Fixture f;
    f.options.open();
    EXPECT_FALSE(f.options.autoLaunch());
    EXPECT_FALSE(f.options.displayChoicesEnabled());
    f.options.setAutoLaunch(true);
    EXPECT_TRUE(f.autoStart.isEnabled());
    EXPECT_TRUE(f.options.displayChoicesEnabled());
    EXPECT_EQ(state::readStartupSetting(f.file("settings.ini"), "AutoLaunch"), "1");
    f.options.setDisplay(1);
    EXPECT_EQ(state::readStartupSetting(f.file("settings.ini"), "Display"), "1");

    f.options.open(); // reopening shows things as they are
    EXPECT_TRUE(f.options.autoLaunch());
    EXPECT_EQ(f.options.display(), 1);

    f.options.setAutoLaunch(false);
    EXPECT_FALSE(std::filesystem::exists(f.autoStart.entryPath()));
    EXPECT_EQ(state::readStartupSetting(f.file("settings.ini"), "AutoLaunch"), "0");
    EXPECT_TRUE(f.dialogs.messages.empty());
}

TEST(Options, AutomaticStartThatCannotBeWrittenSaysSoAndStaysOff) {
    Fixture f;
    writeBytes(f.dir / "autostart", "a file where the folder should be");
    f.options.setAutoLaunch(true);
    EXPECT_FALSE(f.options.autoLaunch());
    EXPECT_EQ(f.dialogs.lastMessage(), OptionsController::kAutoStartMessage);
    EXPECT_EQ(state::readStartupSetting(f.file("settings.ini"), "AutoLaunch"), "0");
}

TEST(Options, DeviceNamePagesHelpAndUpdater) {
    Fixture f;
    f.device.set(1);
    f.options.open();
    EXPECT_EQ(f.options.deviceName(), "USB Audio");
    f.device.set(0, "Default");
    EXPECT_EQ(f.options.deviceName(), "Default") << "the label follows the device window";

    f.options.showPage(3);
    EXPECT_EQ(f.options.page(), 3);
    f.options.showPage(9);
    EXPECT_EQ(f.options.page(), 3);

    int deviceWindows = 0;
    f.options.setHooks({[&] { ++deviceWindows; }, {}});
    f.options.chooseSoundCard();
    f.options.openHotkeys(); // no hotkeys window yet: nothing happens
    EXPECT_EQ(deviceWindows, 1);

    f.options.openHelp();
    f.options.startUpdater(); // no updater in the folder
    EXPECT_EQ(f.dialogs.lastMessage(),
              "There was a problem starting the updater. Please check that the file "
              "'updater.exe' is in the root of your application folder.");
    writeBytes(f.file("Updater.exe"), "#!/bin/sh\n");
    f.options.startUpdater();
    ASSERT_EQ(f.shell.calls.size(), 2u);
    EXPECT_EQ(f.shell.calls[0].target, "file://" + (f.folder.root() / "help/index.html").string());
    EXPECT_EQ(f.shell.calls[1].what, "start");
    EXPECT_EQ(f.shell.calls[1].target, f.file("Updater.exe").string());
    EXPECT_EQ(f.dialogs.messages.size(), 1u);
}

TEST(UserGuide, AddressIsAFileUrlThatSurvivesSpacesAndNonAsciiFolders) {
    const ProgramFolder folder{"/opt/My Sounds/s\xC3\xBC" "d#1"};
    EXPECT_EQ(userGuideAddress(folder, "sound"),
              "file:///opt/My%20Sounds/s%C3%BCd%231/help/index.html#sound");
    EXPECT_EQ(userGuideAddress(ProgramFolder{"/usr/lib/velmora"}),
              "file:///usr/lib/velmora/help/index.html");
}
