#pragma once
// The colour schemes wired in: the scheme editor's controller from the start (its scheme is
// the one every window shows), its window made on first show, "Apply" going through the main
// window's docolors to every window there is and every window made later.
//
// Thread: UI thread.

#include "appearance/scenario_scheme.h"
#include "appearance/scheme_editor.h"

#include <memory>

class QWidget;

namespace velmora {

class MainWindowController;
class SchemeEditorView;

class AppearanceModule {
  public:
    AppearanceModule(Services& services, MainWindowController& main, QWidget* host);
    ~AppearanceModule();

    /// After the main window's load sequence: the editor reads its own state (the LCD look,
    /// the line and active colours of last run) and every window shows the whole scheme.
    void loaded();

    /// The scenarios load and save the scheme member files through it.
    [[nodiscard]] appearance::SchemeEditor& editor() { return m_editor; }
    /// Members 7 and 9 of a scenario, through the editor.
    [[nodiscard]] scenarios::ScenarioColors& scenarioColors() { return m_scenarioColors; }

  private:
    void show();
    void close();

    Services& m_s;
    MainWindowController& m_main;
    QWidget* m_host;
    appearance::SchemeEditor m_editor;
    appearance::ScenarioScheme m_scenarioColors;
    std::unique_ptr<SchemeEditorView> m_view;
};

} // namespace velmora
