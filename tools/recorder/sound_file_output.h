#pragma once
// The file a recording is written to. Audio goes into a temporary file beside the chosen
// name and only a finished recording is renamed onto it, so a cancelled or failed render
// leaves nothing under that name (and an older file of that name stays as it was).
// The format follows the extension: ".wav" (16-bit PCM), ".flac" (16-bit), ".ogg"/".oga"
// (Vorbis). Ogg streams get a serial number derived from the render's seed instead of a
// clock-based one, so the same render gives the same bytes in every format.
//
// Thread: whichever thread renders.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace velmora::recorder {

enum class FileFormat { Wav, Flac, OggVorbis };

/// The format a file name asks for; nullopt for an extension we cannot write.
[[nodiscard]] std::optional<FileFormat> formatForPath(const std::filesystem::path& path);
/// "WAV", "FLAC", "Ogg Vorbis".
[[nodiscard]] const char* formatName(FileFormat format);

class SoundFileOutput {
  public:
    SoundFileOutput() = default;
    ~SoundFileOutput(); ///< discards an unfinished file
    SoundFileOutput(const SoundFileOutput&) = delete;
    SoundFileOutput& operator=(const SoundFileOutput&) = delete;

    /// Creates the temporary file for path at 44 100 Hz stereo. totalFrames chooses a
    /// 64-bit WAV layout when a plain WAV could not hold the recording. streamSerial seeds
    /// the Ogg serial number. False with errorText() on failure.
    bool open(const std::filesystem::path& path, std::int64_t totalFrames,
              std::uint32_t streamSerial);
    /// Appends interleaved stereo float frames (-1..1). False on a write error.
    bool write(const float* interleavedStereo, std::int64_t frames);
    /// Closes the file and renames it onto the chosen name. False (and nothing left behind)
    /// on failure.
    bool commit();
    /// Closes and deletes the temporary file; harmless when nothing is open.
    void discard();

    [[nodiscard]] const std::string& errorText() const { return m_error; }
    [[nodiscard]] const std::filesystem::path& temporaryPath() const { return m_temp; }

  private:
    bool fail(std::string text);

    void* m_file = nullptr; // SNDFILE*
    std::filesystem::path m_target;
    std::filesystem::path m_temp;
    FileFormat m_format = FileFormat::Wav;
    std::uint32_t m_serial = 0;
    std::string m_error;
};

/// Rewrites the serial number of every page of an Ogg file (and each page's checksum).
/// False when the file is not a well-formed Ogg stream or cannot be rewritten.
bool setOggSerial(const std::filesystem::path& path, std::uint32_t serial);

} // namespace velmora::recorder
