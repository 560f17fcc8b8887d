#pragma once
// The scenario commands under the main window's scenario list: save as, save over, delete,
// load previous, the scenario notes panel, and the preset grid below them.
//
// Thread: UI thread.

#include "core/color_scheme.h"
#include "core/signal.h"
#include "scenarios/preset_commands.h"
#include "scenarios/scenario_files.h"

#include <QWidget>

#include <vector>

class QPlainTextEdit;
class QPushButton;

namespace velmora {

class PresetGrid;

class ScenarioCommandsView : public QWidget {
    Q_OBJECT
  public:
    ScenarioCommandsView(MainWindowController& main, scenarios::ScenarioFiles& files,
                         scenarios::PresetCommands& presetCommands, QWidget* parent);
    ~ScenarioCommandsView() override;

  private:
    void setLoading(bool loading);

    PresetGrid* m_presets = nullptr;
    QPlainTextEdit* m_notes = nullptr;
    std::vector<QPushButton*> m_loadingSensitive;
    std::vector<Connection> m_connections;
};

} // namespace velmora
