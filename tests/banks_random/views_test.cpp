// The random bank windows bind to their banks: controls carry their object names, a
// caption click previews, sliders move slot values both ways, the level copies are the
// shared levels, and the identify window keeps at most its limit of lines.
#include "rig.h"

#include "ui/banks/random/random_bank_view.h"
#include "ui/banks/random/random_windows.h"
#include "ui/widgets/scheme_style.h"

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>

#include <QStyle>
#include <QStyleOptionComboBox>
#include <cmath>

#include <gtest/gtest.h>

namespace velmora::test {
namespace {

class Views : public ::testing::Test {
  protected:
    Views() : windows(*rig.banks, rig.levels, rig.settings) {}
    RandomRig rig;
    RandomWindows windows;
};

TEST_F(Views, SlidersAndCaptionsAreBoundToTheSlots) {
    auto& view = windows.bankView(2);
    EXPECT_EQ(view.objectName(), "frmrandommain2");
    auto* volume23 = view.findChild<QSlider*>("ucSlider39"); // slot 23's volume
    auto* frequency15 = view.findChild<QSlider*>("ucSlider47");
    auto* caption1 = view.findChild<QLabel*>("Label7");
    auto* caption14 = view.findChild<QLabel*>("Label21");
    ASSERT_TRUE(volume23 && frequency15 && caption1 && caption14);
    EXPECT_EQ(caption1->text(), "Bumble bee 1");
    EXPECT_EQ(caption14->text(), "Creek hopper");

    volume23->setValue(12);
    EXPECT_EQ(rig.banks->bank(2).slot(23).volume, 12);
    rig.banks->bank(2).setFrequency(15, 77);
    EXPECT_EQ(frequency15->value(), 77);
    rig.banks->bank(2).setAllVolumes(0);
    EXPECT_EQ(volume23->value(), 0);

    QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(caption1, &press);
    EXPECT_TRUE(rig.engine.isPlaying(rig.banks->bank(2).slot(1).channel));
}

TEST_F(Views, LevelCopiesAreTheSharedLevels) {
    auto& custom = windows.customView();
    auto* master = custom.findChild<QSlider*>("ucSlider20");
    auto* random = windows.bankView(1).findChild<QSlider*>("maxvol");
    ASSERT_TRUE(master && random);
    master->setValue(123);
    EXPECT_EQ(rig.levels.master(), 123);
    rig.levels.set(Level::Random, 3);
    EXPECT_EQ(random->value(), 3);
    EXPECT_EQ(custom.findChild<QSlider*>("maxvol")->value(), 3);
}

// In the main window's scheme, whose style sheet the dialogs inherit: the longest period
// shows in full, the threshold's value is there to read, both buttons are inside, and the
// two dialogs say which banks they set.
TEST_F(Views, IntervalDialogsAreReadableInTheScheme) {
    QWidget main;
    applyScheme(&main, ColorScheme{});
    RandomWindows hosted(*rig.banks, rig.levels, rig.settings, &main);
    QStringList titles;
    for (const bool custom : {false, true}) {
        hosted.showIntervals(custom);
        QWidget* dialog = nullptr;
        for (auto* w : QApplication::topLevelWidgets())
            if (w->objectName() == (custom ? "Form33" : "Form3") && w->parent() == &main)
                dialog = w;
        ASSERT_TRUE(dialog);
        titles << dialog->windowTitle();
        auto* list = dialog->findChild<QComboBox*>("Combo1");
        list->setCurrentText("45");
        QStyleOptionComboBox option;
        option.initFrom(list);
        const QRect field = list->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                          QStyle::SC_ComboBoxEditField, list);
        // The text is drawn inset from the field's edges: half a digit each side at least.
        EXPECT_GE(field.width(), list->fontMetrics().horizontalAdvance("450"))
            << "the period is cut";

        dialog->findChild<QSlider*>("ucSlider1")->setValue(123);
        EXPECT_EQ(dialog->findChild<QLabel*>("lblthreshold")->text(), "123");
        for (const char* name : {"cmdok", "cmdcancel"}) {
            auto* b = dialog->findChild<QPushButton*>(name);
            EXPECT_TRUE(b->isVisible() &&
                        dialog->rect().contains(QRect(b->mapTo(dialog, QPoint()), b->size())))
                << name;
        }
        dialog->findChild<QPushButton*>("cmdcancel")->click();
    }
    EXPECT_NE(titles[0], titles[1]);
}

// The identify window keeps its newest line selected: that line must read at 4.5:1 in the
// scheme's highlight, whatever text colours the scheme brings.
TEST_F(Views, IdentifySelectionIsReadable) {
    const auto luminance = [](const QColor& c) {
        double sum = 0;
        for (const auto& [v, weight] : {std::pair{c.redF(), 0.2126}, std::pair{c.greenF(), 0.7152},
                                        std::pair{c.blueF(), 0.0722}})
            sum += weight * (v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4));
        return sum;
    };
    ColorScheme orange; // the default: white text on an orange highlight reads at 2.5:1
    ColorScheme grey;
    grey.startGradient = 0x767676; // the hardest grey for black and for white alike
    grey.textBoxBackground = 0x777777;
    grey.textBoxForeground = 0x757575;
    for (const ColorScheme& scheme : {orange, grey}) {
        QWidget main; // whose style sheet the window inherits, as from the main window
        applyScheme(&main, scheme);
        for (int n = 1; n <= 4; ++n)
            rig.banks->bank(n).docolors(scheme);
        RandomWindows hosted(*rig.banks, rig.levels, rig.settings, &main);
        hosted.showIdentify();
        rig.banks->identify().add("Wren", "Random 1 - column 1");
        QListWidget* list = nullptr;
        for (auto* w : QApplication::topLevelWidgets())
            if (w->objectName() == "Frmsoundindent" && w->parent() == &main)
                list = w->findChild<QListWidget*>("List1");
        ASSERT_TRUE(list);
        list->setCurrentRow(list->count() - 1);
        const QImage shot = list->grab().toImage();
        const QRect row = list->visualItemRect(list->currentItem());
        // The row's background, and the darkest or lightest pixel of its text against it.
        const QColor back = shot.pixelColor(row.right() - 4, row.center().y());
        double best = 1;
        for (int x = row.left(); x < row.left() + 40; ++x)
            for (int y = row.top(); y <= row.bottom(); ++y) {
                const double a = luminance(shot.pixelColor(x, y)), b = luminance(back);
                best = std::max(best, (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05));
            }
        EXPECT_GE(best, 4.5) << "highlight " << back.name().toStdString();
    }
}

