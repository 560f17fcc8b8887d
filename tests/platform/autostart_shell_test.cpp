#include "platform/autostart.h"
#include "platform/ini_document.h"
#include "platform/linux_shell.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace velmora;
using velmora::testing::readBytes;
using velmora::testing::TempDir;
using velmora::testing::writeBytes;

TEST(XdgAutoStart, EntryIsNamedByTheTitleAndStartsTheProgramFile) {
    TempDir dir;
    XdgAutoStart autoStart(dir / "autostart", "Velmora", "/opt/my apps/velmora");
    EXPECT_FALSE(autoStart.isEnabled());
    ASSERT_TRUE(autoStart.enable());
    EXPECT_TRUE(autoStart.isEnabled());
    EXPECT_EQ(autoStart.entryPath(), dir / "autostart" / "Velmora.desktop");
    const auto text = readBytes(autoStart.entryPath());
    EXPECT_NE(text.find("\nExec=\"/opt/my apps/velmora\"\r\n"), std::string::npos) << text;
    const auto doc = IniDocument::parse(text);
    EXPECT_EQ(doc.value("Desktop Entry", "Type"), "Application");
    EXPECT_EQ(doc.value("Desktop Entry", "Name"), "Velmora");

    ASSERT_TRUE(autoStart.disable());
    EXPECT_FALSE(autoStart.isEnabled());
    EXPECT_FALSE(std::filesystem::exists(autoStart.entryPath()));
    EXPECT_TRUE(autoStart.disable()) << "removing an absent entry is not an error";
}

TEST(XdgAutoStart, AnEntrySwitchedOffByTheDesktopCountsAsOff) {
    TempDir dir;
    XdgAutoStart autoStart(dir.path(), "Velmora", "/usr/bin/velmora");
    writeBytes(autoStart.entryPath(), "[Desktop Entry]\nExec=velmora\nHidden=true\n");
    EXPECT_FALSE(autoStart.isEnabled());
}

TEST(XdgAutoStart, ExecQuotingSurvivesSpecialCharacters) {
    EXPECT_EQ(desktopExecQuote("/a b/c"), "\"/a b/c\"");
    EXPECT_EQ(desktopExecQuote("/100%/x"), "\"/100%%/x\"");
    EXPECT_EQ(desktopExecQuote("/$HOME/\"q\""), "\"/\\\\$HOME/\\\\\"q\\\\\"\"");
    EXPECT_EQ(desktopExecQuote("/back\\slash"), "\"/back\\\\\\\\slash\"");
}

TEST(LinuxShell, StartsOnlyRealProgramsAndFindsToolsOnThePath) {
    LinuxShell shell;
    EXPECT_FALSE(shell.startProgram("/nonexistent/updater.exe", {}));
    EXPECT_FALSE(shell.startProgram("/etc/hostname", {})) << "not executable";
    EXPECT_TRUE(shell.startProgram("/bin/true", {"ignored"}));
    EXPECT_FALSE(shell.openFolder("/nonexistent/folder"));
    EXPECT_FALSE(findExecutable("sh").empty());
    EXPECT_TRUE(findExecutable("no-such-tool-velmora").empty());
}
