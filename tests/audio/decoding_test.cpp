// Loading sound files: every supported format recognised by content whatever the name,
// resampling to 44 100 Hz, downmixing, and refusing what is not sound.
#include "audio/decoder.h"
#include "audio_test_support.h"

#include <gtest/gtest.h>

#include <fstream>

namespace velmora::audio::test {
namespace {

struct FormatCase {
    FileKind kind;
    const char* name; // deliberately misleading extensions, as the factory files have
    double tolerance; // level tolerance in dB (lossy codecs are looser)
};

class DecodingTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(DecodingTest, LoadsByContentResamplesAndDownmixes) {
    const FormatCase c = GetParam();
    TempFolder folder;
    const std::string path = folder.path(c.name);
    // Stereo at 48 kHz: the engine must downmix and resample to 44.1 kHz mono.
    ASSERT_TRUE(writeTone(path, c.kind, 48000, 2, 1000, 1.0)) << c.name;

    SoundEngine engine(Backend::Offline);
    const SampleHandle s = engine.loadSample(path);
    ASSERT_TRUE(s.valid()) << c.name;
    // Encoders pad with a frame or two of silence.
    EXPECT_NEAR(static_cast<double>(engine.sampleFrames(s)), 44100.0, 44100 * 0.06) << c.name;

    const ChannelHandle ch = engine.play(s);
    engine.setPan(ch, 0);
    const auto out = render(engine, 30000);
    // A 0.5 sine on both channels downmixes to a 0.5 sine: RMS 0.354.
    EXPECT_NEAR(toDb(rms(out, 0, 10000, 30000) / 0.35355), 0.0, c.tolerance) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Formats, DecodingTest,
                         ::testing::Values(FormatCase{FileKind::Wav, "rain.raz", 0.05},
                                           FormatCase{FileKind::Flac, "wind.isz", 0.05},
                                           FormatCase{FileKind::Ogg, "sea.isx", 0.5},
                                           FormatCase{FileKind::Mp3, "birds.wav", 0.5},
                                           FormatCase{FileKind::Wma, "frogs.mp3", 0.5}),
                         [](const auto& info) {
                             const std::string n = info.param.name;
                             return n.substr(0, n.find('.'));
                         });

TEST(Decoding, RefusesWhatIsNotSound) {
    TempFolder folder;
    const std::string text = folder.path("notes.isz");
    std::ofstream(text) << "This is not a sound, it is a shopping list.\r\n";
    const std::string empty = folder.path("empty.raz");
    std::ofstream(empty).flush();
    const std::string truncated = folder.path("cut.wav");
    { std::ofstream(truncated, std::ios::binary).write("RIFF\x24\x00\x00\x00WAVEfmt ", 16); }
    for (const auto& p : {text, empty, truncated, folder.path("missing.isx"), folder.path("")}) {
        const DecodeResult r = decodeSoundFile(p);
        EXPECT_FALSE(r.ok()) << p;
        EXPECT_TRUE(r.pcm.empty());
        SoundEngine engine(Backend::Offline);
        EXPECT_FALSE(engine.loadSample(p).valid()) << p;
    }
}

TEST(Decoding, ResamplesLowRatesToTheMixRate) {
    TempFolder folder;
    const std::string path = folder.path("low.wav");
    ASSERT_TRUE(writeTone(path, FileKind::Wav, 22050, 1, 440, 2.0));
    const DecodeResult r = decodeSoundFile(path);
    ASSERT_TRUE(r.ok());
    EXPECT_NEAR(static_cast<double>(r.pcm.size()), 88200.0, 2.0);
    // The tone survives at its own pitch: about 440 zero crossings upward per second.
    int rising = 0;
    for (std::size_t i = 1; i < r.pcm.size(); ++i)
        rising += r.pcm[i - 1] < 0 && r.pcm[i] >= 0;
    EXPECT_NEAR(rising, 880, 3);
}

// A stream may change sample format, channel count or rate between frames (a damaged file,
// or two files joined end to end); each part must be read with its own parameters.
TEST(Decoding, FramesThatChangeTheirParametersMidStream) {
    // The fuzzer's find: a few MPEG frames whose channel count drops from two to one.
    const DecodeResult found = decodeSoundFile(VELMORA_DECODER_CORPUS "/channel_count_changes.mp1");
    EXPECT_EQ(found.ok(), !found.pcm.empty());
    SoundEngine engine(Backend::Offline);
    const SampleHandle s = engine.loadSample(VELMORA_DECODER_CORPUS "/channel_count_changes.mp1");
    EXPECT_EQ(engine.sampleFrames(s), static_cast<std::int64_t>(found.pcm.size()));

    // A stereo 48 kHz tone followed by a mono 22.05 kHz one at half the pitch.
    TempFolder folder;
    ASSERT_TRUE(writeTone(folder.path("a.mp3"), FileKind::Mp3, 48000, 2, 1000, 1.0));
    ASSERT_TRUE(writeTone(folder.path("b.mp3"), FileKind::Mp3, 22050, 1, 500, 1.0));
    const std::string joined = folder.path("joined.isz");
    {
        std::ofstream out(joined, std::ios::binary);
        out << std::ifstream(folder.path("a.mp3"), std::ios::binary).rdbuf()
            << std::ifstream(folder.path("b.mp3"), std::ios::binary).rdbuf();
    }
    const DecodeResult r = decodeSoundFile(joined);
    ASSERT_TRUE(r.ok());
    // Two seconds in all, plus the encoder's padding on each part.
    EXPECT_NEAR(static_cast<double>(r.pcm.size()), 2.0 * 44100, 0.1 * 44100);
    auto risingCrossings = [&](double from, double to) {
        int n = 0;
        for (auto i = static_cast<std::size_t>(from * 44100) + 1;
             i < static_cast<std::size_t>(to * 44100) && i < r.pcm.size(); ++i)
            n += r.pcm[i - 1] < 0 && r.pcm[i] >= 0;
        return n;
    };
    EXPECT_NEAR(risingCrossings(0.2, 0.8), 600, 3);
    EXPECT_NEAR(risingCrossings(1.3, 1.9), 300, 3);
}

TEST(Decoding, SixteenBitConversionSaturates) {
    const auto pcm = toPcm16({0.0f, 0.5f, 1.0f, 1.7f, -1.0f, -3.0f});
    EXPECT_EQ(pcm, (std::vector<std::int16_t>{0, 16384, 32767, 32767, -32768, -32768}));
}

} // namespace
} // namespace velmora::audio::test
