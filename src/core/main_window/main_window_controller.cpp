#include "main_window_controller.h"

#include "platform/ascii_case.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <system_error>

namespace velmora {

namespace {
constexpr int kClockMs = 1000;
constexpr int kScenarioClearMs = 5000;
constexpr int kFirstRunMs = 2000;
constexpr int kLcdUpdateMs = 3000;

} // namespace

const char* displayObjectName(Display display) {
    static constexpr const char* names[kDisplayCount] = {"LCD1", "LCD2", "LCD3", "LCD4",
                                                         "LCD5", "LCD6", "LCD7", "LCD8"};
    return names[static_cast<int>(display)];
}

MainWindowController::MainWindowController(Services& services) : m_s(services) {
    m_clockTimer = m_s.timers.createTimer(kClockMs, [this] { showClock(); });
    m_scenarioClearTimer =
        m_s.timers.createTimer(kScenarioClearMs, [this] { setDisplayText(Display::Scenario, {}); });
    m_firstRunTimer = m_s.timers.createTimer(kFirstRunMs, [this] {
        m_firstRunTimer->setEnabled(false);
        m_windows.show(kFirstRunWindow);
    });
    m_autoLcdTimer = m_s.timers.createTimer(kLcdUpdateMs, [this] {
        m_autoLcdTimer->setEnabled(false);
        checklcd();
    });
    m_customLcdTimer = m_s.timers.createTimer(kLcdUpdateMs, [this] {
        m_customLcdTimer->setEnabled(false);
        checklcd();
    });
    // A master the user raises again while muted is no longer muted: a ticked "Mute" beside
    // audible sound would be wrong, and unmuting would then jump back to the old value.
    m_levelsConnection = m_s.levels.changed.connect([this](Level level, int value) {
        if (level == Level::Master && m_muted && !m_settingMute && value != 0) {
            m_muted = false;
            muteChanged(false);
        }
    });
    m_display[int(Display::Scenario)] = "Not Specified";
    m_display[int(Display::Scheduler)] = "Disabled";
    m_display[int(Display::Preset)] = "No preset selected";
    m_display[int(Display::Picture)] = "Default";
}

MainWindowController::~MainWindowController() = default;

// --- wiring ---

void MainWindowController::addBank(Bank& bank) {
    m_banks.push_back(&bank);
    Bank* b = &bank;
    m_windows.add(bank.windowName(), WindowEntry{
                                         [this, b] { showBank(b->windowName()); },
                                         {},
                                         {},
                                         [this, b] { b->dosave(bankStateFile(*b)); },
                                     });
}

Bank* MainWindowController::bank(const std::string& windowName) const {
    for (Bank* b : m_banks)
        if (b->windowName() == windowName) return b;
    return nullptr;
}

// --- levels ---

void MainWindowController::setLevel(Level level, int value) {
    m_s.levels.set(level, value);
}

int MainWindowController::level(Level level) const {
    return m_s.levels.value(level);
}

void MainWindowController::toggleMute() {
    m_settingMute = true;
    if (!m_muted) {
        m_mutedMaster = m_s.levels.master();
        m_muted = true;
        m_s.levels.set(Level::Master, 0);
    } else {
        m_muted = false;
        m_s.levels.set(Level::Master, m_mutedMaster);
    }
    m_settingMute = false;
    muteChanged(m_muted);
}

// --- bank panels ---

bool MainWindowController::showBank(const std::string& windowName) {
    if (!bank(windowName)) return false;
    m_shownBank = windowName;
    m_windows.markOpen(windowName);
    bankShown(windowName);
    return true;
}

void MainWindowController::randombank(int number) {
    if (number < 1 || number > 4) return;
    showBank(number == 1 ? std::string("frmrandommain") : "frmrandommain" + std::to_string(number));
}

// --- commands ---

void MainWindowController::stopAllSounds() {
    for (Bank* b : m_banks)
        b->stopAll();
}

bool MainWindowController::startRecorder() {
    const auto program = m_s.folder.resolve(kRecorderProgram);
    const auto args =
        m_hooks.recorderArguments ? m_hooks.recorderArguments() : std::vector<std::string>{};
    if (m_s.shell.startProgram(program.string(), args)) return true;
    m_s.dialogs.message(kRecorderMissing, MessageIcon::Information, kProgramTitle);
    return false;
}

void MainWindowController::enableAlarm() {
    m_mainState.alarmFlag = "True";
    alarmChanged(true);
}

void MainWindowController::disableAlarm() {
    m_mainState.alarmFlag = "False";
    if (m_hooks.stopAlarm) m_hooks.stopAlarm();
    setDisplayText(Display::Clock, "Disabled ");
    if (m_hooks.remoteAlarmLabel) m_hooks.remoteAlarmLabel("Alarm:Off");
    alarmChanged(false);
}

void MainWindowController::showRemote() {
    if (!m_windows.has(kRemoteWindow)) return;
    m_mainVisible = false;
    mainVisibilityChanged(false);
    m_windows.show(kRemoteWindow);
}

void MainWindowController::showMain() {
    m_windows.hide(kRemoteWindow);
    m_mainVisible = true;
    mainVisibilityChanged(true);
}

bool MainWindowController::openWindow(const std::string& windowName) {
    if (windowName == kRemoteWindow) {
        if (!m_windows.has(kRemoteWindow)) return false;
        showRemote();
        return true;
    }
    return m_windows.show(windowName);
}

void MainWindowController::handleKey(const std::string& keyName) {
    if (m_hooks.hotkey) m_hooks.hotkey(keyName);
}

// --- scenario list ---

std::filesystem::path MainWindowController::scenarioFolder() const {
    return m_s.folder.resolve("\\config\\scenarios");
}

void MainWindowController::refreshScenarioList() {
    std::vector<std::string> names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(scenarioFolder(), ec), end; !ec && it != end;
         it.increment(ec)) {
        std::error_code fileEc;
        if (!it->is_regular_file(fileEc)) continue;
        const std::string file = it->path().filename().string();
        if (file.size() > 4 && endsWithIgnoringCase(file, ".vlm"))
            names.push_back(file.substr(0, file.size() - 4));
    }
    // The directory order of this file system means nothing to a user; list them as a file
    // browser would, without regard to case.
    std::sort(names.begin(), names.end(), lessIgnoringCase);
    m_scenarios = std::move(names);
    scenariosChanged();
}

