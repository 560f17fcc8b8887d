#include "core/services.h"
#include "core/state/options_state.h"
#include "core/state/startup_settings.h"
#include "platform/ini_settings_store.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::state;
using velmora::testing::readBytes;
using velmora::testing::TempDir;
using velmora::testing::writeBytes;

TEST(OptionsState, RoundTripsAndBadFieldsKeepTheirValues) {
    TempDir dir;
    OptionsState s;
    s.colorSchemeWithScenario = false;
    s.volumesOnScenarioLoad = false;
    s.inactivityTime = "25";
    s.startWithController = true;
    ASSERT_TRUE(writeOptionsState(dir / "opt.tmp", s).ok());
    EXPECT_EQ(readBytes(dir / "opt.tmp"), "0,1,0,1,\"25\",1\r\n");
    OptionsState back;
    EXPECT_TRUE(readOptionsState(dir / "opt.tmp", back).ok());
    EXPECT_EQ(back, s);

    writeBytes(dir / "opt.tmp", "0,x,0\r\n");
    OptionsState partial;
    const auto r = readOptionsState(dir / "opt.tmp", partial);
    EXPECT_EQ(r.unconverted, (std::vector<std::size_t>{2}));
    EXPECT_FALSE(partial.colorSchemeWithScenario);
    EXPECT_TRUE(partial.colorChangeOnRemote);
    EXPECT_EQ(partial.inactivityTime, OptionsState{}.inactivityTime);
}

TEST(OptionsState, LeadingNumberReadsLikeTheTextBoxDoes) {
    EXPECT_EQ(leadingNumber("75"), 75);
    EXPECT_EQ(leadingNumber("  12abc"), 12);
    EXPECT_EQ(leadingNumber("abc"), 0);
    EXPECT_EQ(leadingNumber(""), 0);
    EXPECT_EQ(leadingNumber("7.5"), 7.5);
    EXPECT_EQ(leadingNumber("-3"), -3);
    EXPECT_GT(leadingNumber(std::string(400, '9')), 60) << "absurd lengths still compare";
}

TEST(SettingsStoreValues, LauncherFlagAndRemoteOnStartAreReadBack) {
    MemorySettingsStore store;
    EXPECT_FALSE(launcherPassed(store));
    store.write(kProgramFileName, "Options", "Show Tips at Start2", "2");
    EXPECT_FALSE(launcherPassed(store));
    markLauncherPassed(store);
    EXPECT_TRUE(launcherPassed(store));
    EXPECT_EQ(store.read(kProgramFileName, "options", "show tips at start2", ""), "1");
    EXPECT_FALSE(launcherPassed(MemorySettingsStore{}));

    EXPECT_FALSE(readRemoteOnStart(store));
    writeRemoteOnStart(store, true);
    EXPECT_EQ(store.read(kProgramTitle, "Settings22", "remoteonstart", ""), "1");
    EXPECT_TRUE(readRemoteOnStart(store));
    store.write(kProgramTitle, "Settings22", "remoteonstart", "garbage");
    EXPECT_FALSE(readRemoteOnStart(store));
}

TEST(StartupSettings, WritesKeepTheRestOfTheFile) {
    TempDir dir;
    const auto ini = dir / "settings.ini";
    writeBytes(ini, "[Other]\r\nKeep=me\r\n[startup]\r\ndisplay=1\r\n");
    ASSERT_TRUE(writeStartupSetting(ini, kAutoLaunchKey, "1").ok());
    EXPECT_EQ(readStartupSetting(ini, kAutoLaunchKey), "1");
    EXPECT_EQ(readStartupSetting(ini, "Display"), "1");
    ASSERT_TRUE(writeStartupSetting(ini, kDisplayKey, "0").ok());
    const auto text = readBytes(ini);
    EXPECT_NE(text.find("[Other]\r\nKeep=me"), std::string::npos);
    EXPECT_NE(text.find("AutoLaunch=1"), std::string::npos);
    EXPECT_EQ(readStartupSetting(ini, "DISPLAY"), "0");
    EXPECT_EQ(readStartupSetting(dir / "absent.ini", kDisplayKey), std::nullopt);

    // A settings.ini it cannot read is left as it is, not replaced by one value.
    const std::string grown =
        "[Startup]\r\nAutoLaunch=1\r\n; " + std::string(files::kMaxRecordFileBytes, 'x') + "\r\n";
    writeBytes(ini, grown);
    EXPECT_EQ(writeStartupSetting(ini, kDisplayKey, "1").error, FileError::TooLarge);
    EXPECT_TRUE(readBytes(ini) == grown) << "the file is left whole";
}
