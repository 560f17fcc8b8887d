// The CD window on the offscreen platform: drive buttons as the drives are, play and pause
// sharing one place.
#include "cd_fakes.h"
#include "core/offline_services.h"
#include "ui/cd/cd_view.h"

#include <QPushButton>

#include <gtest/gtest.h>

namespace velmora::cd {
namespace {

using testing::FakeDrives;
using testing::FakeOutput;

int driveButtons(const CdView& view) {
    return static_cast<int>(view.findChildren<QPushButton*>(QStringLiteral("cmdDrive")).size());
}

TEST(CdView, ShowsAButtonPerDriveAndSwapsPlayForPause) {
    OfflineServices world{"."};
    FakeDrives drives;
    drives.names = {"/dev/sr0", "/dev/sr1"};
    drives.discs["/dev/sr0"] = {150, 75};
    FakeOutput out;
    CdPlayer player{world.services, drives, out};
    CdView view{player, world.levels, world.settings};
    view.open();
    const auto buttons = view.findChildren<QPushButton*>(QStringLiteral("cmdDrive"));
    ASSERT_EQ(buttons.size(), 2);
    EXPECT_EQ(buttons[0]->text(), "SR0");
    EXPECT_EQ(buttons[1]->toolTip(), "/dev/sr1");

    auto* play = view.findChild<QPushButton*>(QStringLiteral("cmdPlay"));
    auto* pause = view.findChild<QPushButton*>(QStringLiteral("cmdPause"));
    play->click();
    EXPECT_TRUE(play->isHidden());
    EXPECT_FALSE(pause->isHidden());
    pause->click();
    EXPECT_FALSE(play->isHidden());

    view.close();
    EXPECT_FALSE(player.isLoaded());
}

TEST(CdView, WithoutDrivesHasNoDriveButtons) {
    OfflineServices world{"."};
    FakeDrives drives;
    FakeOutput out;
    CdPlayer player{world.services, drives, out};
    CdView view{player, world.levels, world.settings};
    view.open();
    EXPECT_EQ(driveButtons(view), 0);
    EXPECT_EQ(world.dialogs.lastMessage(), kNoDriveMessage);
    EXPECT_TRUE(view.findChild<QPushButton*>(QStringLiteral("cmdImage")) != nullptr);
}

} // namespace
} // namespace velmora::cd
