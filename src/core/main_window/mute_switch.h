#pragma once
// The tray's "Mute": takes the master level to 0 and gives back the exact value the user had.
// The master stays one shared level, so every copy and every bank follows the mute.
//
// Thread: UI thread.

#include "core/levels.h"
#include "core/signal.h"

namespace velmora {

class MuteSwitch {
  public:
    explicit MuteSwitch(Levels& levels);
    MuteSwitch(const MuteSwitch&) = delete;
    MuteSwitch& operator=(const MuteSwitch&) = delete;

    /// Saves the master and sets it to 0, or sets the saved value back.
    void toggle();
    [[nodiscard]] bool isMuted() const { return m_muted; }
    /// The master the user chose: while muted the value the mute saved, else the master.
    [[nodiscard]] int unmutedMaster() const { return m_muted ? m_savedMaster : m_levels.master(); }

    /// Muted (true) or not; also when raising the master by hand ends a mute.
    Signal<bool> changed;

  private:
    Levels& m_levels;
    int m_savedMaster = 0;
    bool m_muted = false;
    bool m_settingMaster = false;
    Connection m_levelsConnection;
};

} // namespace velmora
