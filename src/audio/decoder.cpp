#include "audio/decoder.h"

#include <sndfile.h>
#include <soxr.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

#include <algorithm>
#include <cmath>
#include <memory>

namespace velmora::audio {
namespace {

constexpr double kTargetRate = 44100.0;
// A header may claim any rate or length; a damaged or hostile file must not make us reserve
// gigabytes. Rates outside this range are not audio we can play, and a sound longer than an
// hour is cut there (it would cost over 300 MB as a sample).
constexpr int kMinSourceRate = 1000;
constexpr int kMaxSourceRate = 768000;
constexpr double kMaxSeconds = 3600.0;
constexpr std::size_t kMaxReserveFrames = std::size_t{1} << 22;

bool rateSupported(int rate) {
    return rate >= kMinSourceRate && rate <= kMaxSourceRate;
}
std::size_t maxFrames(int rate) {
    return static_cast<std::size_t>(kMaxSeconds * rate);
}

// libsndfile reads the common containers (WAV, AIFF, FLAC, Ogg, MP3) with exact sample
// values; it is the first choice.
bool decodeWithSndfile(const std::string& path, MonoAudio& out) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) return false;
    std::unique_ptr<SNDFILE, int (*)(SNDFILE*)> guard(file, sf_close);
    if (info.channels <= 0 || !rateSupported(info.samplerate)) return false;
    // libsndfile's MPEG reader also accepts files that merely look like MPEG after a
    // resync (an ASF/WMA file, for one); FFmpeg's content probe tells them apart.
    if ((info.format & SF_FORMAT_TYPEMASK) == SF_FORMAT_MPEG) return false;
    // Normalised float reads keep integer formats exact and scale floats sensibly.
    sf_command(file, SFC_SET_NORM_FLOAT, nullptr, SF_TRUE);
    const int channels = info.channels;
    std::vector<float> block(static_cast<std::size_t>(4096) * channels);
    out.frames.clear();
    if (info.frames > 0)
        out.frames.reserve(std::min(static_cast<std::size_t>(info.frames), kMaxReserveFrames));
    const std::size_t limit = maxFrames(info.samplerate);
    while (out.frames.size() < limit) {
        const sf_count_t got = sf_readf_float(file, block.data(), 4096);
        if (got <= 0) break;
        for (sf_count_t i = 0; i < got; ++i) {
            float sum = 0.0f;
            for (int c = 0; c < channels; ++c)
                sum += block[static_cast<std::size_t>(i * channels + c)];
            out.frames.push_back(sum / static_cast<float>(channels));
        }
    }
    if (out.frames.size() > limit) out.frames.resize(limit);
    out.rate = info.samplerate;
    return !out.frames.empty();
}

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

