#include "sound_file_output.h"

#include "platform/ascii_case.h"

#include <sndfile.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora::recorder {

namespace fs = std::filesystem;

namespace {

constexpr int kRate = 44100;
constexpr int kChannels = 2;
/// A RIFF size field is 32 bits; keep well clear of it (header and padding included).
constexpr std::int64_t kPlainWavMaxBytes = 0xFFFF0000LL;

SNDFILE* asFile(void* p) {
    return static_cast<SNDFILE*>(p);
}

std::array<std::uint32_t, 256> makeOggCrcTable() {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t r = i << 24;
        for (int k = 0; k < 8; ++k)
            r = (r & 0x80000000u) ? (r << 1) ^ 0x04C11DB7u : (r << 1);
        t[i] = r;
    }
    return t;
}

std::uint32_t oggCrc(const std::vector<unsigned char>& page) {
    static const auto table = makeOggCrcTable();
    std::uint32_t crc = 0;
    for (unsigned char b : page)
        crc = (crc << 8) ^ table[((crc >> 24) ^ b) & 0xFF];
    return crc;
}

void putLE32(unsigned char* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<unsigned char>(v >> (8 * i));
}

} // namespace

std::optional<FileFormat> formatForPath(const fs::path& path) {
    const std::string ext = asciiLowered(path.extension().string());
    if (ext == ".wav") return FileFormat::Wav;
    if (ext == ".flac") return FileFormat::Flac;
    if (ext == ".ogg" || ext == ".oga") return FileFormat::OggVorbis;
    return std::nullopt;
}

const char* formatName(FileFormat format) {
    switch (format) {
    case FileFormat::Wav:
        return "WAV";
    case FileFormat::Flac:
        return "FLAC";
    case FileFormat::OggVorbis:
        return "Ogg Vorbis";
    }
    return "";
}

SoundFileOutput::~SoundFileOutput() {
    discard();
}

bool SoundFileOutput::fail(std::string text) {
    m_error = std::move(text);
    discard();
    return false;
}

bool SoundFileOutput::open(const fs::path& path, std::int64_t totalFrames,
                           std::uint32_t streamSerial) {
    discard();
    m_error.clear();
    const auto format = formatForPath(path);
    if (!format) return fail("Recordings can be saved as .wav, .flac or .ogg files.");
    m_format = *format;
    m_serial = streamSerial;
    m_target = path;

    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    std::error_code ec;
    if (!fs::is_directory(folder, ec))
        return fail("The folder " + folder.string() + " does not exist.");
    // Hidden, in the same folder: the final rename cannot cross file systems.
    std::string pattern = (folder / ("." + path.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0)
        return fail("The recording cannot be written in " + folder.string() + ": " +
                    std::generic_category().message(errno) + ".");
    // mkstemp makes the file private; a recording is an ordinary document.
    ::fchmod(fd, 0644);
    m_temp = pattern;

    SF_INFO info{};
    info.samplerate = kRate;
    info.channels = kChannels;
    switch (m_format) {
    case FileFormat::Wav:
        info.format =
            (totalFrames * kChannels * 2 > kPlainWavMaxBytes ? SF_FORMAT_RF64 : SF_FORMAT_WAV) |
            SF_FORMAT_PCM_16;
        break;
    case FileFormat::Flac:
        info.format = SF_FORMAT_FLAC | SF_FORMAT_PCM_16;
        break;
    case FileFormat::OggVorbis:
        info.format = SF_FORMAT_OGG | SF_FORMAT_VORBIS;
        break;
    }
    SNDFILE* file = sf_open_fd(fd, SFM_WRITE, &info, SF_TRUE);
    if (!file) {
        ::close(fd);
        return fail(std::string("The recording file could not be created: ") +
                    sf_strerror(nullptr));
    }
    m_file = file;
    // Floats beyond full scale are clipped rather than wrapped round.
    sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    if (m_format == FileFormat::OggVorbis) {
        double quality = 0.6;
        sf_command(file, SFC_SET_VBR_ENCODING_QUALITY, &quality, sizeof quality);
    }
    return true;
}

bool SoundFileOutput::write(const float* interleavedStereo, std::int64_t frames) {
    if (!m_file) return false;
    if (sf_writef_float(asFile(m_file), interleavedStereo, frames) != frames)
        return fail(std::string("The recording could not be written: ") +
                    sf_strerror(asFile(m_file)) + ".");
    return true;
}

bool SoundFileOutput::commit() {
    if (!m_file) return false;
    sf_write_sync(asFile(m_file));
    const int closed = sf_close(asFile(m_file));
    m_file = nullptr;
    if (closed != 0)
        return fail("The recording could not be finished: " + std::string(sf_error_number(closed)) +
                    ".");
    if (m_format == FileFormat::OggVorbis && !setOggSerial(m_temp, m_serial))
        return fail("The recording could not be finished (Ogg stream).");
    std::error_code ec;
    fs::rename(m_temp, m_target, ec);
    if (ec)
        return fail("The recording could not be saved as " + m_target.string() + ": " +
                    ec.message() + ".");
    m_temp.clear();
    return true;
}

void SoundFileOutput::discard() {
    if (m_file) {
        sf_close(asFile(m_file));
        m_file = nullptr;
    }
    if (!m_temp.empty()) {
        std::error_code ec;
        fs::remove(m_temp, ec);
        m_temp.clear();
    }
}

bool setOggSerial(const fs::path& path, std::uint32_t serial) {
    std::fstream f(path, std::ios::in | std::ios::out | std::ios::binary);
    if (!f) return false;
    std::vector<unsigned char> page;
    std::int64_t pos = 0;
    int pages = 0;
    for (;;) {
        f.seekg(pos);
        unsigned char header[27];
        if (!f.read(reinterpret_cast<char*>(header), 27)) break;
        if (header[0] != 'O' || header[1] != 'g' || header[2] != 'g' || header[3] != 'S')
            return false;
        const int segments = header[26];
        unsigned char table[255];
        if (!f.read(reinterpret_cast<char*>(table), segments)) return false;
        std::size_t body = 0;
        for (int i = 0; i < segments; ++i)
            body += table[i];
        page.assign(header, header + 27);
        page.insert(page.end(), table, table + segments);
        page.resize(page.size() + body);
        if (body && !f.read(reinterpret_cast<char*>(page.data() + 27 + segments),
                            static_cast<std::streamsize>(body)))
            return false;
        putLE32(page.data() + 14, serial);
        putLE32(page.data() + 22, 0);
        putLE32(page.data() + 22, oggCrc(page));
        f.seekp(pos + 14);
        f.write(reinterpret_cast<const char*>(page.data() + 14), 12); // serial, sequence, crc
        if (!f) return false;
        pos += static_cast<std::int64_t>(page.size());
        ++pages;
    }
    f.clear();
    f.flush();
    return pages > 0 && static_cast<bool>(f);
}

} // namespace velmora::recorder
