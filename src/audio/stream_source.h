#pragma once
// A source of continuous sound for one of the engine's stream channels: music files, the CD
// drive. The stream's feeder thread pulls from it ahead of the audio thread, so read() may
// decode, wait on a disc or a network file system, and allocate; the audio callback only
// ever sees the frames it already produced.
//
// Thread: read(), seek() and sourceEnded on the stream's feeder thread only; duration() on
// any thread once the source is open.

#include <cstddef>

namespace velmora::audio {

class StreamSource {
  public:
    virtual ~StreamSource() = default;
    /// Writes up to frames interleaved stereo frames at 44 100 Hz, samples in [-1, 1], to
    /// stereo; returns how many it wrote. 0: the source has ended (or failed for good).
    virtual std::size_t read(float* stereo, std::size_t frames) = 0;
    /// Moves the read position to seconds from the start; false when it cannot.
    virtual bool seek(double seconds) = 0;
    /// Length in seconds; negative when not known.
    [[nodiscard]] virtual double duration() const = 0;
    /// After read() returned 0: true when the source broke off (a damaged file, a disc
    /// that stopped answering) rather than reaching its end. Feeder thread.
    [[nodiscard]] virtual bool failed() const { return false; }
};

} // namespace velmora::audio
