#include "core/main_window/main_window_controller.h"
#include "core/offline_services.h"
#include "hotkeys/hotkeys.h"
#include "support/temp_dir.h"
#include "ui/hotkeys/hotkeys_view.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace velmora;

TEST(HotkeysView, ChoosingAKeySavesItAndTypingSuspendsTheKeys) {
    velmora::testing::TempDir dir;
    OfflineServices offline{dir.path()};
    MainWindowController main{offline.services};
    Hotkeys keys(offline.settings, offline.levels, main.scenarios(), main.mute());
    keys.assign(7, "F5");

    HotkeysView view(keys, offline.settings);
    view.open();
    ASSERT_EQ(view.keyList(7)->currentText(), "F5");
    EXPECT_EQ(view.keyList(0)->currentText(), "None");
    QComboBox* list = view.findChild<QComboBox*>("Txtcont1");
    ASSERT_NE(list, nullptr);
    const int row = list->findText("F9");
    list->setCurrentIndex(row);
    emit list->activated(row);
    EXPECT_EQ(offline.settings.read(kProgramTitle, kHotkeySection, "FindVirtualKeys", ""), "F9");

    HotkeySuspender suspender(keys);
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* name = new QLineEdit(&window);
    auto* button = new QPushButton("OK", &window);
    layout->addWidget(name);
    layout->addWidget(button);
    window.show();
    QApplication::setActiveWindow(&window);
    name->setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(keys.isSuspended());
    button->setFocus();
    QApplication::processEvents();
    EXPECT_FALSE(keys.isSuspended());
}
