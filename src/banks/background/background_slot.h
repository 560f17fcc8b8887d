#pragma once
// The record of one background slot (a looping sound with a volume, a balance, a volume
// range and a rate of drift) and the rules its controls obey.
//
// Thread: UI thread.

#include <algorithm>

namespace velmora {

/// Limits of the slot's controls. The range bars are scroll bars whose position p shows the
/// bound 250 - p, so position 0 is the loudest bound.
struct SlotLimits {
    static constexpr int kVolumeMin = 0;
    static constexpr int kVolumeMax = 255;
    static constexpr int kPanMin = 0;
    static constexpr int kPanMax = 255;
    static constexpr int kRateMin = 0;
    static constexpr int kRateMax = 999;
    static constexpr int kRangeMin = 0;
    static constexpr int kRangeMax = 250;
};

struct BackgroundSlot {
    bool on = false;
    int volume = 220;      ///< 0..255
    int pan = 122;         ///< 0 left .. 255 right
    int rate = 800;        ///< 0 = no drift, else a step every (1000 - rate) x 5 ms
    int rangeLowPos = 250; ///< lower bar: bound rangeLow() = 250 - position
    int rangeHighPos = 0;  ///< upper bar: bound rangeHigh() = 250 - position
    int target = 0;        ///< drift target; 0 = none drawn yet

    [[nodiscard]] int rangeLow() const { return SlotLimits::kRangeMax - rangeLowPos; }
    [[nodiscard]] int rangeHigh() const { return SlotLimits::kRangeMax - rangeHighPos; }
};

/// Where the lower bar ends up when moved to `position`: never past 250 and never above the
/// upper bar (its position never below the upper bar's), so rangeLow <= rangeHigh always.
[[nodiscard]] constexpr int placeLowBar(int position, int highPos) {
    return std::max(std::clamp(position, SlotLimits::kRangeMin, SlotLimits::kRangeMax), highPos);
}

/// Where the upper bar ends up when moved to `position`: never below the lower bar.
[[nodiscard]] constexpr int placeHighBar(int position, int lowPos) {
    return std::min(std::clamp(position, SlotLimits::kRangeMin, SlotLimits::kRangeMax), lowPos);
}

/// Drift period of a rate in milliseconds; 0 means the drift never steps.
[[nodiscard]] constexpr int driftPeriodMs(int rate) {
    return rate == 0 ? 0 : (1000 - rate) * 5;
}

} // namespace velmora
