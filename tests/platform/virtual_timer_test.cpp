#include "platform/virtual_timer_service.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using velmora::VirtualTimerService;

TEST(VirtualTimerService, FiresInTimeOrderWithTiesInCreationOrder) {
    VirtualTimerService timers;
    std::vector<std::string> log;
    auto a = timers.createTimer(500, [&] { log.push_back("a@" + std::to_string(timers.now())); });
    auto b = timers.createTimer(250, [&] { log.push_back("b@" + std::to_string(timers.now())); });
    a->setEnabled(true);
    b->setEnabled(true);
    timers.advance(1000);
    const std::vector<std::string> expected{"b@250", "a@500", "b@500", "b@750", "a@1000", "b@1000"};
    EXPECT_EQ(log, expected);
}

TEST(VirtualTimerService, CallbackMayDisableOrRestartTimers) {
    VirtualTimerService timers;
    int oneShot = 0, periodic = 0;
    std::unique_ptr<velmora::Timer> shot;
    shot = timers.createTimer(2000, [&] {
        ++oneShot;
        shot->setEnabled(false);
    });
    auto every = timers.createTimer(100, [&] { ++periodic; });
    shot->setEnabled(true);
    every->setEnabled(true);
    timers.advance(10'000);
    EXPECT_EQ(oneShot, 1);
    EXPECT_EQ(periodic, 100);
    every->setInterval(1000); // a new period counts from now
    timers.advance(999);
    EXPECT_EQ(periodic, 100);
    timers.advance(1);
    EXPECT_EQ(periodic, 101);
    every.reset(); // a destroyed timer never fires again
    timers.advance(5000);
    EXPECT_EQ(periodic, 101);
}
