#pragma once
// Frmhotkeys without a toolkit: ten actions, each with a pair of key texts of which the
// second is the key that runs it. The pair's first text is kept in the store as it was found
// and never matched, so settings shared with an older copy lose nothing.
//
// Assignments are read once, when the controller is made, and each change is written at
// once: a crash or a kill after choosing a key still keeps it.
//
// Thread: UI thread.

#include "core/levels.h"
#include "core/main_window/window_commands.h"
#include "platform/settings_store.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

class MuteSwitch;
class ScenarioList;

inline constexpr int kHotkeyActionCount = 10;
inline constexpr int kHotkeyTextCount = 2 * kHotkeyActionCount;
/// How far a level hotkey moves its slider.
inline constexpr int kHotkeyLevelStep = 15;
inline constexpr const char* kHotkeySection = "HotKeys";
inline constexpr const char* kNoKey = "None";

/// Captions of the ten actions (Label1 .. Label10), in matching order.
inline constexpr std::array<const char*, kHotkeyActionCount> kHotkeyActionCaptions = {
    "Change Image", "Change Direction", "Change Scenario", "Back Vol +",    "Back Vol -",
    "Random Vol +", "Random Vol -",     "Master Vol +",    "Master Vol - ", "Mute / Unmute"};

/// "None", "A" .. "Z", "F1" .. "F12": every name a key text may hold.
[[nodiscard]] const std::vector<std::string>& hotkeyNames();
/// The key code of a name (65..90, 112..123), ignoring surrounding blanks; nullopt for
/// "None", empty and anything else.
[[nodiscard]] std::optional<int> hotkeyCode(std::string_view name);
/// The store's value name of key text `index` (0 "FindHotKeys" .. 6 "6" ..).
[[nodiscard]] std::string hotkeyValueName(int index);

/// The actions of the visual views (the slideshow's next picture, the panorama's reverse).
class VisualHotkeyTargets {
  public:
    virtual ~VisualHotkeyTargets() = default;
    virtual void changeImage() = 0;
    virtual void changeDirection() = 0;
};

class Hotkeys final : public KeyHandler {
  public:
    /// Reads the twenty texts from the store (application = the program's title).
    Hotkeys(SettingsStore& settings, Levels& levels, ScenarioList& scenarios, MuteSwitch& mute);
    Hotkeys(const Hotkeys&) = delete;
    Hotkeys& operator=(const Hotkeys&) = delete;

    /// nullptr: the two picture actions do nothing.
    void setVisualTargets(VisualHotkeyTargets* visual) { m_visual = visual; }

    /// The key that runs action i (0..9): its matched text.
    [[nodiscard]] const std::string& key(int action) const;
    /// Assigns a key name to action i and saves it; a name that is not offered is refused.
    bool assign(int action, const std::string& keyName);
    [[nodiscard]] const std::string& text(int index) const { return m_texts.at(index); }

    /// While true every key is ignored (a text field has the focus).
    void setSuspended(bool suspended) { m_suspended = suspended; }
    [[nodiscard]] bool isSuspended() const { return m_suspended; }

    /// A key as the views name it ("F5", "Shift+A"); modifiers are ignored.
    void handleKey(const std::string& keyName) override;
    /// Runs every action bound to code, in table order.
    void handleKeyCode(int code);

  private:
    void run(int action);
    void step(Level level, int delta);

    SettingsStore& m_settings;
    Levels& m_levels;
    ScenarioList& m_scenarios;
    MuteSwitch& m_mute;
    VisualHotkeyTargets* m_visual = nullptr;
    std::array<std::string, kHotkeyTextCount> m_texts;
    bool m_suspended = false;
};

} // namespace velmora
