#pragma once
// Recipes: how each kind of factory sound is made. One function per family of sounds,
// parameterised by the catalogue's variant number, so slots of one kind are variations of
// one model rather than copies. All output is raw (unnormalised); mastering follows.
//
// Threads: pure functions of their arguments; call from any worker thread.

#include "catalogue.h"
#include "dsp.h"

namespace velmora::factory {

/// Dispatches an entry to its recipe. Loops come back exactly loopSeconds(entry) long.
Buffer renderEntry(const Entry& e, Rng& rng);

// --- one-shots, by family (variant as in the catalogue) ---
Buffer renderBird(Category c, int variant, Rng& rng);
Buffer renderInsect(Category c, int variant, Rng& rng);
Buffer renderAnimal(Category c, int variant, Rng& rng);
Buffer renderWeather(Category c, int variant, Rng& rng);
Buffer renderChime(Category c, int variant, Rng& rng);

// --- loops ---
/// Length of a loop in seconds: 30 to 35 s (habitats, Lake shore and Campfire, whose events
/// a listener would recognise, 90 to 95 s), varied between loops so that loops played
/// together rarely fall into step.
double loopSeconds(const Entry& e);
Buffer renderWeatherLoop(Category c, int variant, int length, Rng& rng);
Buffer renderNatureLoop(Category c, int variant, int length, Rng& rng);

// --- beat tones ---
Buffer renderTone(int index);

// --- single calls the habitat loops reuse ---
/// One songbird phrase; species as the Songbird variants (0..10).
Buffer songbirdPhrase(int species, Rng& rng);
/// One cricket chirp sequence of about `seconds`; kind as the Cricket variants.
Buffer cricketSong(int kind, float seconds, Rng& rng);
/// One frog call; kind as the Frog (0..3) and TreeFrog (4..5) variants.
Buffer frogCall(int kind, Rng& rng);
/// A cicada phrase of about `seconds`; kind as the Cicada variants.
Buffer cicadaSong(int kind, float seconds, Rng& rng);

/// Places one buffer after another with gaps: (start seconds, sound) pairs.
Buffer arrange(const std::vector<std::pair<float, Buffer>>& parts);

} // namespace velmora::factory
