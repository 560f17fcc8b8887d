#include "core/startup/device_selection.h"
#include "core/startup/startup_config.h"
#include "platform/virtual_timer_service.h"

#include <gtest/gtest.h>

using namespace velmora;

namespace {
struct Fixture {
    VirtualTimerService timers;
    ScriptedDialogs dialogs;
    OutputDeviceChoice device;
    std::vector<std::string> names{"Primary Sound Driver", "A", "B", "C"};
    int listings = 0;
    DeviceSelectionController window{timers, dialogs, device, [this] {
                                         ++listings;
                                         return names;
                                     }};
};
} // namespace

TEST(DeviceList, ShowsDevicesInReverseOrderWithoutThePrimaryDriver) {
    const std::vector<DeviceEntry> expected{{"C", 3}, {"B", 2}, {"A", 1}};
    EXPECT_EQ(buildDeviceList({"Primary Sound Driver", "A", "B", "C"}), expected);
    EXPECT_TRUE(buildDeviceList({"Primary Sound Driver"}).empty());
    EXPECT_TRUE(buildDeviceList({}).empty());
    // Names end at their first NUL, and a primary driver anywhere is left out.
    EXPECT_EQ(buildDeviceList({std::string("Primary Sound Driver\0x", 22),
                               std::string("USB\0junk", 8), std::string("Primary Sound Driver ")}),
              (std::vector<DeviceEntry>{{"Primary Sound Driver ", 2}, {"USB", 1}}));
}

TEST(DeviceSelection, ListFillsOnTheFirstTickAndChoosingBStoresIndexTwo) {
    Fixture f;
    f.window.open();
    EXPECT_TRUE(f.window.entries().empty());
    f.timers.advance(49);
    EXPECT_EQ(f.listings, 0);
    f.timers.advance(1);
    ASSERT_EQ(f.window.entries().size(), 3u);
    f.timers.advance(500);
    EXPECT_EQ(f.listings, 1) << "the timer fills the list once";

    int closes = 0;
    auto c = f.window.closeRequested.connect([&] { ++closes; });
    f.window.select(1); // "B"
    EXPECT_TRUE(f.window.ok());
    EXPECT_EQ(f.device.index(), 2);
    EXPECT_EQ(f.device.name(), "B");
    ASSERT_EQ(f.dialogs.messages.size(), 1u);
    EXPECT_EQ(f.dialogs.lastMessage(),
              "You will need to restart the program for the new settings to take effect.");
    EXPECT_EQ(f.dialogs.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(closes, 1);
}

TEST(DeviceSelection, OkWithoutAChoiceExplainsAndStaysOpen) {
    Fixture f;
    f.names = {"Primary Sound Driver"};
    f.device.set(4);
    f.window.open();
    f.timers.advance(50);
    EXPECT_TRUE(f.window.entries().empty());
    int closes = 0;
    auto c = f.window.closeRequested.connect([&] { ++closes; });
    EXPECT_FALSE(f.window.ok());
    f.window.select(7);
    EXPECT_FALSE(f.window.ok());
    EXPECT_EQ(closes, 0);
    EXPECT_EQ(f.device.index(), 4) << "the index held for the run is unchanged";
    EXPECT_EQ(f.dialogs.lastMessage(),
              std::string("There was a problem selecting this source. Please select again. If "
                          "the problem persists, please contact ") +
                  config::kSupportContact);
}
