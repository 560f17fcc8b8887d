#pragma once
// The volume formulas every random bank uses. M is the master level, R the bank's random
// level, S a slot volume 0..255 and k the tick's drawn multiple.
//
// Thread: any (pure functions).

#include <cmath>

namespace velmora {

/// Nearest integer, a tie going to the even one (the default rounding mode).
inline int nearestEven(double x) {
    return static_cast<int>(std::nearbyint(x));
}

inline int limitVolume(int v) {
    return v < 0 ? 0 : (v > 255 ? 255 : v);
}

/// Channel volume 0..255 of a slot at volume s: Nearest(M x (R / 6 / 100) x (S / 14)).
inline int slotVolume(int master, int level, int s) {
    return limitVolume(nearestEven(master * (level / 6.0 / 100.0) * (s / 14.0)));
}

/// Channel volume 0..255 of a tick firing with multiple k: Nearest(M x (R / 6 / 100) x k).
inline int tickVolume(int master, int level, int k) {
    return limitVolume(nearestEven(master * (level / 6.0 / 100.0) * k));
}

} // namespace velmora
