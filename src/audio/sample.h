#pragma once
// A decoded sound: 16-bit mono at 44 100 Hz. The PCM never changes after loading, so the
// audio thread reads it without locks. Created and destroyed on the UI thread; destroyed
// only after the audio thread has handed it back through the retired-sample queue.

#include <cstdint>
#include <vector>

namespace velmora::audio {

struct Sample {
    explicit Sample(std::vector<std::int16_t> pcm, int slot) : pcm(std::move(pcm)), slot(slot) {}

    const std::vector<std::int16_t> pcm; ///< mono frames at 44 100 Hz
    const int slot;                      ///< index in the engine's sample table

    // Bookkeeping owned by the audio thread once the sample has been handed to it.
    int users = 0;                 ///< voices currently reading pcm
    bool released = false;         ///< the UI thread let go; retire when users reaches 0
    Sample* nextPending = nullptr; ///< intrusive list of samples waiting to be retired
};

} // namespace velmora::audio
