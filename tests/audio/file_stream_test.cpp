// Music files read as streams: every format the player offers comes out as stereo at
// 44 100 Hz with its length known, seeking lands where asked, and damaged files end
// cleanly, saying so when they broke off part-way.
#include "audio/file_stream_source.h"
#include "audio_test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>

namespace velmora::audio::test {
namespace {

std::vector<float> readAll(StreamSource& source) {
    std::vector<float> all;
    std::vector<float> block(2 * 1000);
    while (const std::size_t n = source.read(block.data(), 1000))
        all.insert(all.end(), block.begin(), block.begin() + 2 * static_cast<long>(n));
    return all;
}

std::unique_ptr<FileStreamSource> openFile(const std::string& path) {
    DecodeError error;
    std::string detail;
    return FileStreamSource::open(path, error, detail);
}

TEST(FileStreamTest, FormatsComeOutAsStereoAt44100) {
    TempFolder folder;
    const struct {
        const char* name;
        FileKind kind;
        int rate;
        int channels;
    } files[] = {{"a.mp3", FileKind::Mp3, 44100, 2},
                 {"b.ogg", FileKind::Ogg, 48000, 1},
                 {"c.flac", FileKind::Flac, 22050, 2},
                 {"d.wav", FileKind::Wav, 44100, 1}};
    for (const auto& f : files) {
        ASSERT_TRUE(writeTone(folder.path(f.name), f.kind, f.rate, f.channels, 440, 2.0));
        auto source = openFile(folder.path(f.name));
        ASSERT_TRUE(source) << f.name;
        EXPECT_NEAR(source->duration(), 2.0, 0.06) << f.name;
        const auto all = readAll(*source);
        EXPECT_NEAR(static_cast<double>(all.size()) / 2 / kSampleRate, 2.0, 0.06) << f.name;
        // Mono is heard on both sides.
        const int mid = static_cast<int>(all.size() / 4);
        EXPECT_NEAR(rms(all, 0, mid, mid + 4410), 0.35, 0.03) << f.name;
        EXPECT_NEAR(rms(all, 1, mid, mid + 4410), 0.35, 0.03) << f.name;
        EXPECT_FALSE(source->failed()) << f.name;
    }
}

TEST(FileStreamTest, SeekLandsOnTheSecondAsked) {
    TempFolder folder;
    // A tone whose left channel rises steadily, so a sample tells where it came from.
    std::vector<float> ramp(5 * kSampleRate);
    for (std::size_t i = 0; i < ramp.size(); ++i)
        ramp[i] = static_cast<float>(i) / static_cast<float>(ramp.size());
    ASSERT_TRUE(writeWav(folder.path("ramp.wav"), ramp, kSampleRate));
    auto source = openFile(folder.path("ramp.wav"));
    ASSERT_TRUE(source);
    ASSERT_TRUE(source->seek(3.0));
    float frame[2];
    ASSERT_EQ(source->read(frame, 1), 1u);
    EXPECT_NEAR(frame[0], 0.6f, 0.001f);
    ASSERT_TRUE(source->seek(1.0)); // backwards too
    ASSERT_EQ(source->read(frame, 1), 1u);
    EXPECT_NEAR(frame[0], 0.2f, 0.001f);
}

TEST(FileStreamTest, DamagedFilesEndCleanly) {
    TempFolder folder;
    std::mt19937 rng(7);
    std::string garbage(200000, '\0');
    for (char& c : garbage)
        c = static_cast<char>(rng());
    std::ofstream(folder.path("noise.mp3"), std::ios::binary) << garbage;
    std::ofstream(folder.path("empty.mp3"), std::ios::binary);
    for (const char* name : {"noise.mp3", "empty.mp3", "missing.mp3"}) {
        if (auto source = openFile(folder.path(name))) readAll(*source);
    }

    // A file whose second half was overwritten: the first half plays, then it reports
    // that it broke off rather than ended.
    ASSERT_TRUE(writeTone(folder.path("half.mp3"), FileKind::Mp3, 44100, 2, 440, 10.0));
    const auto size = std::filesystem::file_size(folder.path("half.mp3"));
    {
        std::fstream f(folder.path("half.mp3"), std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(static_cast<std::streamoff>(size / 2));
        f.write(garbage.data(), static_cast<std::streamsize>(size - size / 2));
    }
    auto half = openFile(folder.path("half.mp3"));
    ASSERT_TRUE(half);
    const auto all = readAll(*half);
    EXPECT_GT(all.size() / 2, 4u * kSampleRate);
    EXPECT_LT(all.size() / 2, 9u * kSampleRate);
    EXPECT_TRUE(half->failed());
}

} // namespace
} // namespace velmora::audio::test
