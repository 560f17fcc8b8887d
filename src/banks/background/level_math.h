#pragma once
// The arithmetic every background-style bank shares: the volume that reaches the mixer from
// a slot, its bank level and the master level, and the drift's target draw.
//
// Thread: any (pure functions; rnd2 draws from the shared generator on the UI thread).

#include <cstdint>

namespace velmora {

class Random;

/// Rounds to the nearest integer, halves to the even neighbour (50.5 -> 50, 51.5 -> 52),
/// whatever the floating-point environment says.
[[nodiscard]] std::int64_t nearestEven(double x);

/// The channel volume of a slot: Nearest(volume x (bank / 14) x (master / 6 / 100)), in
/// double precision in exactly that grouping so results match to the last tie. Bank and
/// master are slider values (minimum 1); the result may exceed 255, which the mixer treats
/// as 255.
[[nodiscard]] int effectiveVolume(int bankLevel, int masterLevel, int slotVolume);

/// Nearest(r x (hi - lo) + lo) for one draw r in [0, 1) from the shared generator; both
/// ends come up about half as often as an inner value. hi - lo wraps as a 16-bit integer.
[[nodiscard]] int rnd2(Random& random, int lo, int hi);

} // namespace velmora
