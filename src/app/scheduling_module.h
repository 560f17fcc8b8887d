#pragma once
// The scheduler, the alarm clock, the shutdown countdown and the scenario-folder window,
// wired into the main window: their controllers exist from the start (the scheduler's and
// the alarm's timers run whether or not their windows are ever shown); their views are made
// on first show.
//
// Thread: UI thread.

#include "core/main_window/main_window_controller.h"
#include "platform/qt/logind_power.h"
#include "scheduling/alarm_clock.h"
#include "scheduling/scenario_folder.h"
#include "scheduling/scheduler.h"
#include "scheduling/shutdown_countdown.h"
#include "scheduling/sleep_timer.h"

#include <memory>
#include <vector>

class QWidget;

namespace velmora {

class AlarmView;
class CountdownView;
class ScenarioFolderView;
class SchedulerView;
class SleepTimerMenu;
class TrayIcon;

class SchedulingModule {
  public:
    SchedulingModule(MainWindowController& main, Services& services);
    ~SchedulingModule();
    SchedulingModule(const SchedulingModule&) = delete;
    SchedulingModule& operator=(const SchedulingModule&) = delete;

    /// Registers "Timers", "Alarm" and "frmaddscenariodirectory" with the main window;
    /// host: the window the views belong to.
    void wire(QWidget* host);
    /// Lists the sleep timer in the tray's menu and its time left in the tray's tool-tip.
    void attachTray(TrayIcon& tray);

    [[nodiscard]] scheduling::Scheduler& scheduler() { return m_scheduler; }
    [[nodiscard]] scheduling::AlarmClock& alarm() { return m_alarm; }
    [[nodiscard]] scheduling::ShutdownCountdown& countdown() { return m_countdown; }
    [[nodiscard]] scheduling::SleepTimer& sleepTimer() { return m_sleep; }

  private:
    template <typename View> void colour(View& view);
    /// A window whose view is made when first shown; load and unload are its
    /// controller's (load also runs unseen at start, unload as the program quits).
    template <typename View, typename Make>
    WindowEntry madeOnShow(std::unique_ptr<View>& view, Make make, std::function<void()> load = {},
                           std::function<void()> unload = {});

    MainWindowController& m_main;
    Services& m_s;
    LogindPower m_power;
    scheduling::ShutdownCountdown m_countdown;
    scheduling::Scheduler m_scheduler;
    scheduling::AlarmClock m_alarm;
    scheduling::ScenarioFolder m_folder;
    scheduling::SleepTimer m_sleep;
    QWidget* m_host = nullptr;
    std::unique_ptr<SchedulerView> m_schedulerView;
    std::unique_ptr<AlarmView> m_alarmView;
    std::unique_ptr<ScenarioFolderView> m_folderView;
    std::unique_ptr<CountdownView> m_countdownView;
    std::unique_ptr<SleepTimerMenu> m_sleepMenu;
    std::vector<Connection> m_connections;
};

} // namespace velmora
