#include "audio_test_support.h"

#include <sndfile.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <cmath>
#include <numbers>
#include <random>

namespace velmora::audio::test {

TempFolder::TempFolder() {
    std::random_device rd;
    m_dir = std::filesystem::temp_directory_path() / ("velmora-audio-" + std::to_string(rd()));
    std::filesystem::create_directories(m_dir);
}

TempFolder::~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(m_dir, ec);
}

namespace {

std::vector<float> tone(int rate, int channels, double hz, double seconds) {
    const auto frames = static_cast<std::size_t>(rate * seconds);
    std::vector<float> out(frames * channels);
    for (std::size_t i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c)
            out[i * channels + c] =
                static_cast<float>(0.5 * std::sin(2 * std::numbers::pi * hz * i / rate));
    return out;
}

bool writeWithSndfile(const std::string& path, int format, int rate, int channels,
                      const std::vector<float>& data) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!f) return false;
    const sf_count_t frames = static_cast<sf_count_t>(data.size() / channels);
    const bool ok = sf_writef_float(f, data.data(), frames) == frames;
    return sf_close(f) == 0 && ok;
}

// WMA has no libsndfile writer; FFmpeg's own encoder and ASF muxer make one.
bool writeWma(const std::string& path, int rate, int channels, const std::vector<float>& data) {
    AVFormatContext* oc = nullptr;
    if (avformat_alloc_output_context2(&oc, nullptr, "asf", path.c_str()) < 0) return false;
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_WMAV2);
    AVCodecContext* ctx = codec ? avcodec_alloc_context3(codec) : nullptr;
    bool ok = ctx != nullptr;
    AVStream* st = ok ? avformat_new_stream(oc, nullptr) : nullptr;
    if (ok && st) {
        ctx->sample_fmt = AV_SAMPLE_FMT_FLTP;
        ctx->sample_rate = rate;
        av_channel_layout_default(&ctx->ch_layout, channels);
        ctx->bit_rate = 96000;
        ctx->time_base = {1, rate};
        if (oc->oformat->flags & AVFMT_GLOBALHEADER) ctx->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        ok = avcodec_open2(ctx, codec, nullptr) >= 0 &&
             avcodec_parameters_from_context(st->codecpar, ctx) >= 0;
        st->time_base = ctx->time_base;
        ok = ok && avio_open(&oc->pb, path.c_str(), AVIO_FLAG_WRITE) >= 0 &&
             avformat_write_header(oc, nullptr) >= 0;
    } else {
        ok = false;
    }
    AVFrame* frame = av_frame_alloc();
    AVPacket* pkt = av_packet_alloc();
    auto drain = [&]() {
        while (avcodec_receive_packet(ctx, pkt) >= 0) {
            av_packet_rescale_ts(pkt, ctx->time_base, st->time_base);
            pkt->stream_index = st->index;
            av_interleaved_write_frame(oc, pkt);
        }
    };
    const std::size_t frames = data.size() / channels;
    for (std::size_t at = 0; ok && at < frames; at += ctx->frame_size) {
        frame->nb_samples = ctx->frame_size;
        frame->format = ctx->sample_fmt;
        av_channel_layout_copy(&frame->ch_layout, &ctx->ch_layout);
        frame->sample_rate = rate;
        ok = av_frame_get_buffer(frame, 0) >= 0;
        for (int c = 0; ok && c < channels; ++c) {
            auto* dst = reinterpret_cast<float*>(frame->data[c]);
            for (int i = 0; i < ctx->frame_size; ++i)
                dst[i] = at + i < frames ? data[(at + i) * channels + c] : 0.0f;
        }
        frame->pts = static_cast<std::int64_t>(at);
        ok = ok && avcodec_send_frame(ctx, frame) >= 0;
        drain();
        av_frame_unref(frame);
    }
    if (ok) {
        avcodec_send_frame(ctx, nullptr);
        drain();
        ok = av_write_trailer(oc) >= 0;
    }
    av_frame_free(&frame);
    av_packet_free(&pkt);
    avcodec_free_context(&ctx);
    if (oc->pb) avio_closep(&oc->pb);
    avformat_free_context(oc);
    return ok;
}

} // namespace

bool writeTone(const std::string& path, FileKind kind, int rate, int channels, double hz,
               double seconds) {
    const auto data = tone(rate, channels, hz, seconds);
    switch (kind) {
    case FileKind::Wav:
        return writeWithSndfile(path, SF_FORMAT_WAV | SF_FORMAT_PCM_16, rate, channels, data);
    case FileKind::Flac:
        return writeWithSndfile(path, SF_FORMAT_FLAC | SF_FORMAT_PCM_16, rate, channels, data);
    case FileKind::Ogg:
        return writeWithSndfile(path, SF_FORMAT_OGG | SF_FORMAT_VORBIS, rate, channels, data);
    case FileKind::Mp3:
        return writeWithSndfile(path, SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, rate, channels,
                                data);
    case FileKind::Wma:
        return writeWma(path, rate, channels, data);
    }
    return false;
}

std::vector<float> sine(double hz, int frames, double amplitude) {
    std::vector<float> s(static_cast<std::size_t>(frames));
    for (int i = 0; i < frames; ++i)
        s[static_cast<std::size_t>(i)] =
            static_cast<float>(amplitude * std::sin(2 * std::numbers::pi * hz * i / kSampleRate));
    return s;
}

bool writeWav(const std::string& path, const std::vector<float>& mono, int rate) {
    return writeWithSndfile(path, SF_FORMAT_WAV | SF_FORMAT_PCM_16, rate, 1, mono);
}

std::vector<float> render(SoundEngine& engine, int frames) {
    std::vector<float> out(2 * static_cast<std::size_t>(frames));
    engine.render(out.data(), frames);
    return out;
}

double rms(const std::vector<float>& stereo, int channel, int from, int to) {
    double sum = 0;
    for (int i = from; i < to; ++i)
        sum += double(stereo[2 * i + channel]) * stereo[2 * i + channel];
    return to > from ? std::sqrt(sum / (to - from)) : 0.0;
}

double toDb(double ratio) {
    return 20.0 * std::log10(std::max(ratio, 1e-12));
}

double largestStep(const std::vector<float>& stereo, int channel, int from, int to) {
    double worst = 0;
    for (int i = from + 1; i < to; ++i)
        worst = std::max(
            worst, double(std::fabs(stereo[2 * i + channel] - stereo[2 * (i - 1) + channel])));
    return worst;
}

double rt60(const std::vector<float>& stereo, int rate) {
    const std::size_t n = stereo.size() / 2;
    std::vector<double> edc(n + 1, 0.0);
    for (std::size_t i = n; i-- > 0;)
        edc[i] = edc[i + 1] + double(stereo[2 * i]) * stereo[2 * i] +
                 double(stereo[2 * i + 1]) * stereo[2 * i + 1];
    if (edc[0] <= 0) return 0;
    // Least-squares line through the -5..-35 dB stretch of the decay curve.
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    int count = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double db = 10.0 * std::log10(std::max(edc[i] / edc[0], 1e-30));
        if (db > -5.0 || db < -35.0) continue;
        const double t = double(i) / rate;
        sx += t;
        sy += db;
        sxx += t * t;
        sxy += t * db;
        ++count;
    }
    if (count < 2) return 0;
    const double slope = (count * sxy - sx * sy) / (count * sxx - sx * sx);
    return slope < 0 ? -60.0 / slope : 0;
}

} // namespace velmora::audio::test
