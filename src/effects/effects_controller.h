#pragma once
// The effects window (frmeffects): a ten-band equaliser and a room reverb on the whole mix,
// each with an on/off toggle, a list of presets with previous/next, save and delete; the
// reverb page also restores its defaults. The window is loaded unseen at start, which
// restores the toggles and presets of the last run from effects.tmp, and writes that file
// again at quit. The main window shows each effect's preset, or "Disabled", through
// statusChanged.
//
// Every change reaches the engine at once and without a gap: the engine crossfades between
// effect settings itself, so nothing here pauses the output.
//
// Thread: UI thread.

#include "core/effects_record_owner.h"
#include "core/services.h"
#include "core/signal.h"
#include "effects/effect_presets.h"
#include "effects/effects_record.h"

#include <array>
#include <string>
#include <vector>

namespace velmora::effects {

enum class EffectsPage { Equaliser, Reverb };

class EffectsController final : public EffectsRecordOwner {
  public:
    static constexpr const char* kWindowName = "frmeffects";
    static constexpr const char* kCustom = "Custom";
    static constexpr const char* kDefault = "Default";
    static constexpr const char* kNoPreset = "No Preset Selected";
    static constexpr const char* kDisabled = "Disabled";
    static constexpr const char* kNotFound = "This preset could not be found.";
    static constexpr const char* kEqualiserNamePrompt =
        "Please type a name to identify this equalizer configuration";
    static constexpr const char* kReverbNamePrompt =
        "Please type a name to identify this configuration";
    static constexpr const char* kDeleteQuestion = "This will delete the current preset. Continue?";
    static constexpr const char* kDefaultsQuestion =
        "This will restore all reverb settings to their defaults. Do you wish to continue?";
    static constexpr const char* kBadName =
        "A preset name cannot contain \\ or /, be \".\" or \"..\", or hold control characters. "
        "Please choose another name.";
    static constexpr const char* kAdjusted =
        "Some values of this preset were outside the range of their sliders and have been set "
        "to the nearest value the slider allows.";

    explicit EffectsController(Services& services);

    /// Window load: fills both lists, restores effects.tmp (toggles, list positions and
    /// their presets) and then the whole record last heard, tells the main window and
    /// applies the effects.
    void load();
    /// Window unload (quit): writes effects.tmp and the record last heard.
    void unload();
    /// Writes what is heard now into a snapshot folder, so a recording made from it sounds
    /// the same even with sliders no preset holds.
    [[nodiscard]] FileResult writeSnapshot(const std::filesystem::path& dir);

    // --- what the view shows ---
    [[nodiscard]] bool isOn(EffectsPage page) const;
    [[nodiscard]] const BandValues& bands() const { return m_settings.bands; }
    [[nodiscard]] const ReverbValues& reverb() const { return m_settings.reverb; }
    [[nodiscard]] const std::vector<std::string>& presets(EffectsPage page) const;
    /// Position of the list's selection; -1 when the text is not one of its presets.
    [[nodiscard]] int presetIndex(EffectsPage page) const;
    /// The list's text: a preset name, "Custom", "Default" or "No Preset Selected".
    [[nodiscard]] const std::string& presetText(EffectsPage page) const;
    /// The preset name when the effect is on, "Disabled" when it is off.
    [[nodiscard]] std::string statusLine(EffectsPage page) const;
    /// A line the window shows under its lists (a preset that was adjusted); empty for none.
    [[nodiscard]] const std::string& notice() const { return m_notice; }
    [[nodiscard]] EffectsPage page() const { return m_page; }
    [[nodiscard]] const EffectsSettings& settings() const { return m_settings; }

    // --- commands ---
    void showPage(EffectsPage page);
    void toggle(EffectsPage page);
    /// value 0..30 (limited), gain value - 15 dB; the list text becomes "Custom".
    void setBand(int band, int value);
    /// Every band to 0 dB.
    void flat();
    /// Value within the slider's travel (limited); the list text becomes "Custom".
    void setReverbSlider(int slider, int value);
    void previousPreset(EffectsPage page);
    void nextPreset(EffectsPage page);
    void choosePreset(EffectsPage page, int index);
    void savePreset(EffectsPage page);
    void deletePreset(EffectsPage page);
    void restoreReverbDefaults();

    FileResult dosave(const std::filesystem::path& path) override;
    FileResult doload(const std::filesystem::path& path) override;

    /// Anything the window shows changed.
    Signal<> changed;
    /// (equaliser line, reverb line) for the main window's status display.
    Signal<std::string, std::string> statusChanged;

  private:
    [[nodiscard]] std::string& text(EffectsPage page);
    [[nodiscard]] bool& on(EffectsPage page);
    [[nodiscard]] std::filesystem::path presetPath(EffectsPage page, const std::string& name) const;
    void refill(EffectsPage page);
    /// Reads the preset named by the list text into the sliders; false when it could not.
    bool loadPreset(EffectsPage page, const std::string& name);
    void applyEffects();
    void setEq(int band);
    void setReverb();
    void tellStatus();

    Services& m_s;
    EffectsSettings m_settings;
    std::array<std::vector<std::string>, 2> m_names;
    std::array<int, kBandCount> m_bandHandles{};
    int m_reverbHandle = -1;
    EffectsPage m_page = EffectsPage::Equaliser;
    std::string m_notice;
};

} // namespace velmora::effects
