#include "core/services.h"
#include "core/state/window_positions.h"
#include "platform/ini_settings_store.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <vector>

using namespace velmora;
using namespace velmora::state;
using velmora::testing::readBytes;
using velmora::testing::TempDir;

namespace {
const std::vector<ScreenArea> kOneScreen{{0, 0, 1920, 1080}};
constexpr WindowSize kDialog{200, 100};

std::optional<WindowPosition> readOn(const SettingsStore& store, std::string_view window,
                                     const std::vector<ScreenArea>& screens = kOneScreen,
                                     WindowSize size = kDialog) {
    return readWindowPosition(store, window, size, screens);
}
} // namespace

TEST(WindowPositions, WrittenAsMainleftAndFoundAsMainLeft) {
    TempDir dir;
    {
        IniSettingsStore store(dir.path());
        writeWindowPosition(store, "Timers", {140, -20});
        writeWindowPosition(store, "frmmain", {1, 1}); // not a window that remembers
    }
    const auto text = readBytes(IniSettingsStore(dir.path()).fileFor(kProgramTitle));
    EXPECT_NE(text.find("[Settings26]\r\nMainleft=140\r\nMaintop=-20\r\n"), std::string::npos);
    EXPECT_EQ(text.find("frmmain"), std::string::npos);

    IniSettingsStore store(dir.path());
    EXPECT_EQ(store.read(kProgramTitle, "Settings26", "MainLeft", ""), "140");
    EXPECT_EQ(readOn(store, "Timers"), (WindowPosition{140, -20}));
    EXPECT_EQ(readOn(store, "Alarm"), std::nullopt);
    EXPECT_EQ(readOn(store, "frmmain"), std::nullopt);

    // Values another copy wrote with the other spelling, and damaged ones.
    store.write(kProgramTitle, "Settings1", "MainLeft", "300");
    store.write(kProgramTitle, "Settings1", "MAINTOP", "200");
    EXPECT_EQ(readOn(store, "Alarm"), (WindowPosition{300, 200}));
    store.write(kProgramTitle, "Settings1", "Maintop", "top");
    EXPECT_EQ(readOn(store, "Alarm"), std::nullopt);

    EXPECT_EQ(windowPositionSection("Frmsoundindent"), 25);
    EXPECT_EQ(windowPositionSection("Form2"), 3);
    EXPECT_EQ(windowPositionSection("frmremote2"), 24);
    EXPECT_EQ(windowPositionSection("timers"), std::nullopt) << "object names are exact";
}

TEST(WindowPositions, APlaceOffEveryScreenIsIgnored) {
    MemorySettingsStore store;
    const auto saveAt = [&](WindowPosition p) { writeWindowPosition(store, "Form2", p); };

    saveAt({-90000, 30});
    EXPECT_EQ(readOn(store, "Form2"), std::nullopt);

    // On the second monitor: kept while it is there, ignored once it is unplugged.
    const std::vector<ScreenArea> two{{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}};
    saveAt({2500, 100});
    EXPECT_EQ(readOn(store, "Form2", two), (WindowPosition{2500, 100}));
    EXPECT_EQ(readOn(store, "Form2"), std::nullopt);

    // A sliver at the edge is as good as gone; a window mostly past the edge is still
    // reachable.
    saveAt({1910, 100});
    EXPECT_EQ(readOn(store, "Form2"), std::nullopt);
    saveAt({1800, 100});
    EXPECT_EQ(readOn(store, "Form2"), (WindowPosition{1800, 100}));
    saveAt({100, 1070});
    EXPECT_EQ(readOn(store, "Form2"), std::nullopt);

    // A window smaller than the grip only has to be wholly on a screen.
    saveAt({1900, 1060});
    EXPECT_EQ(readOn(store, "Form2", kOneScreen, {20, 20}), (WindowPosition{1900, 1060}));

    // No screen known: nothing can be shown, so nothing is restored.
    EXPECT_EQ(readOn(store, "Form2", {}), std::nullopt);
}
