// The sleep option in the options window: on by default, saved in the settings store the
// moment it is clicked, and opt.tmp stays exactly as it was.
#include "core/offline_services.h"
#include "platform/autostart.h"
#include "support/temp_dir.h"
#include "ui/options/options_view.h"

#include <QCheckBox>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace velmora {
namespace {

struct NoSleepLock final : SleepBlocker {
    bool hold(const std::string&) override { return true; }
    void release() override {}
};

/// opt.tmp as the options window leaves it, with the sleep box clicked or not.
std::string optionsFileAfter(bool clickKeepAwake, bool& keptAwake) {
    testing::TempDir dir;
    OfflineServices world(dir.path());
    NoSleepLock lock;
    desktop::KeepAwake keepAwake(world.services, lock);
    XdgAutoStart autoStart(dir / "autostart", "Velmora", dir / "velmora");
    OutputDeviceChoice device;
    OptionsController controller(world.services, autoStart, device);
    OptionsView view(controller, nullptr, &keepAwake);
    view.open();
    auto* box = view.findChild<QCheckBox*>("chkkeepawake");
    EXPECT_NE(box, nullptr);
    if (!box) return {};
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(box->text(), "Keep the computer awake while sounds play");
    if (clickKeepAwake) box->click();
    view.accept();
    keptAwake = desktop::readKeepAwake(world.settings);
    EXPECT_EQ(keepAwake.isEnabled(), keptAwake);
    std::ifstream in(dir / "opt.tmp", std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(KeepAwakeOption, SavedBesideTheOptionsNotInThem) {
    bool keptAwake = false;
    const std::string untouched = optionsFileAfter(false, keptAwake);
    EXPECT_TRUE(keptAwake);
    const std::string clicked = optionsFileAfter(true, keptAwake);
    EXPECT_FALSE(keptAwake);
    EXPECT_FALSE(untouched.empty());
    EXPECT_EQ(clicked, untouched);
}

} // namespace
} // namespace velmora
