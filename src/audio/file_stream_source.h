#pragma once
// Music from a file, decoded piece by piece as the stream's feeder asks for it: any format
// FFmpeg's libraries read (MP3, Ogg, FLAC, Opus, M4A, WAV), recognised by content,
// converted to stereo at 44 100 Hz.
//
// Thread: opened on any thread, then read and sought on the stream's feeder thread.

#include "audio/decoder.h"
#include "audio/ffmpeg_input.h"
#include "audio/stream_source.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace velmora::audio {

class FileStreamSource final : public StreamSource {
  public:
    /// Null when the file cannot be opened as audio; error (and detail) say why.
    static std::unique_ptr<FileStreamSource> open(const std::string& path, DecodeError& error,
                                                  std::string& detail);

    std::size_t read(float* stereo, std::size_t frames) override;
    bool seek(double seconds) override;
    [[nodiscard]] double duration() const override { return m_duration; }
    [[nodiscard]] bool failed() const override { return m_failed; }

  private:
    explicit FileStreamSource(FfmpegInput input);
    /// Decodes at least one more packet's worth into m_pending; false at the end or when
    /// the file broke.
    bool decodeMore();
    bool takeFrames();

    FfmpegInput m_input;
    FrameConverter m_converter;
    std::unique_ptr<AVPacket, PacketFreer> m_packet;
    std::unique_ptr<AVFrame, FrameFreer> m_frame;
    std::vector<float> m_pending; // interleaved stereo, decoded but not yet read
    std::size_t m_pendingAt = 0;  // frames of m_pending already read
    double m_duration = -1.0;
    double m_seekTarget = -1.0; // seconds; frames before it are dropped after a seek
    std::int64_t m_positionFrames = 0;
    int m_badPackets = 0; // in a row
    bool m_ended = false;
    bool m_failed = false;
};

} // namespace velmora::audio
