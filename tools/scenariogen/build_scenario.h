#pragma once
// Puts a designed scenario on a soundscape and writes it as a scenario group, each bank's
// member through the bank's own dosave.
//
// Thread: the thread that owns the soundscape's services.

#include "banks/soundscape.h"
#include "designs.h"

#include <filesystem>
#include <string>
#include <vector>

namespace velmora::factory {

/// Sets every bank of soundscape (fresh: all loops off, all one-shots off) and the levels
/// to design. Returns the design's sound names that no bank table holds (empty when all
/// were found).
[[nodiscard]] std::vector<std::string> applyDesign(Soundscape& soundscape, Levels& levels,
                                                   const ScenarioDesign& design);

/// Writes NAME.vlm and the members of every bank and the main window into folder. The
/// colour members are left out: a factory scenario keeps the user's colours. false when a
/// file was not written.
[[nodiscard]] bool writeScenario(Soundscape& soundscape, const Levels& levels,
                                 const ScenarioDesign& design, const std::filesystem::path& folder);

} // namespace velmora::factory
