#include "core/audio/audio_file_writer.h"

#include "core/audio/sound_engine.h"

#include <sndfile.h>

#include <algorithm>
#include <cctype>

namespace velmora::audio {

struct AudioFileWriter::File {
    SNDFILE* handle = nullptr;
};

AudioFileWriter::AudioFileWriter() = default;

AudioFileWriter::~AudioFileWriter()
{
    close();
}

bool AudioFileWriter::open(const std::string& path)
{
    close();
    std::string lower = path;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    const bool flac = lower.size() >= 5 && lower.compare(lower.size() - 5, 5, ".flac") == 0;
    SF_INFO info{};
    info.samplerate = kSampleRate;
    info.channels = 2;
    info.format = (flac ? SF_FORMAT_FLAC : SF_FORMAT_WAV) | SF_FORMAT_PCM_16;
    SNDFILE* handle = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!handle) {
        m_error = sf_strerror(nullptr);
        return false;
    }
    // Float to 16-bit with clipping instead of wrap-around for anything beyond full scale.
    sf_command(handle, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    m_file = std::make_unique<File>();
    m_file->handle = handle;
    m_error.clear();
    return true;
}

bool AudioFileWriter::write(const float* interleavedStereo, std::int64_t frames)
{
    if (!m_file)
        return false;
    const sf_count_t written = sf_writef_float(m_file->handle, interleavedStereo, frames);
    if (written != frames) {
        m_error = sf_strerror(m_file->handle);
        return false;
    }
    return true;
}

bool AudioFileWriter::close()
{
    if (!m_file)
        return true;
    const int rc = sf_close(m_file->handle);
    m_file.reset();
    if (rc != 0) {
        m_error = sf_error_number(rc);
        return false;
    }
    return true;
}

bool AudioFileWriter::isOpen() const
{
    return m_file != nullptr;
}

} // namespace velmora::audio
