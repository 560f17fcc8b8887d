#include "scheduling_module.h"

#include "ui/main_window/tray_icon.h"
#include "ui/scheduling/alarm_view.h"
#include "ui/scheduling/countdown_view.h"
#include "ui/scheduling/scenario_folder_view.h"
#include "ui/scheduling/scheduler_view.h"
#include "ui/scheduling/sleep_timer_menu.h"

#include <QCursor>

namespace velmora {

SchedulingModule::SchedulingModule(MainWindowController& main, Services& services)
    : m_main(main), m_s(services), m_power(services.shell),
      m_countdown(services.timers, m_power, [&main] { main.quit(false); }),
      m_scheduler(services, main.displays(), [&main] { return main.scenarios().loader(); }),
      m_alarm(services, main.commands(), main.displays(), m_countdown,
              [&main] { main.quit(false); }),
      m_folder(services, m_scheduler),
      m_sleep(services, m_countdown,
              {[&main] { main.panels().stopAllSounds(); }, [&main] { main.quit(false); }}) {
    // The time left shows where the scheduler's changes are announced; the line is ours
    // only while the timer runs.
    m_connections.push_back(m_sleep.changed.connect(
        [this] { m_main.displays().setAutoChangeText(m_sleep.remainingText()); }));
}

SchedulingModule::~SchedulingModule() = default;

template <typename View> void SchedulingModule::colour(View& view) {
    view.applyColors(m_main.colorScheme());
    m_connections.push_back(
        m_main.colorsChanged.connect([&view](const ColorScheme& s) { view.applyColors(s); }));
}

void SchedulingModule::wire(QWidget* host) {
    m_host = host;
    auto& windows = m_main.windows();
    // The countdown window exists from the start: it must appear even with nothing open.
    m_countdownView = std::make_unique<CountdownView>(m_countdown, host);
    colour(*m_countdownView);

    m_sleepMenu = std::make_unique<SleepTimerMenu>(m_sleep, host);
    windows.add("Sleep", [this] { m_sleepMenu->popup(QCursor::pos()); });

    windows.add("frmaddscenariodirectory", madeOnShow(m_folderView, [this] {
                    return std::make_unique<ScenarioFolderView>(m_folder, m_s.settings, m_host);
                }));
    windows.add("Timers", madeOnShow(
                              m_schedulerView,
                              [this] {
                                  return std::make_unique<SchedulerView>(
                                      m_scheduler, m_s.settings,
                                      [this] { m_main.windows().show("frmaddscenariodirectory"); },
                                      m_host);
                              },
                              [this] { m_scheduler.load(); }, [this] { m_scheduler.unload(); }));
    windows.add(kAlarmWindow,
                madeOnShow(
                    m_alarmView,
                    [this] { return std::make_unique<AlarmView>(m_alarm, m_s.settings, m_host); },
                    [this] { m_alarm.load(); }, [this] { m_alarm.unload(); }));
}

template <typename View, typename Make>
WindowEntry SchedulingModule::madeOnShow(std::unique_ptr<View>& view, Make make,
                                         std::function<void()> load, std::function<void()> unload) {
    auto show = [this, &view, make, load] {
        if (load) load();
        if (!view) {
            view = make();
            colour(*view);
        }
        view->open();
    };
    auto hide = [&view] {
        if (view) view->hide();
    };
    auto close = [&view, unload] {
        if (view) view->saveState();
        if (unload) unload();
    };
    return WindowEntry{show, hide, load, close};
}

void SchedulingModule::attachTray(TrayIcon& tray) {
    tray.setSleepMenu(m_sleepMenu.get());
    m_connections.push_back(m_sleep.changed.connect(
        [this, &tray] { tray.setStatus(QString::fromStdString(m_sleep.remainingText())); }));
}

} // namespace velmora
