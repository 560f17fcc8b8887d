// The background bank panels as a user meets them (offscreen): object names, controls
// that drive the bank, level copies that move the shared levels, rows that follow the drift.
#include "rig.h"

#include "ui/banks/background/background_bank_view.h"
#include "ui/banks/background/bw_bank_view.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <gtest/gtest.h>

namespace velmora {
namespace {

template <typename T> T* child(QWidget& w, const char* name) {
    auto* c = w.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
}

TEST(BackgroundView, RowsDriveTheBankAndFollowItsDrift) {
    test::BackgroundRig rig;
    BackgroundBank bank(rig.services, backgroundBankOne());
    BackgroundBankView view(bank, rig.levels);
    EXPECT_EQ(view.objectName(), "frmback");
    view.show();
    EXPECT_EQ(rig.engine.playingCount(), 1); // the start-up sound on first showing

    auto* on = child<QCheckBox>(view, "Check5");
    EXPECT_EQ(on->text(), "Rain on leaves");
    on->click();
    EXPECT_TRUE(rig.engine.isPlaying(bank.voice(5).channel()));

    child<QSlider>(view, "rate5")->setValue(999);
    rig.run(100); // 20 drift steps from 220 towards 125
    view.flush();
    EXPECT_EQ(child<QSlider>(view, "volume5")->value(), 200);

    // The lower bound cannot pass the upper one: its bar snaps back and the text says so.
    child<QScrollBar>(view, "rangeHigh5")->setValue(100);
    child<QScrollBar>(view, "rangeLow5")->setValue(150);
    EXPECT_EQ(child<QScrollBar>(view, "rangeLow5")->value(), 100);
    EXPECT_EQ(child<QLabel>(view, "rangeLowText5")->text(), "100");
    EXPECT_EQ(bank.slot(5).rangeHigh(), 100);

    child<QPushButton>(view, "cmdStopAll")->click();
    view.flush();
    EXPECT_FALSE(on->isChecked());
    child<QPushButton>(view, "cmdVolumeMax")->click();
    view.flush();
    EXPECT_EQ(child<QSlider>(view, "volume1")->value(), 250);
}

TEST(BackgroundView, RangeBarsMoveTheWayTheirArrowsPoint) {
    test::BackgroundRig rig(false);
    BackgroundBank bank(rig.services, backgroundBankOne());
    BackgroundBankView view(bank, rig.levels);
    auto* low = child<QScrollBar>(view, "rangeLow2");
    auto* high = child<QScrollBar>(view, "rangeHigh2");
    const auto bounds = [&] {
        view.flush();
        return std::pair{child<QLabel>(view, "rangeLowText2")->text().toInt(),
                         child<QLabel>(view, "rangeHighText2")->text().toInt()};
    };
    ASSERT_EQ(bounds(), std::pair(0, 250)); // a fresh slot spans 0 to 250

    // What a click on each arrow does: right raises the bound, left lowers it.
    high->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(bounds(), std::pair(0, 249));
    high->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(bounds(), std::pair(0, 250));
    low->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(bounds(), std::pair(1, 250));
    low->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(bounds(), std::pair(26, 250));
    EXPECT_LT(low->value(), high->value()); // the louder bound's bar sits further right

    // The group buttons do what their tool tips say, and the bars follow them.
    child<QPushButton>(view, "cmdRangeLowUp")->click();
    EXPECT_EQ(bounds(), std::pair(41, 250)); // 26 + 15
    child<QPushButton>(view, "cmdRangeLowDown")->click();
    EXPECT_EQ(bounds(), std::pair(26, 250));
    child<QPushButton>(view, "cmdRangeHighDown")->click();
    EXPECT_EQ(bounds(), std::pair(26, 245)); // 250 - 5
    child<QPushButton>(view, "cmdRangeHighUp")->click();
    EXPECT_EQ(bounds(), std::pair(26, 250));
    EXPECT_EQ(low->value(), 26);
    EXPECT_EQ(high->value(), 250);
    EXPECT_EQ(child<QPushButton>(view, "cmdRangeLowUp")->toolTip(), "All lower bounds up");
}

TEST(BackgroundView, LevelCopiesMoveTheSharedLevels) {
    test::BackgroundRig rig;
    BackgroundBank bank(rig.services, backgroundBankTwo());
    BackgroundBankView view(bank, rig.levels);
    EXPECT_EQ(view.objectName(), "frmback2");
    child<QSlider>(view, "ucSlider20")->setValue(321);
    EXPECT_EQ(rig.levels.master(), 321);
    rig.levels.set(Level::Background, 4);
    EXPECT_EQ(child<QSlider>(view, "maxvol")->value(), 4);
}

TEST(BackgroundView, CustomRowsChooseSoundsAndShowTheirNames) {
    test::BackgroundRig rig(false);
    CustomBackgroundBank bank(rig.services);
    BackgroundBankView view(bank, rig.levels);
    EXPECT_EQ(view.objectName(), "frmbackcustom");
    const auto sound = rig.file("soundbanks/background sounds/surf.wav");
    test::writeWav(sound, test::loopTexture(0.1, 100, 300, 0.3, 5));
    rig.dialogs.files.push_back(sound.string());
    child<QPushButton>(view, "cmdSelect3")->click();
    view.flush();
    EXPECT_EQ(child<QCheckBox>(view, "Check3")->text(), "surf");
    EXPECT_NE(child<QPushButton>(view, "cmdReset"), nullptr);
    EXPECT_NE(child<QPushButton>(view, "cmdLoadMultiple"), nullptr);
}

TEST(BwView, OnlyOneToneStaysTicked) {
    test::BackgroundRig rig;
    BwBank bank(rig.services);
    BwBankView view(bank, rig.levels);
    EXPECT_EQ(view.objectName(), "frmbackbw");
    child<QCheckBox>(view, "Check2")->click();
    child<QCheckBox>(view, "Check7")->click();
    EXPECT_FALSE(child<QCheckBox>(view, "Check2")->isChecked());
    EXPECT_TRUE(child<QCheckBox>(view, "Check7")->isChecked());
    EXPECT_EQ(rig.engine.playingCount(), 1);
    child<QSlider>(view, "maxvol")->setValue(3);
    EXPECT_EQ(rig.levels.value(Level::Bwaves), 3);
}

} // namespace
} // namespace velmora
