#include "status_displays.h"

#include <cstdio>

namespace velmora {

namespace {
constexpr int kClockMs = 1000;
constexpr int kScenarioClearMs = 5000;
constexpr int kLcdUpdateMs = 3000;
} // namespace

const char* displayObjectName(Display display) {
    static constexpr const char* names[kDisplayCount] = {
        "LCD1", "LCD2", "LCD3", "LCD4", "LCD5", "LCD6", "LCD7", "LCD8", "LCD9", "LCD10", "LCD11"};
    return names[static_cast<int>(display)];
}

StatusDisplays::StatusDisplays(Services& services) : m_s(services) {
    m_clockTimer = m_s.timers.createTimer(kClockMs, [this] { showClock(); });
    m_scenarioClearTimer =
        m_s.timers.createTimer(kScenarioClearMs, [this] { write(Display::Scenario, {}); });
    m_customLcdTimer = m_s.timers.createTimer(kLcdUpdateMs, [this] {
        m_customLcdTimer->setEnabled(false);
        checklcd();
    });
    m_text[int(Display::Scenario)] = "Not Specified";
    m_text[int(Display::Scheduler)] = "Disabled";
    m_text[int(Display::Preset)] = "No preset selected";
    m_text[int(Display::Picture)] = "Default";
    setEffectsText("Disabled", "Disabled");
}

StatusDisplays::~StatusDisplays() = default;

std::string StatusDisplays::text(Display display) const {
    if (display == Display::AutoRandomise) return m_autoLines[0] + "\n" + m_autoLines[1];
    return m_text[int(display)];
}

void StatusDisplays::write(Display display, const std::string& text) {
    m_text[int(display)] = text;
    changed(display, this->text(display));
}

void StatusDisplays::setScenarioText(const std::string& text) {
    write(Display::Scenario, text);
}

void StatusDisplays::showAlarmDisabled() {
    write(Display::Clock, "Disabled ");
}

void StatusDisplays::showAlarmStatus(const std::string& text) {
    write(Display::Clock, text);
}

void StatusDisplays::setSchedulerText(const std::string& text) {
    write(Display::Scheduler, text);
}

void StatusDisplays::setMp3Time(const std::string& time) {
    write(Display::Mp3Time, time.empty() ? std::string() : "MP3 Time:" + time);
}

void StatusDisplays::setCdText(const std::string& text) {
    write(Display::Cd, text);
}

void StatusDisplays::setEffectsText(const std::string& equaliser, const std::string& reverb) {
    write(Display::Effects, "EQ: " + equaliser + "\nReverb: " + reverb);
}

void StatusDisplays::setPresetText(const std::string& text) {
    write(Display::Preset, text);
}

void StatusDisplays::setAutoChangeText(const std::string& text) {
    write(Display::AutoChange, text);
}

void StatusDisplays::setScenarioInformation(const std::string& text) {
    write(Display::ScenarioInformation, text);
}

void StatusDisplays::setPictureText(const std::string& text) {
    write(Display::Picture, text);
}

void StatusDisplays::watch(AutoRandomiseSwitch& random, AutoRandomiseSwitch& custom) {
    m_random = &random;
    m_custom = &custom;
    m_randomChanged = random.changed.connect([this] { checklcd(); });
    // The custom bank's switch and its dialog refresh a little later, once: both may change
    // together (OK in Form33 restarts the bank), and the display should show where they end.
    m_customChanged = custom.changed.connect([this] {
        if (!m_stopped) m_customLcdTimer->setEnabled(true);
    });
}

std::string StatusDisplays::autoRandomiseLine(const AutoRandomiseSwitch* link) {
    if (!link || !link->isOn()) return "Disabled";
    return "Enabled - " + std::to_string(link->periodMinutes()) + "mins";
}

void StatusDisplays::checklcd() {
    // Both switches get a line of their own: one line written twice would hide the random
    // banks' state behind the custom bank's.
    m_autoLines[0] = autoRandomiseLine(m_random);
    m_autoLines[1] = autoRandomiseLine(m_custom);
    changed(Display::AutoRandomise, text(Display::AutoRandomise));
}

void StatusDisplays::start() {
    if (m_stopped) return;
    showClock();
    m_clockTimer->setEnabled(true);
    m_scenarioClearTimer->setEnabled(true);
}

void StatusDisplays::stop() {
    m_stopped = true;
    for (Timer* t : {m_clockTimer.get(), m_scenarioClearTimer.get(), m_customLcdTimer.get()})
        t->setEnabled(false);
}

void StatusDisplays::setScenarioLoading(bool loading) {
    if (m_stopped) return;
    m_scenarioClearTimer->setEnabled(!loading);
}

void StatusDisplays::showClock() {
    const LocalTime t = m_s.clock.now();
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", t.hour, t.minute, t.second);
    write(Display::Clock, text);
}

} // namespace velmora
