#pragma once
// Holds off the computer's sleep while Velmora plays; the session's power manager owns the
// lock, which ends when it is released or this process ends.
//
// Thread: UI thread.

#include <string>

namespace velmora {

class SleepBlocker {
  public:
    virtual ~SleepBlocker() = default;
    /// Asks for sleep to wait, giving why to the user's power settings; false when the system
    /// refused or offers no way (Velmora then plays on, and the computer may sleep).
    virtual bool hold(const std::string& why) = 0;
    /// Lets sleep happen again; nothing when nothing is held.
    virtual void release() = 0;
};

} // namespace velmora
