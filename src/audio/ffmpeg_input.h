#pragma once
// An audio file opened with FFmpeg's libraries and a converter for its decoded frames: the
// part shared by the whole-file decoder (samples) and the streaming one (music).
//
// Thread: any thread; one object is used by one thread at a time.

#include "audio/decoder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libswresample/swresample.h>
}

#include <memory>
#include <string>
#include <vector>

namespace velmora::audio {

struct FormatCloser {
    void operator()(AVFormatContext* c) const { avformat_close_input(&c); }
};
struct CodecFreer {
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct SwrFreer {
    void operator()(SwrContext* c) const { swr_free(&c); }
};
struct FrameFreer {
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct PacketFreer {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};

/// Sample rates a file may have and still be played (1 kHz .. 768 kHz).
[[nodiscard]] bool rateSupported(int rate);
[[nodiscard]] std::string avError(int code);

/// The best audio stream of a file with its decoder open.
struct FfmpegInput {
    std::unique_ptr<AVFormatContext, FormatCloser> format;
    std::unique_ptr<AVCodecContext, CodecFreer> codec;
    int stream = -1;
};

/// Opens path (recognised by content). None on success; detail gets FFmpeg's message.
[[nodiscard]] DecodeError openFfmpegInput(const std::string& path, FfmpegInput& input,
                                          std::string& detail);

// Turns decoded frames into float at one rate: mono (the plain average of the channels, as
// for libsndfile files, so a file sounds equally loud whichever library read it) or
// interleaved stereo (FFmpeg's own downmix or upmix). A damaged or spliced stream may
// change its sample format, channel layout or rate from one frame to the next, and a frame
// read with a converter set up for other parameters reads past its planes; so every frame
// is checked, a change sets the converter up afresh, and a frame that cannot be converted
// is dropped.
class FrameConverter {
  public:
    enum class Output { Mono, Stereo };
    FrameConverter(int rate, Output output) : m_rate(rate), m_output(output) {}
    ~FrameConverter() { av_channel_layout_uninit(&m_layout); }
    FrameConverter(const FrameConverter&) = delete;
    FrameConverter& operator=(const FrameConverter&) = delete;

    /// Appends the frame's audio to out. False when the converter fails on data it accepted.
    bool add(const AVFrame& frame, std::vector<float>& out);
    /// Appends what the converter still holds.
    bool flush(std::vector<float>& out);
    /// Forgets what the converter holds (after a seek).
    void reset() { m_swr.reset(); }

  private:
    static bool usable(const AVFrame& frame);
    bool matches(const AVFrame& frame) const;
    bool setUp(const AVFrame& frame);
    bool convert(const std::uint8_t** in, int count, std::vector<float>& out);

    const int m_rate;
    const Output m_output;
    std::unique_ptr<SwrContext, SwrFreer> m_swr;
    AVChannelLayout m_layout{}; // the input's
    int m_outChannels = 0;
    int m_format = -1;
    int m_inRate = 0;
    std::vector<float> m_interleaved;
};

} // namespace velmora::audio