TEST_F(Views, AutoButtonsSwitchAllFourNumberedBanks) {
    auto* autoButton = windows.bankView(3).findChild<QPushButton*>("cmdauto");
    ASSERT_TRUE(autoButton);
    EXPECT_EQ(autoButton->toolTip(), "Enable / Disable automatic frequency randomization");
    autoButton->click();
    EXPECT_TRUE(rig.banks->bank(1).autoRandomizeOn());
    EXPECT_TRUE(windows.bankView(4).findChild<QPushButton*>("cmdauto")->isChecked());
}

TEST_F(Views, IntervalDialogKeepsTheOldPeriodUnlessOkIsPressed) {
    auto& form33 = rig.banks->form33();
    ASSERT_TRUE(form33.setPeriodMinutes(10));
    windows.showIntervals(true);
    QWidget* dialog = nullptr;
    for (auto* w : QApplication::topLevelWidgets())
        if (w->objectName() == "Form33") dialog = w;
    ASSERT_TRUE(dialog);
    auto* list = dialog->findChild<QComboBox*>("Combo1");
    ASSERT_TRUE(list);

    list->setCurrentIndex(0); // 1 minute
    EXPECT_EQ(form33.periodMinutes(), 10);
    dialog->findChild<QPushButton*>("cmdcancel")->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(form33.periodMinutes(), 10);

    windows.showIntervals(true);
    EXPECT_EQ(list->currentText(), "10"); // the list comes back showing the period in force
    list->setCurrentIndex(0);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(dialog, &escape);
    EXPECT_EQ(form33.periodMinutes(), 10);

    windows.showIntervals(true);
    list->setCurrentIndex(1); // 2 minutes
    dialog->findChild<QPushButton*>("cmdok")->click();
    EXPECT_EQ(form33.periodMinutes(), 2);
    EXPECT_TRUE(rig.banks->custom().autoRandomizeOn()); // OK switches the randomising on
}

TEST_F(Views, IdentifyWindowKeepsTheNewestLines) {
    windows.showIdentify();
    for (int i = 0; i < 1200; ++i)
        rig.banks->identify().add("s" + std::to_string(i), "x");
    QListWidget* sounds = nullptr;
    for (auto* w : QApplication::topLevelWidgets())
        if (w->objectName() == "Frmsoundindent") sounds = w->findChild<QListWidget*>("List1");
    ASSERT_TRUE(sounds);
    EXPECT_EQ(sounds->count(), 1000);
    EXPECT_EQ(sounds->item(999)->text(), "s1199");
    rig.banks->identify().clear();
    ASSERT_EQ(sounds->count(), 1);
    EXPECT_EQ(sounds->item(0)->text(), "Waiting...");
}

TEST_F(Views, IdentifyWindowReopensWhereItWasLeftButNeverOffScreen) {
    // A place saved while a second monitor was attached.
    rig.settings.write(kProgramTitle, "Settings25", "MainLeft", "-5000");
    rig.settings.write(kProgramTitle, "Settings25", "MainTop", "40");
    windows.showIdentify();
    QWidget* window = nullptr;
    for (auto* w : QApplication::topLevelWidgets())
        if (w->objectName() == "Frmsoundindent") window = w;
    ASSERT_TRUE(window);
    EXPECT_GE(window->frameGeometry().left(), 0) << "a place off every screen is ignored";

    window->move(300, 200);
    window->hide();
    EXPECT_EQ(rig.settings.read(kProgramTitle, "Settings25", "mainleft", ""), "300");
    window->move(0, 0);
    windows.showIdentify();
    EXPECT_EQ(window->pos(), QPoint(300, 200));
}

} // namespace
} // namespace velmora::test
