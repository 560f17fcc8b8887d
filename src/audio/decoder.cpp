#include "audio/decoder.h"

#include "audio/ffmpeg_input.h"

#include <sndfile.h>
#include <soxr.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace velmora::audio {
namespace {

constexpr double kTargetRate = 44100.0;
// A header may claim any rate or length; a damaged or hostile file must not make us reserve
// gigabytes. Rates outside rateSupported() are not audio we can play, and a sound longer than an
// hour is cut there (it would cost over 300 MB as a sample).
constexpr double kMaxSeconds = 3600.0;
constexpr std::size_t kMaxReserveFrames = std::size_t{1} << 22;

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

// FFmpeg covers everything else (WMA, AAC, ...). Rate conversion to the mix rate is libsoxr's
// job for every file alike; FFmpeg's resampler only brings frames to the stream's own rate.
DecodeError decodeWithFfmpeg(const std::string& path, MonoAudio& out, std::string& detail) {
    FfmpegInput input;
    const DecodeError opened = openFfmpegInput(path, input, detail);
    if (opened != DecodeError::None) return opened;
    AVCodecContext* ctx = input.codec.get();
    const int stream = input.stream;
    const std::size_t limit = maxFrames(ctx->sample_rate);

    FrameConverter converter(ctx->sample_rate, FrameConverter::Output::Mono);
    std::unique_ptr<AVPacket, PacketFreer> packet(av_packet_alloc());
    std::unique_ptr<AVFrame, FrameFreer> frame(av_frame_alloc());
    if (!packet || !frame) return DecodeError::DecodeFailed;
    out.frames.clear();
    int rc = 0;
    auto drainFrames = [&]() -> bool {
        while ((rc = avcodec_receive_frame(ctx, frame.get())) >= 0) {
            const bool converted = converter.add(*frame, out.frames);
            av_frame_unref(frame.get());
            if (!converted) return false;
        }
        return rc == AVERROR(EAGAIN) || rc == AVERROR_EOF;
    };
    while (out.frames.size() < limit && av_read_frame(input.format.get(), packet.get()) >= 0) {
        if (packet->stream_index == stream) {
            // A damaged packet is skipped rather than failing the whole file.
            if (avcodec_send_packet(ctx, packet.get()) >= 0 && !drainFrames()) {
                av_packet_unref(packet.get());
                return DecodeError::DecodeFailed;
            }
        }
        av_packet_unref(packet.get());
    }
    avcodec_send_packet(ctx, nullptr);
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
