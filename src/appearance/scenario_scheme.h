#pragma once
// The colour scheme a scenario keeps, as a whole scheme file written and read by the scheme
// editor, so a scenario brings back the LCD look and every colour, not only the window's.
// Scenarios saved before kept only the main window's ten colours; those still load.
//
// Thread: UI thread.

#include "appearance/scheme_editor.h"
#include "scenarios/scenario_colors.h"

namespace velmora::appearance {

class ScenarioScheme final : public scenarios::ScenarioColors {
  public:
    ScenarioScheme(SchemeEditor& editor, MainWindowController& main)
        : m_editor(editor), m_older(main) {}
    bool save(const std::filesystem::path& path) override;
    bool load(const std::filesystem::path& path) override;

  private:
    SchemeEditor& m_editor;
    scenarios::SlotColors m_older;
};

} // namespace velmora::appearance
