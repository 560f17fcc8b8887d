#pragma once
// The output-device index held for the whole run: chosen at start from main2.tmp (before
// the sound engine starts), changed by the device window, written back at quit. The
// device window's choice takes effect at the next start.
//
// Thread: UI thread.

#include "core/signal.h"

#include <cstdint>
#include <string>

namespace velmora {

class OutputDeviceChoice {
  public:
    [[nodiscard]] std::int16_t index() const { return m_index; }
    /// The chosen device's name, when known (empty until the device window sets it).
    [[nodiscard]] const std::string& name() const { return m_name; }
    void set(std::int16_t index, std::string name = {}) {
        m_index = index;
        m_name = std::move(name);
        changed();
    }
    Signal<> changed;

  private:
    std::int16_t m_index = 0;
    std::string m_name;
};

} // namespace velmora