void MainWindowController::selectScenario(const std::string& name) {
    m_mainState.scenarioName = name;
    scenarioSelected(name);
}

void MainWindowController::loadSelectedScenario() {
    if (!m_hooks.loadScenario || m_mainState.scenarioName.empty()) return;
    m_hooks.loadScenario(m_mainState.scenarioName);
}

void MainWindowController::loadRandomScenario() {
    if (m_scenarios.empty()) {
        m_s.dialogs.message(kNoScenarios, MessageIcon::Information, kProgramTitle);
        return;
    }
    m_s.random.seedFromClock(m_s.clock);
    const auto n = m_scenarios.size();
    auto index = static_cast<std::size_t>(std::floor(m_s.random.next() * double(n)));
    index = std::min(index, n - 1);
    selectScenario(m_scenarios[index]);
    loadSelectedScenario();
}

// --- displays ---

std::string MainWindowController::displayText(Display display) const {
    if (display == Display::AutoRandomise) return m_autoLines[0] + "\n" + m_autoLines[1];
    return m_display[int(display)];
}

void MainWindowController::setDisplayText(Display display, const std::string& text) {
    m_display[int(display)] = text;
    displayChanged(display, displayText(display));
}

std::string MainWindowController::autoRandomiseLine(const AutoRandomiseLink& link) const {
    if (!link.isOn || !link.isOn()) return "Disabled";
    const int minutes = link.periodMinutes ? link.periodMinutes() : 0;
    return "Enabled - " + std::to_string(minutes) + "mins";
}

void MainWindowController::checklcd() {
    // Both switches get a line of their own: one line written twice would hide the random
    // banks' state behind the custom bank's.
    m_autoLines[0] = autoRandomiseLine(m_randomAuto);
    m_autoLines[1] = autoRandomiseLine(m_customAuto);
    displayChanged(Display::AutoRandomise, displayText(Display::AutoRandomise));
}

void MainWindowController::startAutoRandomLcdUpdate() {
    m_autoLcdTimer->setEnabled(true);
}

void MainWindowController::startCustomLcdUpdate() {
    m_customLcdTimer->setEnabled(true);
}

void MainWindowController::setScenarioLoading(bool loading) {
    if (m_quit) return;
    m_scenarioClearTimer->setEnabled(!loading);
}

void MainWindowController::showClock() {
    const LocalTime t = m_s.clock.now();
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", t.hour, t.minute, t.second);
    setDisplayText(Display::Clock, text);
}

// --- colours, presets, device ---

void MainWindowController::docolors(const ColorScheme& scheme) {
    m_scheme = scheme;
    colorsChanged(m_scheme);
    for (Bank* b : m_banks)
        b->docolors(m_scheme);
}

void MainWindowController::setPresetCaption(int index, const std::string& caption) {
    if (index < 0 || index >= state::kPresetCount) return;
    m_main2State.presetCaptions[std::size_t(index)] = caption;
    presetsChanged();
}

} // namespace velmora
