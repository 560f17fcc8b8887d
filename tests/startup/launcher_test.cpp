#include "core/services.h"
#include "core/startup/first_run.h"
#include "core/startup/launcher.h"
#include "core/startup/startup_config.h"
#include "core/state/main_state.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace velmora;
using velmora::testing::TempDir;

TEST(Launcher, ShownUntilItsStartCommandHasBeenUsedOnce) {
    MemorySettingsStore settings;
    RecordingShell shell;
    LauncherController launcher(settings, shell, {19, 6, {}}, "file:///guide#sound");
    EXPECT_TRUE(launcher.shouldShow());
    EXPECT_TRUE(launcher.passed());
    EXPECT_FALSE(launcher.warningVisible());
    EXPECT_TRUE(launcher.passedTextVisible());
    EXPECT_TRUE(launcher.startEnabled());
    EXPECT_FALSE(launcher.installEnabled());
    EXPECT_EQ(launcher.requiredText(), "DirectX Version Required: 7");
    EXPECT_EQ(launcher.installedText(), "DirectX Version Installed: 19.6");

    int started = 0;
    auto c = launcher.started.connect([&] { ++started; });
    launcher.start();
    EXPECT_EQ(started, 1);
    EXPECT_EQ(settings.read(kProgramFileName, "Options", "Show Tips at Start2", ""), "1");
    EXPECT_FALSE(
        LauncherController(settings, shell, {19, 6, {}}, "file:///guide#sound").shouldShow());
    EXPECT_TRUE(shell.calls.empty());
}

TEST(Launcher, AnOldBackEndBlocksStartAndOffersTheInstallPage) {
    MemorySettingsStore settings;
    RecordingShell shell;
    LauncherController launcher(settings, shell, {6, 1, {}}, "file:///guide#sound");
    EXPECT_FALSE(launcher.passed());
    EXPECT_TRUE(launcher.warningVisible());
    EXPECT_FALSE(launcher.passedTextVisible());
    EXPECT_FALSE(launcher.startEnabled());
    EXPECT_TRUE(launcher.installEnabled());
    EXPECT_EQ(launcher.installedText(), "DirectX Version Installed: 6.1");

    launcher.start(); // a disabled command does nothing
    EXPECT_TRUE(launcher.shouldShow());
    launcher.install();
    ASSERT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(shell.calls[0].what, "url");
    EXPECT_EQ(shell.calls[0].target, "file:///guide#sound");

    int closed = 0;
    auto c = launcher.closed.connect([&] { ++closed; });
    launcher.close();
    EXPECT_EQ(closed, 1);
    EXPECT_TRUE(LauncherController(settings, shell, {7, 0, {}}, {}).passed()) << "7 itself passes";
}

TEST(Launcher, MinorVersionIsReadFromTheVersionText) {
    EXPECT_EQ(minorFromVersionText("PortAudio V19.6.0-devel, revision 396fe4b", 19), 6);
    EXPECT_EQ(minorFromVersionText("v119.2 then 19.7", 19), 7);
    EXPECT_EQ(minorFromVersionText("no numbers", 19), 0);
    EXPECT_EQ(minorFromVersionText("19.", 19), 0);
}

TEST(FirstRun, LastsUntilMainTmpHasBeenWritten) {
    TempDir dir;
    const ProgramFolder folder(dir.path());
    EXPECT_TRUE(isFirstRun(folder));
    ASSERT_TRUE(state::writeMainState(folder.resolve(state::kMainStateFile), {}).ok());
    EXPECT_FALSE(isFirstRun(folder));
    EXPECT_EQ(std::size(first_run::kTexts), 5u);
    EXPECT_STREQ(first_run::kTexts[0], "Welcome to Velmora");
}
