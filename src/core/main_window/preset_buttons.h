#pragma once
// The fourteen preset buttons of the main window: each caption names the scenario it
// recalls, "Currently Unassigned" when empty. The captions are saved in main2.tmp.
//
// Thread: UI thread.

#include "core/signal.h"
#include "core/state/main2_state.h"

#include <array>
#include <string>

namespace velmora {

class PresetButtons {
  public:
    using Captions = std::array<std::string, state::kPresetCount>;

    /// captions: where they are kept (main2.tmp as held in memory).
    explicit PresetButtons(Captions& captions) : m_captions(captions) {}
    PresetButtons(const PresetButtons&) = delete;
    PresetButtons& operator=(const PresetButtons&) = delete;

    [[nodiscard]] const Captions& captions() const { return m_captions; }
    /// index 0..13; other indexes change nothing.
    void setCaption(int index, const std::string& caption);
    /// Tells the views the captions were replaced all at once (after a restore).
    void refresh() { changed(); }

    Signal<> changed;

  private:
    Captions& m_captions;
};

} // namespace velmora
