#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_timer_service.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

using namespace velmora;

namespace {
// Runs the event loop until done() or a generous limit; the result is what done() says,
// never how long it took.
template <typename Done> bool spinUntil(Done done) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

int argc = 1;
char arg0[] = "test";
char* argv[] = {arg0, nullptr};
} // namespace

TEST(QtTimerService, TicksUntilDisabledAndSurvivesDestroyingItselfInItsTick) {
    QCoreApplication app(argc, argv);
    QtTimerService timers;
    int ticks = 0;
    std::unique_ptr<Timer> timer;
    timer = timers.createTimer(5, [&] {
        if (++ticks == 3) timer.reset(); // a one-shot pattern: the tick ends its own timer
    });
    EXPECT_FALSE(timer->isEnabled()) << "timers are created disabled";
    timer->setEnabled(true);
    EXPECT_TRUE(timer->isEnabled());
    ASSERT_TRUE(spinUntil([&] { return ticks >= 3; }));
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(ticks, 3);

    int other = 0;
    auto t2 = timers.createTimer(5, [&] { ++other; });
    t2->setInterval(0);
    EXPECT_EQ(t2->interval(), 1) << "a period is at least 1 ms";
    t2->setEnabled(true);
    ASSERT_TRUE(spinUntil([&] { return other > 0; }));
    t2->setEnabled(false);
    const int seen = other;
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(other, seen);
}

TEST(QtDialogs, PipeSeparatedFiltersBecomeQtFilters) {
    EXPECT_EQ(toQtFilter("Random bank files|*.rcf|All files|*.*"),
              "Random bank files (*.rcf);;All files (*)");
    EXPECT_EQ(toQtFilter("Sounds (*.wav;*.mp3)|*.wav;*.mp3"), "Sounds (*.wav *.mp3)");
    EXPECT_EQ(toQtFilter("Bank files (*.rcf)"), "Bank files (*.rcf)");
}
