#pragma once
// The "Sleep timer" menu, shared by the tray and the main window: the usual times, a custom
// time, what happens at the end, and cancel. Its title shows the time left.
//
// Thread: UI thread.

#include "core/signal.h"
#include "scheduling/sleep_timer.h"

#include <QMenu>

#include <array>

class QAction;

namespace velmora {

class SleepTimerMenu final : public QMenu {
    Q_OBJECT
  public:
    explicit SleepTimerMenu(scheduling::SleepTimer& timer, QWidget* parent = nullptr);
    [[nodiscard]] scheduling::SleepAction chosenAction() const { return m_action; }

  private:
    void refresh();

    scheduling::SleepTimer& m_timer;
    scheduling::SleepAction m_action = scheduling::SleepAction::StopAll;
    std::array<QAction*, 4> m_actions{};
    QAction* m_cancel = nullptr;
    Connection m_changed;
};

} // namespace velmora
