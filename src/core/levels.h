#pragma once
// The global levels the main window owns. Every bank window and the remote show copies of
// them; here the copies are one shared model, so a move on any copy is a move of the main
// slider and every other copy follows without a mirroring table to keep in step.
//
// Thread: UI thread.

#include "signal.h"

#include <array>

namespace velmora {

enum class Level {
    Master,     ///< ucSlider3
    Random,     ///< ucSlider1
    Background, ///< ucSlider2
    Cd,         ///< ucSlider4
    Bwaves,     ///< ucSlider5
    Mp3,        ///< hscroll2
};
inline constexpr int kLevelCount = 6;

struct LevelRange {
    int minimum;
    int maximum;
    int initial;
};

/// Ranges chosen so that a slot at its initial volume 220 plays at an effective volume of
/// Nearest(500 x 10/600 x 220/14) = 131 on a fresh start, and the tops of master (600) and a
/// bank level (14) bring a full slot (255) to exactly 255.
///
/// The master reaches 0 although a bank's formulas only need 1: muting sets it to 0, and a
/// user who drags it to the bottom expects silence. No formula divides by it, so 0 is safe.
/// The bank levels keep their minimum of 1. Listed in the README; keep the two in step.
constexpr LevelRange levelRange(Level level) {
    switch (level) {
    case Level::Master:
        return {0, 600, 500};
    case Level::Random:
    case Level::Background:
    case Level::Bwaves:
        return {1, 14, 10};
    case Level::Cd:
        return {0, 100, 50};
    case Level::Mp3:
        return {0, 5000, 2500};
    }
    return {0, 0, 0};
}

/// The caption shown beside a level's slider on the main window and on every copy.
constexpr const char* levelCaption(Level level) {
    switch (level) {
    case Level::Master:
        return "Master";
    case Level::Random:
        return "Random";
    case Level::Background:
        return "Background";
    case Level::Cd:
        return "CD";
    case Level::Bwaves:
        return "Bwaves";
    case Level::Mp3:
        return "MP3";
    }
    return "";
}

/// The main window's object name of a level's slider.
constexpr const char* levelSliderName(Level level) {
    switch (level) {
    case Level::Master:
        return "ucSlider3";
    case Level::Random:
        return "ucSlider1";
    case Level::Background:
        return "ucSlider2";
    case Level::Cd:
        return "ucSlider4";
    case Level::Bwaves:
        return "ucSlider5";
    case Level::Mp3:
        return "hscroll2";
    }
    return "";
}

class Levels {
  public:
    Levels() {
        for (int i = 0; i < kLevelCount; ++i)
            m_values[i] = levelRange(Level(i)).initial;
    }

    [[nodiscard]] int value(Level level) const { return m_values[index(level)]; }
    [[nodiscard]] int master() const { return value(Level::Master); }

    /// Limits the value to the level's range; notifies only when it changed.
    void set(Level level, int value) {
        const auto r = levelRange(level);
        value = value < r.minimum ? r.minimum : (value > r.maximum ? r.maximum : value);
        if (m_values[index(level)] == value) return;
        m_values[index(level)] = value;
        changed(level, value);
    }

    /// Runs the change reaction without a change (the start-up push into every bank).
    void push(Level level) { changed(level, value(level)); }

    /// (level, new value). Banks re-apply volumes; views redraw their copies.
    Signal<Level, int> changed;

  private:
    static constexpr int index(Level l) { return static_cast<int>(l); }
    std::array<int, kLevelCount> m_values{};
};

} // namespace velmora
