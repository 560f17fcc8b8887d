#include "audio/audio_file_writer.h"

#include "audio/pcm.h"
#include "audio/sound_engine.h"

#include <sndfile.h>

#include <algorithm>
#include <cctype>
#include <vector>

namespace velmora::audio {

struct AudioFileWriter::File {
    SNDFILE* handle = nullptr;
    std::vector<std::int16_t> pcm; // conversion buffer, reused for every write
};

AudioFileWriter::AudioFileWriter() = default;

AudioFileWriter::~AudioFileWriter() {
    close();
}

bool AudioFileWriter::open(const std::string& path) {
    close();
    std::string lower = path;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return std::tolower(c); });
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
    m_file = std::make_unique<File>();
    m_file->handle = handle;
    m_file->pcm.resize(2 * 4096);
    m_error.clear();
    return true;
}

bool AudioFileWriter::write(const float* interleavedStereo, std::int64_t frames) {
    if (!m_file) return false;
    // Converted here (saturating, never wrapping) and written as 16-bit: much cheaper
    // than the library's per-sample float path.
    for (std::int64_t done = 0; done < frames; done += 4096) {
        const std::int64_t n = std::min<std::int64_t>(4096, frames - done);
        floatToPcm16(interleavedStereo + 2 * done, m_file->pcm.data(),
                     static_cast<std::size_t>(2 * n));
        if (sf_writef_short(m_file->handle, m_file->pcm.data(), n) != n) {
            m_error = sf_strerror(m_file->handle);
            return false;
        }
    }
    return true;
}

bool AudioFileWriter::close() {
    if (!m_file) return true;
    const int rc = sf_close(m_file->handle);
    m_file.reset();
    if (rc != 0) {
        m_error = sf_error_number(rc);
        return false;
    }
    return true;
}

bool AudioFileWriter::isOpen() const {
    return m_file != nullptr;
}

} // namespace velmora::audio
