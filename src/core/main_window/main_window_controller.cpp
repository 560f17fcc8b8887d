#include "main_window_controller.h"

namespace velmora {

namespace {
constexpr int kFirstRunMs = 2000;
} // namespace

MainWindowController::MainWindowController(Services& services)
    : m_s(services), m_mute(services.levels), m_panels(m_windows), m_displays(services),
      m_scenarios(services, m_mainState.scenarioName), m_presets(m_main2State.presetCaptions),
      m_commands(services, m_windows, m_displays, m_mainState) {
    m_firstRunTimer = m_s.timers.createTimer(kFirstRunMs, [this] {
        m_firstRunTimer->setEnabled(false);
        m_windows.show(kFirstRunWindow);
    });
}

MainWindowController::~MainWindowController() = default;

void MainWindowController::addBank(Bank& bank) {
    Bank* b = &bank;
    m_panels.add(bank, [this, b] { b->dosave(bankStateFile(*b)); });
}

void MainWindowController::setAutoRandomiseSwitches(AutoRandomiseSwitch& random,
                                                    AutoRandomiseSwitch& custom) {
    m_randomAuto = &random;
    m_customAuto = &custom;
    m_displays.watch(random, custom);
}

void MainWindowController::docolors(const ColorScheme& scheme) {
    m_scheme = scheme;
    colorsChanged(m_scheme);
    m_panels.docolors(m_scheme);
}

} // namespace velmora
