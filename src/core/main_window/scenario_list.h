#pragma once
// The main window's scenario list (combobox1): the scenarios in the scenario folder, the one
// selected, and the commands that load it or a random one. Loading itself belongs to the
// scenario files' reader, which joins as a ScenarioLoader; without one the list only shows
// what exists.
//
// Thread: UI thread.

#include "core/services.h"
#include "core/signal.h"

#include <filesystem>
#include <string>
#include <vector>

namespace velmora {

inline constexpr const char* kNoScenarios = "There are no files in the list";

/// Who asked for a load: a person (the list, a preset, the tray, the remote, the command
/// line) or the scheduler, whose loads say "Scenario Autochanged" and "Autoload error".
enum class ScenarioLoadMode { Manual, Auto };

/// Loads scenarios by name and keeps the scenario menu; implemented by the scenario files.
class ScenarioLoader {
  public:
    virtual ~ScenarioLoader() = default;
    /// Loads the scenario of that name from the scenario folder (list double click, random
    /// scenario, tray).
    virtual void loadScenario(const std::string& name) = 0;
    /// Loads the scenario whose group file (NAME.vlm) is vlmFile, with its member files read
    /// from vlmFile's own folder (the scheduler's playlists and the remote's "load from disk"
    /// name files anywhere). false: nothing was applied (the load's own message was shown).
    virtual bool loadScenarioFile(const std::filesystem::path& vlmFile, ScenarioLoadMode mode) = 0;
    /// Rebuilds the scenario menu from the scenario folder.
    virtual void rebuildScenarioMenu() = 0;
};

/// Why a typed or stored scenario name cannot name files in the scenario folder (a path
/// separator, "..", a control character, nothing but blanks); empty when it can.
[[nodiscard]] std::string scenarioNameProblem(const std::string& name);

/// The names of the "*.vlm" files in folder without their extension, sorted without regard
/// to case.
[[nodiscard]] std::vector<std::string> listScenarioNames(const std::filesystem::path& folder);

class ScenarioList {
  public:
    /// selection: where the selected name is kept (it is saved in main.tmp).
    ScenarioList(Services& services, std::string& selection);
    ScenarioList(const ScenarioList&) = delete;
    ScenarioList& operator=(const ScenarioList&) = delete;

    /// nullptr: nothing can be loaded.
    void setLoader(ScenarioLoader* loader) { m_loader = loader; }
    [[nodiscard]] bool canLoad() const { return m_loader != nullptr; }
    /// The loader, for other windows that load scenarios (the scheduler); may be nullptr.
    [[nodiscard]] ScenarioLoader* loader() const { return m_loader; }

    [[nodiscard]] std::filesystem::path folder() const;
    /// Names without their ".vlm", sorted without regard to case.
    [[nodiscard]] const std::vector<std::string>& names() const { return m_names; }
    /// Re-reads "*.vlm" in the scenario folder.
    void refresh();
    void select(const std::string& name);
    [[nodiscard]] const std::string& selected() const { return m_selection; }
    /// Loads the selected scenario; nothing without a selection or a loader, or while a
    /// load runs.
    void loadSelected();
    /// "Load a random scenario from the list": kNoScenarios when the list is empty.
    void loadRandom();
    void rebuildMenu();

    /// A load runs: every command that could start another one is unavailable until it ends.
    [[nodiscard]] bool isLoading() const { return m_loading; }
    void setLoading(bool loading);
    /// Whether a load may start now.
    [[nodiscard]] bool canStartLoad() const { return m_loader && !m_loading; }

    Signal<> listChanged;
    Signal<std::string> selectionChanged;
    /// true while a load runs.
    Signal<bool> loadingChanged;

  private:
    Services& m_s;
    std::string& m_selection;
    ScenarioLoader* m_loader = nullptr;
    std::vector<std::string> m_names;
    bool m_loading = false;
};

} // namespace velmora
