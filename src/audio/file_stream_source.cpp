#include "audio/file_stream_source.h"

#include "audio/sound_engine.h"

#include <algorithm>
#include <cmath>

namespace velmora::audio {
namespace {

// A damaged stretch of a file costs a few packets; this many in a row is a file that has
// stopped being audio.
constexpr int kMaxBadPacketsInARow = 64;
// Ending this much before the length the file announced means it broke off.
constexpr double kEarlyEndSeconds = 1.0;

} // namespace

std::unique_ptr<FileStreamSource> FileStreamSource::open(const std::string& path,
                                                         DecodeError& error, std::string& detail) {
    FfmpegInput input;
    error = openFfmpegInput(path, input, detail);
    if (error != DecodeError::None) return nullptr;
    std::unique_ptr<FileStreamSource> source(new FileStreamSource(std::move(input)));
    if (!source->m_packet || !source->m_frame) {
        error = DecodeError::DecodeFailed;
        return nullptr;
    }
    return source;
}

FileStreamSource::FileStreamSource(FfmpegInput input)
    : m_input(std::move(input)), m_converter(kSampleRate, FrameConverter::Output::Stereo),
      m_packet(av_packet_alloc()), m_frame(av_frame_alloc()) {
    const AVFormatContext* format = m_input.format.get();
    const AVStream* stream = format->streams[m_input.stream];
    if (format->duration != AV_NOPTS_VALUE && format->duration > 0)
        m_duration = static_cast<double>(format->duration) / AV_TIME_BASE;
    else if (stream->duration != AV_NOPTS_VALUE && stream->duration > 0)
        m_duration = static_cast<double>(stream->duration) * av_q2d(stream->time_base);
}

std::size_t FileStreamSource::read(float* stereo, std::size_t frames) {
    std::size_t done = 0;
    while (done < frames) {
        const std::size_t waiting = m_pending.size() / 2 - m_pendingAt;
        if (waiting == 0) {
            m_pending.clear();
            m_pendingAt = 0;
            if (m_ended || !decodeMore()) break;
            continue;
        }
        const std::size_t n = std::min(frames - done, waiting);
        const float* from = m_pending.data() + 2 * m_pendingAt;
        // A damaged float stream can carry NaN or infinity, which would poison the whole mix.
        for (std::size_t i = 0; i < 2 * n; ++i)
            stereo[2 * done + i] = std::isfinite(from[i]) ? from[i] : 0.0f;
        m_pendingAt += n;
        done += n;
    }
    m_positionFrames += static_cast<std::int64_t>(done);
    if (done == 0 && m_ended && !m_failed && m_duration > 0 &&
        static_cast<double>(m_positionFrames) / kSampleRate < m_duration - kEarlyEndSeconds)
        m_failed = true;
    return done;
}

bool FileStreamSource::seek(double seconds) {
    const auto target = static_cast<std::int64_t>(std::max(0.0, seconds) * AV_TIME_BASE);
    if (av_seek_frame(m_input.format.get(), -1, target, AVSEEK_FLAG_BACKWARD) < 0) return false;
    avcodec_flush_buffers(m_input.codec.get());
    m_converter.reset();
    m_pending.clear();
    m_pendingAt = 0;
    m_seekTarget = std::max(0.0, seconds);
    m_positionFrames = static_cast<std::int64_t>(m_seekTarget * kSampleRate);
    m_badPackets = 0;
    m_ended = false;
    m_failed = false;
    return true;
}

bool FileStreamSource::decodeMore() {
    AVFormatContext* format = m_input.format.get();
    AVCodecContext* codec = m_input.codec.get();
    while (m_pending.empty()) {
        const int rc = av_read_frame(format, m_packet.get());
        if (rc < 0) {
            // The end of the file, or a read that failed: take what the decoder still holds.
            avcodec_send_packet(codec, nullptr);
            takeFrames();
            m_converter.flush(m_pending);
            m_ended = true;
            if (rc != AVERROR_EOF && format->pb && !avio_feof(format->pb)) m_failed = true;
            return !m_pending.empty();
        }
        const bool ours = m_packet->stream_index == m_input.stream;
        const int sent = ours ? avcodec_send_packet(codec, m_packet.get()) : 0;
        av_packet_unref(m_packet.get());
        if (!ours) continue;
        if ((sent < 0 && sent != AVERROR(EAGAIN)) || !takeFrames()) {
            if (++m_badPackets >= kMaxBadPacketsInARow) {
                m_ended = true;
                m_failed = true;
                return false;
            }
            continue;
        }
        m_badPackets = 0;
    }
    return true;
}

bool FileStreamSource::takeFrames() {
    AVCodecContext* codec = m_input.codec.get();
    const AVRational timeBase = m_input.format->streams[m_input.stream]->time_base;
    int rc;
    while ((rc = avcodec_receive_frame(codec, m_frame.get())) >= 0) {
        const std::size_t before = m_pending.size();
        const std::int64_t pts = m_frame->best_effort_timestamp;
        const bool converted = m_converter.add(*m_frame, m_pending);
        av_frame_unref(m_frame.get());
        if (!converted) return false;
        if (m_seekTarget < 0) continue;
        // Seeking lands on the packet at or before the target; drop the frames before it so
        // that the position shown is the position heard.
        if (pts == AV_NOPTS_VALUE) {
            m_seekTarget = -1;
            continue;
        }
        const double start = static_cast<double>(pts) * av_q2d(timeBase);
        const auto early = static_cast<std::size_t>(
            std::max(0.0, std::round((m_seekTarget - start) * kSampleRate)));
        const std::size_t got = (m_pending.size() - before) / 2;
        m_pending.erase(m_pending.begin() + static_cast<std::ptrdiff_t>(before),
                        m_pending.begin() +
                            static_cast<std::ptrdiff_t>(before + 2 * std::min(early, got)));
        if (early < got) m_seekTarget = -1;
    }
    return rc == AVERROR(EAGAIN) || rc == AVERROR_EOF;
}

} // namespace velmora::audio
