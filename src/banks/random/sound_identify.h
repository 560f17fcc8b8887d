#pragma once
// The identify window's two lists: every firing of every random bank appends the slot's
// caption to "Sound Playing" and its bank column to "Location". Only the newest lines are
// kept, so a soundscape left playing for days does not grow without bound.
//
// Thread: UI thread.

#include "core/signal.h"

#include <cstddef>
#include <deque>
#include <string>

namespace velmora {

class SoundIdentify {
  public:
    static constexpr std::size_t kMaxLines = 1000;
    static constexpr const char* kWaiting = "Waiting...";

    SoundIdentify();

    [[nodiscard]] std::string windowName() const { return "Frmsoundindent"; }

    /// One firing: caption -> "Sound Playing", location (e.g. "Random 3 - column 2") ->
    /// "Location". The oldest line of each list goes once it holds kMaxLines.
    void add(const std::string& caption, const std::string& location);
    /// Both lists back to the single line "Waiting...".
    void clear();

    [[nodiscard]] const std::deque<std::string>& sounds() const { return m_sounds; }
    [[nodiscard]] const std::deque<std::string>& locations() const { return m_locations; }
    /// Firings reported since start (not trimmed).
    [[nodiscard]] std::size_t totalAdded() const { return m_total; }

    Signal<const std::string&, const std::string&> added; ///< (caption, location)
    Signal<> cleared;

  private:
    std::deque<std::string> m_sounds;
    std::deque<std::string> m_locations;
    std::size_t m_total = 0;
};

} // namespace velmora
