// The main window's share of start-up (the load sequence) and of quit.
#include "core/main_window/color_slots.h"
#include "core/state/options_state.h"
#include "main_window_controller.h"

namespace velmora {

namespace {
constexpr int kBufferMs = 100;
const char* const kHiddenAtStart[] = {"Timers", "Alarm", "frmeffects"};
/// The panel a user sees first: the looping backgrounds are what a soundscape starts from.
const char* const kFirstPanel = "frmback";
const char* const kReadOnlyFolder =
    " cannot be written to, so Velmora cannot save its settings there. Changes made in this "
    "session will be lost when Velmora quits.";
} // namespace

void MainWindowController::startSoundEngine() {
    if (m_engineStarted) return;
    m_engineStarted = true;
    if (auto device = state::readOutputDeviceIndex(m_s.folder.resolve(state::kMain2StateFile)))
        m_outputDevice.set(*device);
    m_s.engine.setBufferSize(kBufferMs);
    m_s.engine.setDriver(m_outputDevice.index());
    (void)m_s.engine.init(audio::kSampleRate, audio::kChannelCount, 4);
}

void MainWindowController::restoreState() {
    for (Bank* b : m_panels.banks())
        m_windows.markOpen(b->windowName());
    if (!m_saved) m_saved = std::make_unique<state::SavedSoundscape>(m_s.levels, SoundscapeLinks{});
    const auto report = m_saved->restore(m_s.folder, m_mainState, m_main2State);
    m_firstRun = report.firstRun;
    // Quit writes over these files; what they held stays beside them for the user.
    state::keepDamagedCopies(report);
    m_scheme = schemeFromSlots(m_main2State.colorSlots, m_scheme);
}

void MainWindowController::load() {
    if (m_loaded) return;
    m_loaded = true;
    startSoundEngine();
    m_scheme = schemeFromSlots(state::kDefaultColorSlots, ColorScheme{});
    m_displays.setSchedulerText("Disabled");
    m_displays.setPictureText("Default");
    m_commands.disableAlarm();
    m_scenarios.refresh();
    restoreState();
    m_presets.refresh();
    m_scenarios.rebuildMenu();
    m_displays.setScenarioText("Not Specified");
    m_commands.tellRemoteScenario("Scn: Not Specified");
    docolors(m_scheme);
    m_displays.checklcd();
    if (m_splash) m_splash->hideSplash();
    if (m_firstRun) m_firstRunTimer->setEnabled(true);
    m_displays.setPresetText("No preset selected");
    for (const char* name : kHiddenAtStart)
        m_windows.loadHidden(name);
    if (m_mainState.alarmOn()) m_commands.enableAlarm();
    // Said once, now, rather than as a failed save at the end of a session's work.
    if (!state::canWriteIn(m_s.folder.root()))
        m_s.dialogs.message("The program folder " + m_s.folder.root().string() + kReadOnlyFolder,
                            MessageIcon::Warning, "Program folder read-only");

    m_displays.start();
    if (!m_panels.showBank(kFirstPanel) && !m_panels.banks().empty())
        m_panels.showBank(m_panels.banks().front()->windowName());
    // "Start with controller": the option is saved by the options window and honoured here,
    // once the remote exists to be shown.
    if (state::readRemoteOnStart(m_s.settings) && m_windows.has(kRemoteWindow))
        m_commands.showRemote();
}

void MainWindowController::stopTimers() {
    m_displays.stop();
    m_firstRunTimer->setEnabled(false);
}

void MainWindowController::collectState() {
    m_saved->collect(m_mainState, m_main2State);
    // While muted the master the user chose is the one kept, not the 0 of the mute.
    m_main2State.master = m_mute.unmutedMaster();
    m_main2State.colorSlots = slotsFromScheme(m_scheme);
    m_main2State.outputDevice = m_outputDevice.index();
    m_mainState.outputDevice = m_main2State.outputDevice;
}

void MainWindowController::reportSave(const state::SaveReport& report, bool interactive) {
    if (report.ok()) {
        m_saveErrors.clear();
        return;
    }
    m_saveErrors.record("settings not saved: " + report.summary());
    if (interactive)
        m_s.dialogs.message("These settings could not be saved: " + report.summary() +
                                ". Check that the folder " + m_s.folder.root().string() +
                                " can be written to.",
                            MessageIcon::Warning, "Settings not saved");
}

void MainWindowController::saveState() {
    // Before the load sequence ran, the held state is only defaults: writing it would wipe
    // the user's saved soundscape.
    if (!m_loaded || m_quit) return;
    collectState();
    reportSave(m_saved->write(m_s.folder, m_mainState, m_main2State), false);
}

void MainWindowController::quit(bool interactive) {
    if (m_quit) return;
    m_quit = true;
    if (m_loaded && m_commands.visualMode()) m_commands.visualMode()->writeVisualState();
    stopTimers();
    m_s.engine.close();
    if (m_loaded) {
        collectState();
        auto report = m_saved->writeMainFiles(m_s.folder, m_mainState, m_main2State);
        // Each bank writes its state file as its window closes, last opened first.
        m_quitSave = &report;
        m_windows.closeAll();
        m_quitSave = nullptr;
        reportSave(report, interactive);
    }
    finished();
}

} // namespace velmora
