#pragma once
// The factory scenarios as designed: for each, the loops of the two background banks (level,
// place in the stereo field, how far and how fast the level drifts), the one-shots of the
// four numbered random banks (level and how often they fire), an optional steady tone, and
// the two bank levels. Sounds are named as their bank's table names them.
//
// Thread: any (constant data).

#include <string>
#include <vector>

namespace velmora::factory {

struct LoopDesign {
    int bank;         ///< background bank 1 or 2
    const char* name; ///< slot caption in that bank's table
    int volume;       ///< 0..255
    int pan;          ///< 0 left .. 255 right
    int rate;         ///< drift rate 0..999 (a step of 1 every (1000 - rate) x 5 ms)
    int low;          ///< drift bounds 0..250
    int high;
};

struct ShotDesign {
    int bank;         ///< random bank 1..4
    const char* name; ///< slot caption in that bank's table
    int volume;       ///< 0..255
    int frequency;    ///< 0..255: about (F - 5) / 250 x 2.1 firings a minute
};

struct ToneDesign {
    const char* name = nullptr; ///< bw slot name ("Alpha2"); nullptr for none
    int volume = 0;             ///< 1..255
};

struct ScenarioDesign {
    const char* name;
    const char* notes;
    int backgroundLevel; ///< 1..14
    int randomLevel;     ///< 1..14
    std::vector<LoopDesign> loops;
    std::vector<ShotDesign> shots;
    ToneDesign tone;
};

/// Every factory scenario, in preset order (the first is preset 1, played on a first run).
[[nodiscard]] const std::vector<ScenarioDesign>& factoryScenarios();

} // namespace velmora::factory
