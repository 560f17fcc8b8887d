// The main window's share of start-up (the load sequence) and of quit.
#include "core/main_window/color_slots.h"
#include "core/state/options_state.h"
#include "main_window_controller.h"

#include <algorithm>
#include <system_error>

namespace velmora {

namespace {
constexpr int kBufferMs = 100;
const char* const kHiddenAtStart[] = {"Timers", "frmeffects"};
/// The panel a user sees first: the looping backgrounds are what a soundscape starts from.
const char* const kFirstPanel = "frmback";
} // namespace

std::filesystem::path MainWindowController::stateFile(const char* stored) const {
    return m_s.folder.resolve(stored);
}

std::filesystem::path MainWindowController::bankStateFile(const Bank& bank) const {
    std::string name = bank.stateFileName();
    if (name.empty() || (name.front() != '\\' && name.front() != '/')) name = "\\" + name;
    return m_s.folder.resolve(name);
}

void MainWindowController::startSoundEngine() {
    if (m_engineStarted) return;
    m_engineStarted = true;
    if (auto device = state::readOutputDeviceIndex(stateFile(state::kMain2StateFile)))
        m_outputDevice.set(*device);
    m_s.engine.setBufferSize(kBufferMs);
    m_s.engine.setDriver(m_outputDevice.index());
    (void)m_s.engine.init(audio::kSampleRate, audio::kChannelCount, 4);
}

void MainWindowController::restoreMainState() {
    const auto result = state::readMainState(stateFile(state::kMainStateFile), m_mainState);
    m_firstRun = result.missing();
    // Only fields really read reach the dialogs: a missing or short file leaves their own
    // starting values rather than the file's defaults.
    if (result.fieldRead(3) && m_randomAuto.setDialogSlider)
        m_randomAuto.setDialogSlider(m_mainState.randomIntervalSlider);
    if (result.fieldRead(4) && m_customAuto.setDialogSlider)
        m_customAuto.setDialogSlider(m_mainState.customIntervalSlider);
}

void MainWindowController::restoreMain2State() {
    const auto result = state::readMain2State(stateFile(state::kMain2StateFile), m_main2State);
    if (result.missing()) return;
    m_s.levels.set(Level::Background, m_main2State.background);
    m_s.levels.set(Level::Random, m_main2State.random);
    m_s.levels.set(Level::Mp3, m_main2State.mp3);
    m_s.levels.set(Level::Cd, m_main2State.cd);
    m_scheme = schemeFromSlots(m_main2State.colorSlots, m_scheme);
    if (m_main2State.customAutoRandomise && m_customAuto.restore) m_customAuto.restore(true);
    if (m_main2State.bankOneAutoRandomise && m_randomAuto.restore) m_randomAuto.restore(true);
}

void MainWindowController::restoreBanks() {
    for (Bank* b : m_banks) {
        m_windows.markOpen(b->windowName());
        // A missing state file is a first run, not a fault: the bank keeps its initial
        // values without a message box per bank.
        const auto path = bankStateFile(*b);
        std::error_code ec;
        if (std::filesystem::exists(path, ec)) b->doload(path);
    }
}

void MainWindowController::load() {
    if (m_loaded) return;
    m_loaded = true;
    startSoundEngine();
    m_scheme = schemeFromSlots(state::kDefaultColorSlots, ColorScheme{});
    setDisplayText(Display::Scheduler, "Disabled");
    setDisplayText(Display::Picture, "Default");
    disableAlarm();
    refreshScenarioList();
    restoreMainState();
    restoreMain2State();
    restoreBanks();
    presetsChanged();
    if (m_hooks.rebuildScenarioMenu) m_hooks.rebuildScenarioMenu();
    setDisplayText(Display::Scenario, "Not Specified");
    if (m_hooks.remoteScenarioLabel) m_hooks.remoteScenarioLabel("Scn: Not Specified");
    docolors(m_scheme);
    checklcd();
    if (m_hooks.hideSplash) m_hooks.hideSplash();
    for (Level l : {Level::Background, Level::Master, Level::Cd, Level::Bwaves})
        m_s.levels.push(l);
    if (m_firstRun) m_firstRunTimer->setEnabled(true);
    m_s.levels.push(Level::Mp3);
    setDisplayText(Display::Preset, "No preset selected");
    for (const char* name : kHiddenAtStart)
        m_windows.loadHidden(name);
    if (m_mainState.alarmOn()) enableAlarm();

    showClock();
    m_clockTimer->setEnabled(true);
    m_scenarioClearTimer->setEnabled(true);
    if (!showBank(kFirstPanel) && !m_banks.empty()) showBank(m_banks.front()->windowName());
    // "Start with controller": the option is saved by the options window and honoured here,
    // once the remote exists to be shown.
    if (state::readRemoteOnStart(m_s.settings) && m_windows.has(kRemoteWindow)) showRemote();
}

void MainWindowController::stopTimers() {
    for (Timer* t : {m_clockTimer.get(), m_scenarioClearTimer.get(), m_firstRunTimer.get(),
                     m_autoLcdTimer.get(), m_customLcdTimer.get()})
        t->setEnabled(false);
}

void MainWindowController::collectState() {
    auto& s2 = m_main2State;
    // While muted the master the user chose is the one kept, not the 0 of the mute.
    s2.master = unmutedMaster();
    s2.background = m_s.levels.value(Level::Background);
    s2.random = m_s.levels.value(Level::Random);
    s2.mp3 = m_s.levels.value(Level::Mp3);
    s2.cd = m_s.levels.value(Level::Cd);
    s2.colorSlots = slotsFromScheme(m_scheme);
    if (m_customAuto.isOn) s2.customAutoRandomise = m_customAuto.isOn();
    if (m_randomAuto.isOn) s2.bankOneAutoRandomise = m_randomAuto.isOn();
    if (m_randomAuto.dialogSlider) m_mainState.randomIntervalSlider = m_randomAuto.dialogSlider();
    if (m_customAuto.dialogSlider) m_mainState.customIntervalSlider = m_customAuto.dialogSlider();
    s2.outputDevice = m_outputDevice.index();
    m_mainState.outputDevice = s2.outputDevice;
}

bool MainWindowController::writeStateFiles() {
    // main2.tmp first, then main.tmp: main.tmp marks a completed quit (no first-run welcome
    // next time), so it must not exist without its partner.
    const auto path2 = stateFile(state::kMain2StateFile);
    const auto path1 = stateFile(state::kMainStateFile);
    const bool ok2 = state::writeMain2State(path2, m_main2State).ok();
    const bool ok1 = state::writeMainState(path1, m_mainState).ok();
    return ok1 && ok2;
}

void MainWindowController::saveState() {
    // Before the load sequence ran, the held state is only defaults: writing it would wipe
    // the user's saved soundscape.
    if (!m_loaded || m_quit) return;
    collectState();
    (void)writeStateFiles();
    for (Bank* b : m_banks)
        b->dosave(bankStateFile(*b));
}

void MainWindowController::quit(bool interactive) {
    if (m_quit) return;
    m_quit = true;
    if (m_loaded && m_hooks.writeVisualState) m_hooks.writeVisualState();
    stopTimers();
    m_s.engine.close();
    if (m_loaded) {
        collectState();
        if (!writeStateFiles() && interactive)
            m_s.dialogs.message("The settings could not be saved in " + m_s.folder.root().string() +
                                    ". Check that this folder can be written to.",
                                MessageIcon::Warning, kProgramTitle);
        m_windows.closeAll();
    }
    finished();
}

} // namespace velmora
