// Sound files are the one input the engine reads: any bytes under any name must decode
// or be refused, never crash, hang or yield out-of-range audio.
#include "audio/decoder.h"

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
    std::remove(path.c_str());
    return 0;
}
