#pragma once
// CD audio as a stream for the engine: reads a run of sectors from a drive, from a first
// sector to an end, and converts them to floats. The frames already handed on are published
// through a cursor so the UI thread can tell the position without touching the drive.
//
// Thread: read() and seek() on the stream's feeder thread; the cursor on any thread.

#include "audio/stream_source.h"
#include "platform/cd/cd_drive.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

namespace velmora::cd {

/// Absolute frame (counted from the disc's first sector) of the next frame to be played.
using PlayCursor = std::atomic<std::int64_t>;

class CdTrackSource final : public audio::StreamSource {
  public:
    /// Plays sectors [first, end) of drive, which must outlive the source.
    CdTrackSource(CdDrive& drive, std::int64_t first, std::int64_t end,
                  std::shared_ptr<PlayCursor> cursor);

    std::size_t read(float* stereo, std::size_t frames) override;
    bool seek(double seconds) override;
    [[nodiscard]] double duration() const override;

  private:
    bool refill();

    CdDrive& m_drive;
    const std::int64_t m_first;
    const std::int64_t m_end;
    std::shared_ptr<PlayCursor> m_cursor;
    std::int64_t m_frame; ///< absolute frame of the next frame to hand on
    std::vector<std::int16_t> m_buffer;
    std::size_t m_bufferFrames = 0;
    std::size_t m_bufferPos = 0;
};

} // namespace velmora::cd
