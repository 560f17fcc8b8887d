#pragma once
// frmaddscenariodirectory: a folder tree, the scenario files of the chosen folder, and Add.
//
// Thread: UI thread.

#include "core/signal.h"
#include "scheduling/scenario_folder.h"
#include "window_place.h"

#include <QWidget>

class QFileSystemModel;
class QListWidget;
class QTreeView;

namespace velmora {

struct ColorScheme;

class ScenarioFolderView final : public QWidget {
    Q_OBJECT
  public:
    ScenarioFolderView(scheduling::ScenarioFolder& folder, SettingsStore& settings,
                       QWidget* parent = nullptr);
    void applyColors(const ColorScheme& scheme);
    void open() { m_place.show(); }
    void saveState() { m_place.save(); }

  private:
    void refresh();

    scheduling::ScenarioFolder& m_folder;
    WindowPlace m_place;
    QFileSystemModel* m_model = nullptr;
    QTreeView* m_tree = nullptr;
    QListWidget* m_files = nullptr;
    Connection m_changed;
};

} // namespace velmora
