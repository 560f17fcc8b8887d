#pragma once
// "Keep the computer awake while sounds play": while any sound plays and the soundscape is
// not muted, sleep waits; once everything is silent or muted it may come again. Playing
// ends without a signal (a one-shot runs out), so the state is looked at once a second as
// well as on every master change.
//
// Thread: UI thread.

#include "core/services.h"
#include "core/signal.h"
#include "platform/sleep_blocker.h"

#include <memory>

namespace velmora::desktop {

inline constexpr const char* kKeepAwakeReason = "Velmora is playing a soundscape";
/// Settings-store place of the option, beside the options window's own (opt.tmp is full).
inline constexpr const char* kKeepAwakeSection = "Options";
inline constexpr const char* kKeepAwakeKey = "Keep awake while playing";

/// Read and written in the settings store; on unless the user turned it off.
[[nodiscard]] bool readKeepAwake(const SettingsStore& store);
void writeKeepAwake(SettingsStore& store, bool on);

class KeepAwake {
  public:
    /// Starts looking at once; the option is read from the settings store.
    KeepAwake(Services& services, SleepBlocker& blocker);
    ~KeepAwake();
    KeepAwake(const KeepAwake&) = delete;
    KeepAwake& operator=(const KeepAwake&) = delete;

    [[nodiscard]] bool isEnabled() const { return m_enabled; }
    /// The option: saved, and applied at once.
    void setEnabled(bool on);
    [[nodiscard]] bool isHolding() const { return m_holding; }
    /// Looks again now (after a change the caller knows of).
    void update();

  private:
    Services& m_s;
    SleepBlocker& m_blocker;
    bool m_enabled = true;
    bool m_holding = false;
    std::unique_ptr<Timer> m_timer;
    Connection m_levels;
};

} // namespace velmora::desktop
