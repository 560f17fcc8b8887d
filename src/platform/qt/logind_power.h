#pragma once
// Power-off and suspend through systemd-logind over the system bus, as the session's own
// power menu does (polkit decides; no password prompt is asked for). Without logind, or
// when it refuses, the shell's systemctl is tried instead.
//
// Thread: UI thread (each call blocks for at most a few seconds).

#include "platform/power.h"
#include "platform/shell.h"

namespace velmora {

class LogindPower final : public Power {
  public:
    /// fallback: runs "systemctl poweroff" / "systemctl suspend" when logind cannot.
    explicit LogindPower(Shell& fallback) : m_shell(fallback) {}
    bool powerOff() override;
    bool suspend() override;

  private:
    Shell& m_shell;
};

} // namespace velmora
