#pragma once
// A watch kept around every decode, so that a sound file which brings the program down while
// it is being decoded is not decoded again at the next start (a bank restores its sounds at
// every start, so one bad file would otherwise end every start the same way). The engine
// only asks and reports; what is remembered, and where, is the guard's business.
//
// Thread: the thread that calls SoundEngine::loadSample, or the worker decoding ahead for
// it; the engine makes the calls one decode at a time.

#include <string>

namespace velmora::audio {

/// Why a file is being loaded: restored from saved state (or a scenario, or the factory
/// library), or just now picked by the user, who thereby asks for one more try.
enum class LoadOrigin { Stored, ChosenByUser };

class DecodeGuard {
  public:
    virtual ~DecodeGuard() = default;
    /// Asked before path is decoded; false refuses it and the load fails as for an
    /// unreadable file.
    [[nodiscard]] virtual bool mayDecode(const std::string& path, LoadOrigin origin) = 0;
    /// Told once decoding a file that mayDecode allowed has ended, whatever the outcome.
    virtual void decoded(const std::string& path) = 0;
};

} // namespace velmora::audio
