#include "core/main_window/main_window_controller.h"
#include "core/offline_services.h"
#include "hotkeys/hotkeys.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <memory>

using namespace velmora;

namespace {
struct World {
    velmora::testing::TempDir dir;
    OfflineServices offline{dir.path()};
    MainWindowController main{offline.services};
    std::unique_ptr<Hotkeys> keys = make();

    std::unique_ptr<Hotkeys> make() {
        return std::make_unique<Hotkeys>(offline.settings, offline.levels, main.scenarios(),
                                         main.mute());
    }
    Levels& levels() { return offline.levels; }
};

constexpr int kMasterUp = 7, kMasterDown = 8, kBackDown = 4, kMute = 9;
} // namespace

TEST(HotkeyNames, OnlyOfferedNamesHaveCodes) {
    EXPECT_EQ(hotkeyNames().size(), 1u + 26u + 12u);
    EXPECT_EQ(hotkeyCode("A"), 65);
    EXPECT_EQ(hotkeyCode("Z"), 90);
    EXPECT_EQ(hotkeyCode(" F5 "), 116);
    EXPECT_EQ(hotkeyCode("F1"), 112);
    EXPECT_EQ(hotkeyCode("F12"), 123);
    for (const char* none : {"None", "", "a", "F0", "F01", "F13", "AB", "F1x", "5"})
        EXPECT_FALSE(hotkeyCode(none)) << none;
    EXPECT_EQ(hotkeyValueName(0), "FindHotKeys");
    EXPECT_EQ(hotkeyValueName(5), "ReplaceVirtuals");
    EXPECT_EQ(hotkeyValueName(15), "15");
}

TEST(Hotkeys, BoundKeysMoveTheMainLevelsByFifteen) {
    World w;
    ASSERT_TRUE(w.keys->assign(kMasterUp, "F5"));
    ASSERT_TRUE(w.keys->assign(kMasterDown, "M"));
    ASSERT_TRUE(w.keys->assign(kBackDown, "B"));
    w.levels().set(Level::Master, 300);
    w.keys->handleKey("F5");
    EXPECT_EQ(w.levels().master(), 315);
    w.keys->handleKey("Shift+F5"); // Shift is not part of the key
    EXPECT_EQ(w.levels().master(), 330);
    w.keys->handleKey("M");
    EXPECT_EQ(w.levels().master(), 315);
    // A bank level stops at its slider's end, as the slider itself would.
    w.keys->handleKey("B");
    EXPECT_EQ(w.levels().value(Level::Background), 1);
    w.keys->handleKey("F6");
    EXPECT_EQ(w.levels().master(), 315);
}

TEST(Hotkeys, NoneAndEmptyNeverMatchAndSuspendBlocksEverything) {
    World w;
    ASSERT_TRUE(w.keys->assign(kMasterUp, "None"));
    ASSERT_TRUE(w.keys->assign(kMasterDown, ""));
    EXPECT_FALSE(w.keys->assign(kMute, "Ctrl"));
    for (int code = 0; code < 256; ++code)
        w.keys->handleKeyCode(code);
    EXPECT_EQ(w.levels().master(), 500);
    EXPECT_FALSE(w.main.mute().isMuted());

    w.keys->assign(kMasterUp, "F5");
    w.keys->setSuspended(true);
    w.keys->handleKey("F5");
    EXPECT_EQ(w.levels().master(), 500);
    w.keys->setSuspended(false);
    w.keys->handleKey("F5");
    EXPECT_EQ(w.levels().master(), 515);
}

TEST(Hotkeys, OneKeyForTwoActionsRunsBothInTableOrder) {
    World w;
    w.keys->assign(kMute, "Q");
    w.keys->assign(kMasterUp, "Q");
    w.keys->handleKey("Q");
    // Raise first, then mute: the mute keeps the raised level to give back.
    EXPECT_TRUE(w.main.mute().isMuted());
    EXPECT_EQ(w.levels().master(), 0);
    EXPECT_EQ(w.main.mute().unmutedMaster(), 515);
}

TEST(Hotkeys, EveryChangeIsSavedAndDamagedValuesReadAsNoKey) {
    World w;
    w.keys->assign(kMasterUp, "F5");
    // Nothing else is saved: a new run must see the key without a window ever closing.
    auto again = w.make();
    EXPECT_EQ(again->key(kMasterUp), "F5");
    EXPECT_EQ(w.offline.settings.read(kProgramTitle, "hotkeys", "15", ""), "F5");

    w.offline.settings.write(kProgramTitle, kHotkeySection, "1", "F99");
    w.offline.settings.write(kProgramTitle, kHotkeySection, "ReplaceVirtuals",
                             std::string(100000, 'A'));
    w.offline.settings.write(kProgramTitle, kHotkeySection, "7", std::string("\x01\xff", 2));
    w.offline.settings.write(kProgramTitle, kHotkeySection, "FindHotKeys", "my note");
    w.offline.settings.write(kProgramTitle, kHotkeySection, "2", std::string(5000, 'x'));
    auto damaged = w.make();
    EXPECT_EQ(damaged->key(0), "");
    EXPECT_EQ(damaged->key(2), "");
    EXPECT_EQ(damaged->key(3), "");
    EXPECT_EQ(damaged->text(0), "my note");
    EXPECT_EQ(damaged->text(2), "");
}
