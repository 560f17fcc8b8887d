#include "main_window_controller.h"

namespace velmora {

namespace {
constexpr int kFirstRunMs = 2000;
} // namespace

MainWindowController::MainWindowController(Services& services)
    : m_s(services), m_mute(services.levels), m_panels(m_windows), m_displays(services),
      m_scenarios(services, m_mainState.scenarioName),
      m_presets(services, m_main2State.presetCaptions, m_scenarios, m_displays),
      m_commands(services, m_windows, m_displays, m_mainState) {
    m_firstRunTimer = m_s.timers.createTimer(kFirstRunMs, [this] {
        m_firstRunTimer->setEnabled(false);
        m_windows.show(kFirstRunWindow);
    });
}

MainWindowController::~MainWindowController() = default;

void MainWindowController::addBank(Bank& bank) {
    Bank* b = &bank;
    // A bank writes its state file as its window closes at quit; the quit collects failures.
    m_panels.add(bank, [this, b] {
        if (m_quitSave && m_saved)
            m_saved->saveBank(*b, m_s.folder, state::stateFileNames(), *m_quitSave);
    });
}

void MainWindowController::attach(SoundscapeLinks links) {
    for (Bank* bank : links.banks)
        addBank(*bank);
    if (links.random && links.custom) m_displays.watch(*links.random, *links.custom);
    m_saved = std::make_unique<state::SavedSoundscape>(m_s.levels, std::move(links));
}

void MainWindowController::docolors(const ColorScheme& scheme) {
    m_scheme = scheme;
    colorsChanged(m_scheme);
    m_panels.docolors(m_scheme);
}

} // namespace velmora
