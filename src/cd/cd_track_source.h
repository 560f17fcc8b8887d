#pragma once
// CD audio as a stream for the engine: reads a run of sectors from a drive, from a first
// sector to an end, and converts them to floats.
//
// Thread: read() and seek() on the stream's feeder thread.

#include "audio/stream_source.h"
#include "platform/cd/cd_drive.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace velmora::cd {

class CdTrackSource final : public audio::StreamSource {
  public:
    /// Plays sectors [first, end) of drive. The source shares the drive: the channel may
    /// still be reading when the player closes it.
    CdTrackSource(std::shared_ptr<CdDrive> drive, std::int64_t first, std::int64_t end);

    std::size_t read(float* stereo, std::size_t frames) override;
    bool seek(double seconds) override;
    [[nodiscard]] double duration() const override;
    [[nodiscard]] bool failed() const override { return m_failed; }

  private:
    bool refill();

    std::shared_ptr<CdDrive> m_drive;
    const std::int64_t m_first;
    const std::int64_t m_end;
    std::int64_t m_frame; ///< absolute frame (from the disc's first sector) to hand on next
    std::vector<std::int16_t> m_buffer;
    std::size_t m_bufferFrames = 0;
    std::size_t m_bufferPos = 0;
    bool m_failed = false;
};

} // namespace velmora::cd
