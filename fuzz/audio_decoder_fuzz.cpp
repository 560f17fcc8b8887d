// Sound files are the one input the engine reads: any bytes under any name must decode
// or be refused, never crash, hang or yield out-of-range audio. The same bytes are then
// streamed as music: read, sought and read again, every sample finite.
#include "audio/decoder.h"
#include "audio/file_stream_source.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The decoders read files by name (that is how the program hands them over).
    static const std::string path = "/tmp/velmora-audio-fuzz-" + std::to_string(getpid()) + ".isz";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    const velmora::audio::DecodeResult result = velmora::audio::decodeSoundFile(path);
    if (result.ok() == result.pcm.empty())
        std::abort(); // success must bring audio; failure must bring none

    velmora::audio::DecodeError error;
    std::string detail;
    if (auto stream = velmora::audio::FileStreamSource::open(path, error, detail)) {
        float block[2 * 512];
        // Bounded: a file that claims hours of audio is read for a minute at most.
        for (int pass = 0; pass < 2; ++pass) {
            for (int i = 0; i < 5000; ++i) {
                const std::size_t n = stream->read(block, 512);
                if (n > 512) std::abort();
                for (std::size_t k = 0; k < 2 * n; ++k)
                    if (!std::isfinite(block[k])) std::abort();
                if (n == 0) break;
            }
            (void)stream->seek(pass == 0 ? 0.25 : 0.0);
        }
    }
    std::remove(path.c_str());
    return 0;
}
