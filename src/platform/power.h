#pragma once
// Powering the computer off and suspending it. The desktop back end asks the login manager;
// tests use RecordingPower, so no test can ever reach a real power-off.
//
// Thread: UI thread.

#include <string>
#include <vector>

namespace velmora {

class Power {
  public:
    virtual ~Power() = default;
    /// Asks for the machine to power off; false when nobody would do it.
    virtual bool powerOff() = 0;
    /// Asks for the machine to suspend; false when nobody would do it.
    virtual bool suspend() = 0;
};

/// Test double: records every request and never acts.
class RecordingPower final : public Power {
  public:
    std::vector<std::string> calls; ///< "poweroff", "suspend"
    bool succeed = true;
    bool powerOff() override {
        calls.emplace_back("poweroff");
        return succeed;
    }
    bool suspend() override {
        calls.emplace_back("suspend");
        return succeed;
    }
};

} // namespace velmora
