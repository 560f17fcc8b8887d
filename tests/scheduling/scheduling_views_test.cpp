// The scheduling windows offscreen: what they show, and that they let the program quit.

#include "scheduling_rig.h"
#include "ui/scheduling/alarm_view.h"
#include "ui/scheduling/countdown_view.h"
#include "ui/scheduling/scheduler_view.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <gtest/gtest.h>

namespace velmora::test {
namespace {

using scheduling::SchedulerMode;

TEST(SchedulingViews, SchedulerShowsTheModeMarksBadTimesAndClosesWhenAsked) {
    SchedulingWorld w;
    w.scheduler.load();
    SchedulerView view(w.scheduler, w.settings, [] {});
    view.open();
    auto* panels = view.findChild<QStackedWidget*>();
    view.findChild<QRadioButton*>("Option2")->click();
    EXPECT_EQ(w.scheduler.mode(), SchedulerMode::TimeOfDay);
    EXPECT_EQ(panels->currentIndex(), 1);

    auto* time = view.findChild<QLineEdit*>("Time3");
    time->setText("7:00:00");
    emit time->editingFinished();
    EXPECT_EQ(w.scheduler.table()[2].triggerTime, "7:00:00");
    EXPECT_NE(time->toolTip(), "Enter Time");
    EXPECT_EQ(view.findChild<QLineEdit*>("Time4")->toolTip(), "Enter Time");

    // The smaller of the usual screens, less a panel, holds the window.
    EXPECT_LE(view.frameGeometry().width(), 1366);
    EXPECT_LE(view.frameGeometry().height(), 720);
    EXPECT_LE(view.minimumSizeHint().height(), 720);

    // A window that refuses to close holds up the program's quit.
    EXPECT_TRUE(view.close());
    EXPECT_FALSE(view.isVisible());
}

TEST(SchedulingViews, AlarmOffersStopOnlyWhileSoundingAndClosesWhenAsked) {
    SchedulingWorld w;
    w.alarm.setHour(7);
    w.alarm.setMinute(30);
    AlarmView view(w.alarm, w.settings);
    view.open();
    auto* stop = view.findChild<QPushButton*>("chameleonButton5");
    EXPECT_TRUE(stop->isHidden());
    w.setTime(7, 29, 59);
    w.main.commands().enableAlarm();
    w.run(1);
    EXPECT_FALSE(stop->isHidden());
    stop->click();
    EXPECT_TRUE(stop->isHidden());
    EXPECT_LE(view.frameGeometry().height(), 720);
    EXPECT_FALSE(w.main.commands().isAlarmEnabled());
    EXPECT_TRUE(view.close());
}

TEST(SchedulingViews, CountdownAppearsWhileRunningAndClosingItCancels) {
    SchedulingWorld w;
    CountdownView view(w.countdown);
    EXPECT_FALSE(view.isVisible());
    w.countdown.start(scheduling::PowerAction::PowerOff);
    EXPECT_TRUE(view.isVisible());
    w.run(5);
    EXPECT_EQ(view.findChild<QLabel*>("Label1")->text(),
              "The computer will shut down in 25 seconds");
    view.close();
    EXPECT_FALSE(w.countdown.running());
    w.run(60);
    EXPECT_TRUE(w.power.calls.empty());
}

} // namespace
} // namespace velmora::test
