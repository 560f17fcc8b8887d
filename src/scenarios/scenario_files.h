#pragma once
// Scenarios on disk: loading one into every bank and the main window, saving what plays now
// as one (new, or over the current one), deleting one and going back to the state the
// program last quit with. A scenario is each bank's own file under the scenario's name, so
// loading and saving go through the banks' doload and dosave and never a copy of a format.
//
// Thread: UI thread.

#include "core/effects_record_owner.h"
#include "core/main_window/scenario_list.h"
#include "core/services.h"
#include "core/signal.h"
#include "core/state/saved_soundscape.h"
#include "scenarios/main_member.h"
#include "scenarios/scenario_colors.h"

#include <filesystem>
#include <memory>
#include <string>

namespace velmora {
class MainWindowController;
}

namespace velmora::scenarios {

class ScenarioFiles final : public ScenarioLoader {
  public:
    /// How often a load waiting for its sounds looks whether they are decoded.
    static constexpr int kDecodeWaitMs = 15;

    /// links: the banks a scenario holds (each must be a bank with a member file).
    ScenarioFiles(Services& services, MainWindowController& main, SoundscapeLinks links);
    ScenarioFiles(const ScenarioFiles&) = delete;
    ScenarioFiles& operator=(const ScenarioFiles&) = delete;

    /// Replaces the slot colours as keeper of members 7 and 9 (nullptr: the slot colours).
    void setColors(ScenarioColors* colors) { m_colors = colors ? colors : &m_slotColors; }
    /// The keeper of the effects member; nullptr: scenarios neither keep nor change effects.
    void setEffects(EffectsRecordOwner* effects) { m_effects = effects; }

    // --- ScenarioLoader ---
    void loadScenario(const std::string& name) override;
    bool loadScenarioFile(const std::filesystem::path& vlmFile, ScenarioLoadMode mode) override;
    void rebuildScenarioMenu() override;

    // --- the main window's commands ---
    /// chameleonButton3: asks for a name, then saves under it.
    void saveAs();
    /// chameleonButton15: saves over the current scenario after asking.
    void saveOver();
    /// chameleonButton10: deletes the selected scenario's thirteen files after asking.
    void deleteSelected();
    /// chameleonButton2: every bank back to the state file of the last quit.
    void loadPrevious();

    /// The texts the main window keeps with a scenario (fields 5-12 of its member file).
    [[nodiscard]] const MainMember& texts() const { return m_texts; }
    /// Scenario notes (Text7), saved with the next save.
    void setNotes(const std::string& notes);

    /// A scenario finished loading (its name).
    Signal<std::string> loaded;
    /// The texts of the member file were applied (slideshow, pictures, notes).
    Signal<const MainMember&> textsChanged;

  private:
    /// The load that waits for its sounds to be decoded.
    struct PendingLoad {
        std::filesystem::path dir;
        std::string name;
        ScenarioLoadMode mode = ScenarioLoadMode::Manual;
    };

    /// Checks the group and starts its load: true when it started (it may end later, once
    /// the sounds it turns on are decoded off this thread, and may still fail then).
    bool loadGroup(const std::filesystem::path& folder, const std::string& name,
                   ScenarioLoadMode mode);
    /// Applies the pending load's members to the banks, in load order.
    bool finishLoad();
    bool failLoad(ScenarioLoadMode mode);
    void writeGroup(const std::string& name);
    /// Says why name cannot be used, ending with nothingDone; false when it can.
    bool refusedName(const std::string& name, const char* nothingDone);
    /// The selected scenario when its name can be used; otherwise says why (noneSelected,
    /// or the name's problem and nothingDone) and gives an empty name.
    std::string usableSelection(const char* noneSelected, const char* nothingDone);
    [[nodiscard]] std::filesystem::path folder() const;
    void showName(const std::string& name);

    Services& m_s;
    MainWindowController& m_main;
    ScenarioList& m_list;
    state::SavedSoundscape m_saved;
    SlotColors m_slotColors;
    ScenarioColors* m_colors = &m_slotColors;
    EffectsRecordOwner* m_effects = nullptr;
    MainMember m_texts;
    PendingLoad m_pending;
    std::unique_ptr<Timer> m_decodeWait;
};

} // namespace velmora::scenarios
