#pragma once
// Writes rendered stereo audio to a file: 16-bit WAV, or FLAC when the name ends in
// ".flac". Used by offline rendering (tests, the recorder, benchmarks).
//
// Thread: whichever thread owns the writer.

#include <cstdint>
#include <memory>
#include <string>

namespace velmora::audio {

class AudioFileWriter {
  public:
    AudioFileWriter();
    ~AudioFileWriter();
    AudioFileWriter(const AudioFileWriter&) = delete;
    AudioFileWriter& operator=(const AudioFileWriter&) = delete;

    /// Creates (or replaces) the file at 44 100 Hz stereo. False when it cannot be created.
    bool open(const std::string& path);
    /// Appends frames of interleaved stereo float audio (-1..1). False on a write error.
    bool write(const float* interleavedStereo, std::int64_t frames);
    /// Finishes the header and closes; a second call is harmless. False on error.
    bool close();
    [[nodiscard]] bool isOpen() const;
    [[nodiscard]] std::string errorText() const { return m_error; }

  private:
    struct File;
    std::unique_ptr<File> m_file;
    std::string m_error;
};

} // namespace velmora::audio
