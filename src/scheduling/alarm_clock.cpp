#include "alarm_clock.h"

#include "platform/atomic_file.h"

#include <algorithm>
#include <filesystem>

namespace velmora::scheduling {

AlarmClock::AlarmClock(Services& services, WindowCommands& commands, StatusDisplays& displays,
                       ShutdownCountdown& countdown, std::function<void()> quitInOrder)
    : m_s(services), m_commands(commands), m_displays(displays), m_countdown(countdown),
      m_quit(std::move(quitInOrder)), m_cursor(services.clock) {
    m_checkTimer = m_s.timers.createTimer(1000, [this] { check(); });
    m_fadeTimer = m_s.timers.createTimer(kFadeStepMs, [this] { fadeStep(); });
    m_countdownTimer = m_s.timers.createTimer(1000, [this] { countdownTick(); });
    m_commands.setAlarmSound(this);
    m_armedConnection = m_commands.alarmChanged.connect([this](bool on) { armedChanged(on); });
    m_armed = m_commands.isAlarmEnabled();
    m_checkTimer->setEnabled(true);
}

AlarmClock::~AlarmClock() {
    m_commands.setAlarmSound(nullptr);
}

void AlarmClock::load() {
    if (m_loaded) return;
    m_loaded = true;
    AlarmSettings saved;
    (void)readAlarmSettings(m_s.folder.resolve(kAlarmStateFile), saved);
    m_settings = saved;
    changed();
}

void AlarmClock::unload() {
    (void)replaceFileAtomically(m_s.folder.resolve(kAlarmStateFile),
                                alarmSettingsBytes(m_settings));
}

// --- settings ---

void AlarmClock::setHour(int hour) {
    m_settings.hour = twoDigitText(hour, 23);
    if (m_armed) statusRefresh();
    changed();
}

void AlarmClock::setMinute(int minute) {
    m_settings.minute = twoDigitText(minute, 59);
    if (m_armed) statusRefresh();
    changed();
}

std::string AlarmClock::alarmTimeText() const {
    return m_settings.hour + ":" + m_settings.minute + ":00";
}

void AlarmClock::setMaxVolume(int volume) {
    m_settings.maxVolume = std::clamp(volume, 0, 255);
    // A hand on the slider ends the fade: the user has chosen the level.
    m_fadeTimer->setEnabled(false);
    m_volume = m_settings.maxVolume;
    m_s.engine.setVolume(m_channel, m_volume);
    changed();
}

void AlarmClock::choosePlayFor(int position) {
    if (position < 0 || position >= int(kPlayForTexts.size())) return;
    m_settings.playForPosition = position;
    changed();
}

void AlarmClock::setRepeat(bool on) {
    m_settings.repeat = on;
    changed();
}

void AlarmClock::setFadeIn(bool on) {
    m_settings.fadeIn = on;
    changed();
}

void AlarmClock::setCloseProgram(bool on) {
    m_settings.closeProgram = on;
    if (on) m_settings.shutdown = false;
    changed();
}

void AlarmClock::setShutdown(bool on) {
    m_settings.shutdown = on;
    if (on) m_settings.closeProgram = false;
    changed();
}

std::string AlarmClock::soundFile() const {
    if (!m_settings.soundFile.empty()) return m_settings.soundFile;
    return m_s.folder.resolve(kDefaultAlarmSound).string();
}

void AlarmClock::chooseSound() {
    silence();
    FileDialogOptions o;
    o.filter = kAlarmSoundFilter;
    o.initialDirectory = m_s.folder.resolve("\\config\\alarms").string();
    const auto path = m_s.dialogs.openFile(o);
    if (path && !path->empty()) {
        m_settings.soundFile = *path;
        m_problem.clear();
    }
    changed();
}

void AlarmClock::useDefaultSound() {
    m_settings.soundFile.clear();
    m_problem.clear();
    changed();
}

// --- sound ---

void AlarmClock::startSound(int volume) {
    m_s.engine.stop(m_channel);
    const std::string file = soundFile();
    if (!m_sample.valid() || m_samplePath != file) {
        if (m_sample.valid()) m_s.engine.releaseSample(m_sample);
        m_sample = m_s.engine.loadSample(file);
        m_samplePath = file;
    }
    m_channel = m_s.engine.play(m_sample);
    if (!m_channel.valid()) {
        m_problem = "The alarm sound could not be played: " +
                    std::filesystem::path(file).filename().string();
        return;
    }
    m_problem.clear();
    m_s.engine.setVolume(m_channel, volume);
    m_s.engine.setLoopMode(m_channel, audio::kLoopNormal);
}

void AlarmClock::silence() {
    m_fadeTimer->setEnabled(false);
    m_countdownTimer->setEnabled(false);
    m_s.engine.stop(m_channel);
    m_channel = {};
    m_previewing = false;
    m_sounding = false;
    m_elapsed = 0;
}

void AlarmClock::preview() {
    silence();
    m_volume = m_settings.maxVolume;
    startSound(m_volume);
    m_previewing = true;
    changed();
}

void AlarmClock::stopPreview() {
    silence();
    changed();
}

void AlarmClock::stopCommand() {
    // Disarming silences through stopAlarm().
    m_commands.disableAlarm();
}

void AlarmClock::stopAlarm() {
    silence();
    changed();
}

// --- the daily check ---

void AlarmClock::armedChanged(bool on) {
    m_armed = on;
    // Arming looks ahead only: a second already gone today waits for tomorrow.
    if (on) {
        m_cursor.restart();
        statusRefresh();
    }
    changed();
}

void AlarmClock::statusRefresh() {
    m_displays.showAlarmStatus(alarmTimeText());
    m_commands.tellRemoteAlarm("Alarm:" + alarmTimeText());
}

void AlarmClock::check() {
    const auto due = m_cursor.due();
    if (!m_armed) return;
    const std::string target = alarmTimeText();
    if (std::any_of(due.begin(), due.end(),
                    [&](const LocalTime& t) { return clockText(t) == target; }))
        fire();
}

void AlarmClock::fire() {
    m_armed = false;
    if (m_settings.shutdown || m_settings.closeProgram) {
        // Disarmed before it goes, so the next start does not sound it again.
        m_commands.disableAlarm();
        if (m_settings.shutdown)
            m_countdown.start(PowerAction::PowerOff);
        else if (m_quit)
            m_quit();
        return;
    }
    silence();
    m_volume = m_settings.fadeIn ? 0 : m_settings.maxVolume;
    m_displays.showAlarmStatus("Alarm Playing");
    m_commands.tellRemoteAlarm("Alarm:Playing");
    startSound(m_volume);
    m_sounding = true;
    if (m_settings.fadeIn) m_fadeTimer->setEnabled(true);
    if (!m_settings.repeat) m_countdownTimer->setEnabled(true);
    changed();
}

void AlarmClock::fadeStep() {
    if (m_volume < m_settings.maxVolume) ++m_volume;
    m_s.engine.setVolume(m_channel, m_volume);
    // At or past the target: a target of 0 is reached before the first step.
    if (m_volume >= m_settings.maxVolume) m_fadeTimer->setEnabled(false);
    changed();
}

void AlarmClock::countdownTick() {
    if (++m_elapsed <= m_settings.playForSeconds()) return;
    m_commands.disableAlarm();
}

} // namespace velmora::scheduling
