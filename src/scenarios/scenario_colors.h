#pragma once
// How a scenario keeps the colour scheme (members 7 and 9). The scheme editor will save and
// load its own scheme files here; until it does, the main window's ten colour slots are kept
// as one record, which is all a scheme is today.
//
// Thread: UI thread.

#include <filesystem>

namespace velmora {
class MainWindowController;
}

namespace velmora::scenarios {

class ScenarioColors {
  public:
    virtual ~ScenarioColors() = default;
    /// Writes the scheme in use; false when the file was not written.
    virtual bool save(const std::filesystem::path& path) = 0;
    /// Reads the file and applies its scheme; false (nothing applied) when it is unusable.
    virtual bool load(const std::filesystem::path& path) = 0;
};

/// The main window's ten colour slots, one number each.
class SlotColors final : public ScenarioColors {
  public:
    explicit SlotColors(MainWindowController& main) : m_main(main) {}
    bool save(const std::filesystem::path& path) override;
    bool load(const std::filesystem::path& path) override;

  private:
    MainWindowController& m_main;
};

} // namespace velmora::scenarios
