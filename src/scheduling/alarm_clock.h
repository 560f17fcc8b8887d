#pragma once
// Alarm, the alarm clock: one daily alarm that plays a sound (looping, optionally fading
// in, for a while or until stopped), quits the program, or shuts the computer down. It is
// armed and disarmed from the main window and the remote; it fires once and is disarmed.
//
// The sound plays on a channel of its own at the alarm's own volume: the soundscape's
// levels and the mute do not reach it, since an alarm a muted soundscape silences is no
// alarm. Quitting and shutting down go through the orderly quit, so every window saves.
//
// Thread: UI thread (its three timers included).

#include "alarm_settings.h"
#include "core/main_window/status_displays.h"
#include "core/main_window/window_commands.h"
#include "core/services.h"
#include "core/signal.h"
#include "shutdown_countdown.h"
#include "time_of_day.h"

#include <functional>
#include <memory>
#include <string>

namespace velmora::scheduling {

inline constexpr const char* kAlarmSoundFilter =
    "All Supported Samples (*.wav, *.mp3, *.ogg, *.wma)|*.wav;*.ogg;*.mp3;*.wma";
inline constexpr int kFadeStepMs = 50;

class AlarmClock final : public AlarmSound {
  public:
    /// quitInOrder: the program's orderly quit ("close program when alarm time is reached").
    AlarmClock(Services& services, WindowCommands& commands, StatusDisplays& displays,
               ShutdownCountdown& countdown, std::function<void()> quitInOrder);
    ~AlarmClock() override;
    AlarmClock(const AlarmClock&) = delete;
    AlarmClock& operator=(const AlarmClock&) = delete;

    // --- life of the window ---
    /// Reads alarm.tmp (once).
    void load();
    /// Writes alarm.tmp (program exit).
    void unload();

    // --- settings ---
    [[nodiscard]] const AlarmSettings& settings() const { return m_settings; }
    /// 0..23 / 0..59.
    void setHour(int hour);
    void setMinute(int minute);
    /// "HH:MM:00", the second the alarm sounds in.
    [[nodiscard]] std::string alarmTimeText() const;
    /// 0..255; also the volume of a sound that is playing now.
    void setMaxVolume(int volume);
    void choosePlayFor(int position);
    void setRepeat(bool on);
    void setFadeIn(bool on);
    /// Ticking one of the two end options unticks the other.
    void setCloseProgram(bool on);
    void setShutdown(bool on);
    /// The sound file's full path (the default sound when none was chosen).
    [[nodiscard]] std::string soundFile() const;
    /// "Select an alarm sound from disk".
    void chooseSound();
    /// "Use the default alarm sound".
    void useDefaultSound();

    // --- sound ---
    /// "Listen to the current alarm" / stop listening.
    void preview();
    void stopPreview();
    [[nodiscard]] bool previewing() const { return m_previewing; }
    /// The stop command: disarms and silences.
    void stopCommand();
    /// Silences a sounding alarm (the main window's disable command).
    void stopAlarm() override;
    [[nodiscard]] bool sounding() const { return m_sounding; }
    [[nodiscard]] bool armed() const { return m_armed; }
    /// The volume the channel plays at now (climbs during a fade).
    [[nodiscard]] int currentVolume() const { return m_volume; }
    [[nodiscard]] audio::ChannelHandle channel() const { return m_channel; }
    /// Why the last sound did not play; empty when it did.
    [[nodiscard]] const std::string& problem() const { return m_problem; }

    Signal<> changed;

  private:
    void armedChanged(bool on);
    void check();
    void fire();
    void fadeStep();
    void countdownTick();
    void statusRefresh();
    void startSound(int volume);
    void silence();

    Services& m_s;
    WindowCommands& m_commands;
    StatusDisplays& m_displays;
    ShutdownCountdown& m_countdown;
    std::function<void()> m_quit;
    AlarmSettings m_settings;
    SecondsCursor m_cursor;
    bool m_loaded = false;
    bool m_armed = false;
    bool m_sounding = false;
    bool m_previewing = false;
    int m_volume = 0;
    int m_elapsed = 0;
    std::string m_problem;
    std::string m_samplePath;
    audio::SampleHandle m_sample;
    audio::ChannelHandle m_channel;
    std::unique_ptr<Timer> m_checkTimer;
    std::unique_ptr<Timer> m_fadeTimer;
    std::unique_ptr<Timer> m_countdownTimer;
    Connection m_armedConnection;
};

} // namespace velmora::scheduling
