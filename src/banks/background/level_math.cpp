#include "level_math.h"

#include "platform/random.h"

#include <cmath>

namespace velmora {

std::int64_t nearestEven(double x) {
    const double f = std::floor(x);
    const double frac = x - f;
    auto i = static_cast<std::int64_t>(f);
    if (frac > 0.5 || (frac == 0.5 && (i % 2) != 0)) ++i;
    return i;
}

int effectiveVolume(int bankLevel, int masterLevel, int slotVolume) {
    const double a = bankLevel / 14.0;
    const double b = (masterLevel / 6.0) / 100.0;
    return static_cast<int>(nearestEven(slotVolume * (a * b)));
}

int rnd2(Random& random, int lo, int hi) {
    const auto span = static_cast<std::int16_t>(hi - lo);
    return static_cast<int>(nearestEven(random.next() * span + lo));
}

} // namespace velmora
