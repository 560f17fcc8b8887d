#pragma once
// Timers on Qt's event loop. A tick runs to completion before the next event, as every
// controller expects.
//
// Thread: the thread that runs the Qt event loop (the UI thread).

#include "platform/timer_service.h"

namespace velmora {

class QtTimerService final : public TimerService {
  public:
    std::unique_ptr<Timer> createTimer(int intervalMs, std::function<void()> onTick) override;
};

} // namespace velmora
