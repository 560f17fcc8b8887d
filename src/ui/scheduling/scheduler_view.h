#pragma once
// Timers, the scheduler window: the three modes, the eight-entry time-of-day table and the
// interval playlist. Closing only hides it; the scheduler runs on without it.
//
// Thread: UI thread.

#include "core/signal.h"
#include "scheduling/scheduler.h"
#include "window_place.h"

#include <QWidget>

#include <array>
#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QStackedWidget;

namespace velmora {

struct ColorScheme;

class SchedulerView final : public QWidget {
    Q_OBJECT
  public:
    /// openFolderWindow: "+ Dir", the scenario-folder window.
    SchedulerView(scheduling::Scheduler& scheduler, SettingsStore& settings,
                  std::function<void()> openFolderWindow, QWidget* parent = nullptr);
    ~SchedulerView() override;

    void applyColors(const ColorScheme& scheme);
    /// Shows the window where it was last left.
    void open() { m_place.show(); }
    /// Saves the place (program exit).
    void saveState() { m_place.save(); }

  private:
    void refresh();

    scheduling::Scheduler& m_scheduler;
    WindowPlace m_place;
    std::array<QRadioButton*, 3> m_modes{};
    QStackedWidget* m_panels = nullptr;
    struct Row {
        QCheckBox* enabled;
        QLineEdit* name;
        QLineEdit* time;
    };
    std::array<Row, scheduling::kTimeOfDayEntries> m_rows{};
    QComboBox* m_interval = nullptr;
    QCheckBox* m_random = nullptr;
    QListWidget* m_list = nullptr;
    Connection m_changed;
};

} // namespace velmora
