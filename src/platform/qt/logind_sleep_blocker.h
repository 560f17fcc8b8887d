#pragma once
// The sleep lock of systemd-logind over the system bus: an "Inhibit" call hands back a file
// descriptor, and sleep waits for as long as it stays open. Without logind (no system bus,
// a container) holding fails quietly and is not tried again in this run.
//
// Thread: UI thread (the call blocks for at most two seconds).

#include "platform/sleep_blocker.h"

namespace velmora {

class LogindSleepBlocker final : public SleepBlocker {
  public:
    LogindSleepBlocker() = default;
    ~LogindSleepBlocker() override;
    LogindSleepBlocker(const LogindSleepBlocker&) = delete;
    LogindSleepBlocker& operator=(const LogindSleepBlocker&) = delete;

    bool hold(const std::string& why) override;
    void release() override;

  private:
    int m_fd = -1;
    bool m_unavailable = false;
};

} // namespace velmora
