#pragma once
// The fourteen preset buttons of the main window: each caption names the scenario it
// recalls, "Currently Unassigned" when empty. The captions are saved in main2.tmp. A click
// loads the scenario named by the caption, or, while the buttons flash after a scenario file
// was chosen for assignment, binds the clicked slot to it.
//
// Thread: UI thread (the flash timer included).

#include "core/main_window/scenario_list.h"
#include "core/main_window/status_displays.h"
#include "core/services.h"
#include "core/signal.h"
#include "core/state/main2_state.h"

#include <array>
#include <memory>
#include <string>

namespace velmora {

inline constexpr int kPresetFlashMs = 600;
/// The flashing colours, 0xBBGGRR: red when the phase is on, white when it is off.
inline constexpr std::uint32_t kPresetFlashOn = 255;
inline constexpr std::uint32_t kPresetFlashOff = 16777215;

class PresetButtons {
  public:
    using Captions = std::array<std::string, state::kPresetCount>;

    /// captions: where they are kept (main2.tmp as held in memory). Clicks load through
    /// scenarios' loader; the pointer's texts go to the preset display.
    PresetButtons(Services& services, Captions& captions, ScenarioList& scenarios,
                  StatusDisplays& displays);
    ~PresetButtons();
    PresetButtons(const PresetButtons&) = delete;
    PresetButtons& operator=(const PresetButtons&) = delete;

    [[nodiscard]] const Captions& captions() const { return m_captions; }
    /// Slot index holds a scenario name (index 0..13; others are not assigned).
    [[nodiscard]] bool isAssigned(int index) const;
    /// index 0..13; other indexes change nothing.
    void setCaption(int index, const std::string& caption);
    /// Replaces all fourteen captions at once (a preset list, clear).
    void setAll(const Captions& captions);
    /// Tells the views the captions were replaced all at once (after a restore).
    void refresh() { changed(); }

    /// cmdpreset(index): binds the slot while flashing, otherwise loads an assigned slot's
    /// scenario. Nothing while a load runs.
    void click(int index);
    /// The pointer entered (index 0..13) or left (-1) a preset.
    void hover(int index);

    /// Flashes every button until the next click binds a slot to scenarioName.
    void startAssign(const std::string& scenarioName);
    [[nodiscard]] bool isFlashing() const { return m_flashing; }
    /// The colour every button shows while flashing.
    [[nodiscard]] std::uint32_t flashColour() const {
        return m_phase ? kPresetFlashOn : kPresetFlashOff;
    }

    /// Captions changed, or the flashing stopped: every button recomputes its colour.
    Signal<> changed;
    /// One caption changed (the remote's matching button follows).
    Signal<int> captionChanged;
    /// A flash tick: every button takes flashColour().
    Signal<> flashed;

  private:
    void stopFlashing();

    Services& m_s;
    Captions& m_captions;
    ScenarioList& m_scenarios;
    StatusDisplays& m_displays;
    std::unique_ptr<Timer> m_flashTimer; ///< Timerflash
    std::string m_assignName;
    bool m_flashing = false;
    bool m_phase = false;
};

} // namespace velmora
