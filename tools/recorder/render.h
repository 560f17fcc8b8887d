#pragma once
// The recorder's render core, without a toolkit: it builds the program's own banks over an
// offline sound engine and virtual time, restores the soundscape saved in a program folder,
// then advances the timers and renders the audio in 10 ms lock-step, so every tick, drift
// step and random draw happens as it would live. The audio is faded in and out as asked and
// written to a file that appears under its name only when the render finished.
//
// Thread: the calling thread owns everything the render builds; progress is reported on it.
// The cancel flag may be set from any thread.

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace velmora {
struct Services;
class Soundscape;
} // namespace velmora

namespace velmora::recorder {

/// Longest recording accepted, in seconds (a day).
inline constexpr double kMaxSeconds = 24.0 * 3600.0;
/// Virtual time and audio advance together in steps of this many milliseconds.
inline constexpr int kBlockMs = 10;

struct RenderRequest {
    std::filesystem::path programFolder;
    std::filesystem::path output;
    double seconds = 0;        ///< length of the recording, > 0
    std::uint64_t seed = 1;    ///< seeds the program's one random generator
    double fadeInSeconds = 0;  ///< 0 = none
    double fadeOutSeconds = 0; ///< 0 = none
    /// A scenario of the program folder's scenario folder to render instead of the saved
    /// state; empty: the saved state.
    std::string scenario;
};

/// The scenario folder of a program folder.
[[nodiscard]] std::filesystem::path scenarioFolder(const std::filesystem::path& programFolder);
/// The names of the scenarios there, sorted without regard to case.
[[nodiscard]] std::vector<std::string> scenarioNames(const std::filesystem::path& programFolder);

struct RenderProgress {
    std::int64_t framesDone = 0;
    std::int64_t framesTotal = 0;
    [[nodiscard]] double fraction() const {
        return framesTotal > 0 ? static_cast<double>(framesDone) / framesTotal : 1.0;
    }
};

enum class RenderStatus { Finished, Cancelled, Failed };

struct RenderOutcome {
    RenderStatus status = RenderStatus::Failed;
    std::string error;                 ///< one line, when Failed
    std::vector<std::string> warnings; ///< messages the banks showed while restoring
    std::int64_t frames = 0;           ///< frames written
};

/// Optional extension points: prepare runs after the soundscape was restored and before
/// the first block (e.g. effect settings); inspect runs after the last block, before the
/// soundscape is taken down.
struct RenderHooks {
    std::function<void(Services&, Soundscape&)> prepare;
    std::function<void(Services&, Soundscape&)> inspect;
};

/// Checks a request before anything is built; an empty text when it can be rendered.
[[nodiscard]] std::string validate(const RenderRequest& request);

/// Gain of the fades at frame (of total frames); 1 outside them. Raised-cosine curves that
/// reach 0 at the very first and very last frame.
[[nodiscard]] float fadeGain(std::int64_t frame, std::int64_t totalFrames,
                             std::int64_t fadeInFrames, std::int64_t fadeOutFrames);

/// Renders the request. progress is called about every second of rendered audio and once
/// at the end; cancel (may be null) is polled between blocks.
RenderOutcome render(const RenderRequest& request,
                     const std::function<void(const RenderProgress&)>& progress = {},
                     const std::atomic<bool>* cancel = nullptr, const RenderHooks& hooks = {});

} // namespace velmora::recorder
