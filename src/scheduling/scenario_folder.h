#pragma once
// frmaddscenariodirectory: picks a folder and adds every scenario file in it to the
// scheduler's playlist, in the order the window lists them.
//
// Thread: UI thread.

#include "core/services.h"
#include "core/signal.h"
#include "scheduler.h"

#include <filesystem>
#include <string>
#include <vector>

namespace velmora::scheduling {

inline constexpr const char* kNoScenarioFiles = "No Files Were Found In The Specified Folder.";

class ScenarioFolder {
  public:
    ScenarioFolder(Services& services, Scheduler& scheduler);

    /// Starts in the scenario folder.
    [[nodiscard]] const std::filesystem::path& folder() const { return m_folder; }
    void setFolder(const std::filesystem::path& folder);
    /// The "*.vlm" files of the folder (any case of the extension), sorted by name.
    [[nodiscard]] const std::vector<std::string>& files() const { return m_files; }
    /// Appends every listed file to the playlist; kNoScenarioFiles when there is none.
    /// false when nothing was added.
    bool add();

    Signal<> changed;

  private:
    void list();

    Services& m_s;
    Scheduler& m_scheduler;
    std::filesystem::path m_folder;
    std::vector<std::string> m_files;
};

} // namespace velmora::scheduling
