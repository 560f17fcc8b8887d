#pragma once
// Where CD audio goes: one of the sound engine's stream channels, so the disc plays through
// the same device, effects and clock as the soundscape. Its volume is the CD volume; there
// is no analogue CD line to turn up on current machines.
//
// Thread: UI thread.

#include "audio/stream_source.h"

#include <memory>

namespace velmora::cd {

class CdOutput {
  public:
    virtual ~CdOutput() = default;
    /// Whether the channel can be had at all (false: no volume control, nothing plays).
    [[nodiscard]] virtual bool available() const = 0;
    /// Plays source from its start in place of whatever played; false when it cannot.
    virtual bool start(std::unique_ptr<audio::StreamSource> source) = 0;
    /// Holds or resumes what plays, keeping the sound already read ahead.
    virtual void setPaused(bool paused) = 0;
    virtual void stop() = 0;
    /// gain: 0 (silent) .. 1 (full).
    virtual void setVolume(double gain) = 0;
};

} // namespace velmora::cd
