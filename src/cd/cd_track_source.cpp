#include "cd/cd_track_source.h"

#include <algorithm>
#include <cmath>

namespace velmora::cd {

namespace {
// A few sectors per read keep a drive streaming without holding the feeder long.
constexpr std::size_t kSectorsPerRead = 8;
} // namespace

CdTrackSource::CdTrackSource(std::shared_ptr<CdDrive> drive, std::int64_t first, std::int64_t end)
    : m_drive(std::move(drive)), m_first(first), m_end(std::max(first, end)),
      m_frame(first * kFramesPerSector), m_buffer(kSectorsPerRead * kFramesPerSector * 2) {}

bool CdTrackSource::refill() {
    const std::int64_t sector = m_frame / kFramesPerSector;
    const auto wanted = static_cast<std::size_t>(
        std::min<std::int64_t>(static_cast<std::int64_t>(kSectorsPerRead), m_end - sector));
    if (sector >= m_end || wanted == 0) return false;
    const std::size_t got = m_drive->readAudio(sector, wanted, m_buffer.data());
    if (got == 0) {
        // Short of the end: the disc was taken out or could not be read past here.
        m_failed = true;
        return false;
    }
    m_bufferFrames = std::min(got, wanted) * kFramesPerSector;
    m_bufferPos = static_cast<std::size_t>(m_frame % kFramesPerSector);
    return m_bufferPos < m_bufferFrames;
}

std::size_t CdTrackSource::read(float* stereo, std::size_t frames) {
    std::size_t written = 0;
    while (written < frames) {
        if (m_bufferPos >= m_bufferFrames && !refill()) break;
        const std::size_t n = std::min(frames - written, m_bufferFrames - m_bufferPos);
        const std::int16_t* from = m_buffer.data() + m_bufferPos * 2;
        for (std::size_t i = 0; i < n * 2; ++i)
            stereo[written * 2 + i] = static_cast<float>(from[i]) / 32768.0f;
        m_bufferPos += n;
        written += n;
        m_frame += static_cast<std::int64_t>(n);
    }
    return written;
}

bool CdTrackSource::seek(double seconds) {
    if (!std::isfinite(seconds) || seconds < 0) return false;
    const auto frame =
        m_first * kFramesPerSector + static_cast<std::int64_t>(std::llround(seconds * 44100.0));
    if (frame > m_end * kFramesPerSector) return false;
    m_frame = frame;
    m_bufferFrames = m_bufferPos = 0;
    return true;
}

double CdTrackSource::duration() const {
    return static_cast<double>(m_end - m_first) / kSectorsPerSecond;
}

} // namespace velmora::cd