std::string avError(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

// Turns decoded frames into mono float at one rate. A damaged or spliced stream may change
// its sample format, channel layout or rate from one frame to the next, and a frame read
// with a converter set up for other parameters reads past its planes; so every frame is
// checked, a change sets the converter up afresh, and a frame that cannot be converted is
// dropped. Only the sample format (and, after a change of rate, the rate) is converted here;
// the downmix is the same plain average as for libsndfile files, so a file sounds equally
// loud whichever library read it.
class FrameConverter {
  public:
    explicit FrameConverter(int rate) : m_rate(rate) {}
    ~FrameConverter() { av_channel_layout_uninit(&m_layout); }
    FrameConverter(const FrameConverter&) = delete;
    FrameConverter& operator=(const FrameConverter&) = delete;

    /// Appends the frame's audio to out. False when the converter fails on data it accepted.
    bool add(const AVFrame& frame, std::vector<float>& out) {
        if (!usable(frame)) return true;
        if (!matches(frame) && (!flush(out) || !setUp(frame))) return true;
        return convert(const_cast<const std::uint8_t**>(frame.extended_data), frame.nb_samples,
                       out);
    }

    /// Appends what the converter still holds (only a rate change makes it hold any).
    bool flush(std::vector<float>& out) {
        return !m_swr || m_inRate == m_rate || convert(nullptr, 0, out);
    }

  private:
    static AVChannelLayout layoutOf(const AVFrame& frame) {
        AVChannelLayout layout{};
        if (frame.ch_layout.order == AV_CHANNEL_ORDER_UNSPEC)
            av_channel_layout_default(&layout, frame.ch_layout.nb_channels);
        else if (av_channel_layout_copy(&layout, &frame.ch_layout) < 0)
            return AVChannelLayout{};
        return layout;
    }

    static bool usable(const AVFrame& frame) {
        const int channels = frame.ch_layout.nb_channels;
        if (frame.nb_samples <= 0 || channels <= 0 || channels > kMaxChannels ||
            !rateSupported(frame.sample_rate) || !frame.extended_data)
            return false;
        const auto format = static_cast<AVSampleFormat>(frame.format);
        if (av_get_bytes_per_sample(format) <= 0) return false;
        const int planes = av_sample_fmt_is_planar(format) ? channels : 1;
        for (int p = 0; p < planes; ++p)
            if (!frame.extended_data[p]) return false;
        return true;
    }

    bool matches(const AVFrame& frame) const {
        if (!m_swr || frame.format != m_format || frame.sample_rate != m_inRate) return false;
        AVChannelLayout layout = layoutOf(frame);
        const bool same = av_channel_layout_compare(&layout, &m_layout) == 0;
        av_channel_layout_uninit(&layout);
        return same;
    }

    bool setUp(const AVFrame& frame) {
        m_swr.reset();
        av_channel_layout_uninit(&m_layout);
        m_layout = layoutOf(frame);
        if (m_layout.nb_channels != frame.ch_layout.nb_channels) return false;
        SwrContext* raw = nullptr;
        const int rc = swr_alloc_set_opts2(&raw, &m_layout, AV_SAMPLE_FMT_FLT, m_rate, &m_layout,
                                           static_cast<AVSampleFormat>(frame.format),
                                           frame.sample_rate, 0, nullptr);
        std::unique_ptr<SwrContext, SwrFreer> swr(raw);
        if (rc < 0 || swr_init(swr.get()) < 0) return false;
        m_swr = std::move(swr);
        m_format = frame.format;
        m_inRate = frame.sample_rate;
        return true;
    }

    bool convert(const std::uint8_t** in, int count, std::vector<float>& out) {
        const int channels = m_layout.nb_channels;
        const int room = std::max(swr_get_out_samples(m_swr.get(), count), 0);
        m_interleaved.resize(static_cast<std::size_t>(room) * channels);
        auto* dst = reinterpret_cast<std::uint8_t*>(m_interleaved.data());
        const int got = swr_convert(m_swr.get(), &dst, room, in, count);
        if (got < 0) return false;
        for (int i = 0; i < got; ++i) {
            float sum = 0.0f;
            for (int c = 0; c < channels; ++c)
                sum += m_interleaved[static_cast<std::size_t>(i) * channels + c];
            out.push_back(sum / static_cast<float>(channels));
        }
        return true;
    }

    // The converter's own limit; a header may claim up to 65 535 channels.
    static constexpr int kMaxChannels = 64;
    const int m_rate;
    std::unique_ptr<SwrContext, SwrFreer> m_swr;
    AVChannelLayout m_layout{};
    int m_format = -1;
    int m_inRate = 0;
    std::vector<float> m_interleaved;
};

// FFmpeg covers everything else (WMA, AAC, ...). Rate conversion to the mix rate is libsoxr's
// job for every file alike; FFmpeg's resampler only brings frames to the stream's own rate.
DecodeError decodeWithFfmpeg(const std::string& path, MonoAudio& out, std::string& detail) {
    // Unreadable files are an ordinary outcome here; the caller reports them.
    av_log_set_level(AV_LOG_FATAL);
    AVFormatContext* rawFormat = nullptr;
    int rc = avformat_open_input(&rawFormat, path.c_str(), nullptr, nullptr);
    if (rc < 0) {
        detail = avError(rc);
        return DecodeError::CannotOpen;
    }
    std::unique_ptr<AVFormatContext, FormatCloser> format(rawFormat);
    if ((rc = avformat_find_stream_info(format.get(), nullptr)) < 0) {
        detail = avError(rc);
        return DecodeError::NoAudio;
    }
    const AVCodec* codec = nullptr;
    const int stream = av_find_best_stream(format.get(), AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
    if (stream < 0 || !codec) return DecodeError::NoAudio;
    std::unique_ptr<AVCodecContext, CodecFreer> ctx(avcodec_alloc_context3(codec));
    if (!ctx || avcodec_parameters_to_context(ctx.get(), format->streams[stream]->codecpar) < 0)
        return DecodeError::DecodeFailed;
    if ((rc = avcodec_open2(ctx.get(), codec, nullptr)) < 0) {
        detail = avError(rc);
        return DecodeError::DecodeFailed;
    }
    if (!rateSupported(ctx->sample_rate) || ctx->ch_layout.nb_channels <= 0)
        return DecodeError::NoAudio;
    const std::size_t limit = maxFrames(ctx->sample_rate);

    FrameConverter converter(ctx->sample_rate);
    std::unique_ptr<AVPacket, PacketFreer> packet(av_packet_alloc());
    std::unique_ptr<AVFrame, FrameFreer> frame(av_frame_alloc());
    if (!packet || !frame) return DecodeError::DecodeFailed;
    out.frames.clear();
    auto drainFrames = [&]() -> bool {
        while ((rc = avcodec_receive_frame(ctx.get(), frame.get())) >= 0) {
            const bool converted = converter.add(*frame, out.frames);
            av_frame_unref(frame.get());
            if (!converted) return false;
        }
        return rc == AVERROR(EAGAIN) || rc == AVERROR_EOF;
    };
    while (out.frames.size() < limit && av_read_frame(format.get(), packet.get()) >= 0) {
        if (packet->stream_index == stream) {
            // A damaged packet is skipped rather than failing the whole file.
            if (avcodec_send_packet(ctx.get(), packet.get()) >= 0 && !drainFrames()) {
                av_packet_unref(packet.get());
                return DecodeError::DecodeFailed;
            }
        }
        av_packet_unref(packet.get());
    }
    avcodec_send_packet(ctx.get(), nullptr);
    if (!drainFrames() || !converter.flush(out.frames)) return DecodeError::DecodeFailed;
    if (out.frames.size() > limit) out.frames.resize(limit);
    out.rate = ctx->sample_rate;
    return out.frames.empty() ? DecodeError::Empty : DecodeError::None;
}

} // namespace

bool resampleTo44100(const MonoAudio& in, std::vector<float>& out, std::string& detail) {
    if (in.rate == kTargetRate) {
        out = in.frames;
        return true;
    }
    const double ratio = kTargetRate / in.rate;
    std::vector<float> result(static_cast<std::size_t>(std::ceil(in.frames.size() * ratio)) + 16);
    const soxr_io_spec_t io = soxr_io_spec(SOXR_FLOAT32_I, SOXR_FLOAT32_I);
    const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
    std::size_t done = 0;
    const soxr_error_t err =
        soxr_oneshot(in.rate, kTargetRate, 1, in.frames.data(), in.frames.size(), nullptr,
                     result.data(), result.size(), &done, &io, &quality, nullptr);
    if (err) {
        detail = err;
        return false;
    }
    result.resize(done);
    out = std::move(result);
    return true;
}

std::vector<std::int16_t> toPcm16(const std::vector<float>& in) {
    std::vector<std::int16_t> pcm(in.size());
    for (std::size_t i = 0; i < in.size(); ++i) {
        // The same scale libsndfile reads 16-bit files with, so they round-trip exactly.
        const float scaled = std::nearbyint(in[i] * 32768.0f);
        pcm[i] = static_cast<std::int16_t>(std::fmax(-32768.0f, std::fmin(32767.0f, scaled)));
    }
    return pcm;
}

DecodeResult decodeSoundFile(const std::string& path) {
    DecodeResult result;
    MonoAudio audio;
    if (!decodeWithSndfile(path, audio)) {
        result.error = decodeWithFfmpeg(path, audio, result.detail);
        if (result.error != DecodeError::None) return result;
    }
    // NaN or infinite samples from a damaged float file would poison the whole mix.
    for (float& f : audio.frames)
        if (!std::isfinite(f)) f = 0.0f;
    std::vector<float> resampled;
    if (!resampleTo44100(audio, resampled, result.detail)) {
        result.error = DecodeError::ResampleFailed;
        return result;
    }
    if (resampled.empty()) {
        result.error = DecodeError::Empty;
        return result;
    }
    result.pcm = toPcm16(resampled);
    return result;
}

} // namespace velmora::audio
