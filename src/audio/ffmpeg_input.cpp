#include "audio/ffmpeg_input.h"

#include <algorithm>

namespace velmora::audio {
namespace {

constexpr int kMinSourceRate = 1000;
constexpr int kMaxSourceRate = 768000;
// The converter's own limit; a header may claim up to 65 535 channels.
constexpr int kMaxChannels = 64;

AVChannelLayout layoutOf(const AVFrame& frame) {
    AVChannelLayout layout{};
    if (frame.ch_layout.order == AV_CHANNEL_ORDER_UNSPEC)
        av_channel_layout_default(&layout, frame.ch_layout.nb_channels);
    else if (av_channel_layout_copy(&layout, &frame.ch_layout) < 0)
        return AVChannelLayout{};
    return layout;
}

} // namespace

bool rateSupported(int rate) {
    return rate >= kMinSourceRate && rate <= kMaxSourceRate;
}

std::string avError(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

DecodeError openFfmpegInput(const std::string& path, FfmpegInput& input, std::string& detail) {
    // Unreadable files are an ordinary outcome here; the caller reports them.
    av_log_set_level(AV_LOG_FATAL);
    AVFormatContext* rawFormat = nullptr;
    int rc = avformat_open_input(&rawFormat, path.c_str(), nullptr, nullptr);
    if (rc < 0) {
        detail = avError(rc);
        return DecodeError::CannotOpen;
    }
    input.format.reset(rawFormat);
    if ((rc = avformat_find_stream_info(input.format.get(), nullptr)) < 0) {
        detail = avError(rc);
        return DecodeError::NoAudio;
    }
    const AVCodec* codec = nullptr;
    input.stream = av_find_best_stream(input.format.get(), AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
    if (input.stream < 0 || !codec) return DecodeError::NoAudio;
    input.codec.reset(avcodec_alloc_context3(codec));
    if (!input.codec || avcodec_parameters_to_context(
                            input.codec.get(), input.format->streams[input.stream]->codecpar) < 0)
        return DecodeError::DecodeFailed;
    if ((rc = avcodec_open2(input.codec.get(), codec, nullptr)) < 0) {
        detail = avError(rc);
        return DecodeError::DecodeFailed;
    }
    if (!rateSupported(input.codec->sample_rate) || input.codec->ch_layout.nb_channels <= 0)
        return DecodeError::NoAudio;
    return DecodeError::None;
}

bool FrameConverter::add(const AVFrame& frame, std::vector<float>& out) {
    if (!usable(frame)) return true;
    if (!matches(frame) && (!flush(out) || !setUp(frame))) return true;
    return convert(const_cast<const std::uint8_t**>(frame.extended_data), frame.nb_samples, out);
}

bool FrameConverter::flush(std::vector<float>& out) {
    return !m_swr || m_inRate == m_rate || convert(nullptr, 0, out);
}

bool FrameConverter::usable(const AVFrame& frame) {
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

bool FrameConverter::matches(const AVFrame& frame) const {
    if (!m_swr || frame.format != m_format || frame.sample_rate != m_inRate) return false;
    AVChannelLayout layout = layoutOf(frame);
    const bool same = av_channel_layout_compare(&layout, &m_layout) == 0;
    av_channel_layout_uninit(&layout);
    return same;
}

bool FrameConverter::setUp(const AVFrame& frame) {
    m_swr.reset();
    av_channel_layout_uninit(&m_layout);
    m_layout = layoutOf(frame);
    if (m_layout.nb_channels != frame.ch_layout.nb_channels) return false;
    AVChannelLayout outLayout{};
    // A mono recording stays mono here and is copied to both sides below, at its own
    // level as mono samples are heard; the resampler would spread it 3 dB down.
    if (m_output == Output::Stereo && m_layout.nb_channels > 1)
        av_channel_layout_default(&outLayout, 2);
    else if (av_channel_layout_copy(&outLayout, &m_layout) < 0)
        return false;
    SwrContext* raw = nullptr;
    const int rc = swr_alloc_set_opts2(&raw, &outLayout, AV_SAMPLE_FMT_FLT, m_rate, &m_layout,
                                       static_cast<AVSampleFormat>(frame.format), frame.sample_rate,
                                       0, nullptr);
    m_outChannels = outLayout.nb_channels;
    av_channel_layout_uninit(&outLayout);
    std::unique_ptr<SwrContext, SwrFreer> swr(raw);
    if (rc < 0 || swr_init(swr.get()) < 0) return false;
    m_swr = std::move(swr);
    m_format = frame.format;
    m_inRate = frame.sample_rate;
    return true;
}

bool FrameConverter::convert(const std::uint8_t** in, int count, std::vector<float>& out) {
    const int channels = m_outChannels;
    const int room = std::max(swr_get_out_samples(m_swr.get(), count), 0);
    m_interleaved.resize(static_cast<std::size_t>(room) * channels);
    auto* dst = reinterpret_cast<std::uint8_t*>(m_interleaved.data());
    const int got = swr_convert(m_swr.get(), &dst, room, in, count);
    if (got < 0) return false;
    if (m_output == Output::Stereo && channels == 2) {
        out.insert(out.end(), m_interleaved.begin(),
                   m_interleaved.begin() + static_cast<std::ptrdiff_t>(got) * 2);
        return true;
    }
    if (m_output == Output::Stereo) {
        for (int i = 0; i < got; ++i)
            out.insert(out.end(), 2, m_interleaved[static_cast<std::size_t>(i)]);
        return true;
    }
    for (int i = 0; i < got; ++i) {
        float sum = 0.0f;
        for (int c = 0; c < channels; ++c)
            sum += m_interleaved[static_cast<std::size_t>(i) * channels + c];
        out.push_back(sum / static_cast<float>(channels));
    }
    return true;
}

} // namespace velmora::audio
