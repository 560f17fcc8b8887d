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
    /// Whether the channel can be had (false: no volume control and nothing plays). The
    /// first call takes the channel.
    [[nodiscard]] virtual bool available() = 0;
    /// Plays source from its start in place of whatever played; false when it cannot.
    virtual bool start(std::unique_ptr<audio::StreamSource> source) = 0;
    /// Holds or resumes what plays, keeping the sound already read ahead.
    virtual void setPaused(bool paused) = 0;
    virtual void stop() = 0;
    /// gain: 0 (silent) .. 1 (full), as a fraction of the full amplitude.
    virtual void setVolume(double gain) = 0;
    /// Seconds into the source started last, as far as the listener has heard it.
    [[nodiscard]] virtual double heardSeconds() = 0;
    /// Whether the source started last has been heard to its end (or broke off).
    [[nodiscard]] virtual bool ended() = 0;
};

} // namespace velmora::cd
