#pragma once
// The main window's eight small text displays and the timers that keep them current: the
// clock every second, the scenario display cleared every five seconds unless a scenario is
// loading, and the automatic-randomise display refreshed when a switch changes. Other parts
// write their own line through a setter named after it.
//
// Thread: UI thread (timers included).

#include "core/auto_randomise_switch.h"
#include "core/services.h"
#include "core/signal.h"

#include <array>
#include <memory>
#include <string>

namespace velmora {

/// The eight text displays, LCD1..LCD8 in order.
enum class Display {
    Scenario,            ///< LCD1
    Clock,               ///< LCD2: time of day; alarm state
    Scheduler,           ///< LCD3
    AutoRandomise,       ///< LCD4: random banks' line, then the custom bank's line
    Preset,              ///< LCD5
    AutoChange,          ///< LCD6
    ScenarioInformation, ///< LCD7
    Picture,             ///< LCD8
    Effects,             ///< LCD9: the equaliser's line, then the reverb's line
    Mp3Time,             ///< LCD10: "MP3 Time:" and the time while music plays
    Cd,                  ///< LCD11: "No CD Drive" when the computer has none
};
inline constexpr int kDisplayCount = 11;
/// "LCD1".."LCD11".
[[nodiscard]] const char* displayObjectName(Display display);

class StatusDisplays {
  public:
    explicit StatusDisplays(Services& services);
    ~StatusDisplays();
    StatusDisplays(const StatusDisplays&) = delete;
    StatusDisplays& operator=(const StatusDisplays&) = delete;

    [[nodiscard]] std::string text(Display display) const;

    /// Loading progress, the loaded scenario's name, "Not Specified".
    void setScenarioText(const std::string& text);
    /// "Disabled ", written over the clock until its next tick.
    void showAlarmDisabled();
    /// The alarm's own line ("07:30:00", "Alarm Playing"), also until the clock's next tick.
    void showAlarmStatus(const std::string& text);
    /// "Disabled" or the time to the next change.
    void setSchedulerText(const std::string& text);
    void setPresetText(const std::string& text);
    void setAutoChangeText(const std::string& text);
    void setScenarioInformation(const std::string& text);
    /// The slideshow picture's name.
    void setPictureText(const std::string& text);
    /// The MP3 player's time ("03:12"); empty while nothing plays, which leaves it unshown.
    void setMp3Time(const std::string& time);
    /// The CD's line; empty leaves it unshown.
    void setCdText(const std::string& text);
    /// Each effect's preset name, or "Disabled".
    void setEffectsText(const std::string& equaliser, const std::string& reverb);

    /// The switches the automatic-randomise display shows. The numbered banks' switch
    /// refreshes it at once; the custom bank's (and its dialog) 3 s later, once.
    void watch(AutoRandomiseSwitch& random, AutoRandomiseSwitch& custom);
    /// Refreshes the automatic-randomise display from both switches.
    void checklcd();

    /// Shows the time and starts the clock and the scenario display's clearing.
    void start();
    /// Stops every timer for good (quit).
    void stop();
    /// Suspends the scenario display's clearing while a scenario loads.
    void setScenarioLoading(bool loading);

    /// (display, its whole text)
    Signal<Display, std::string> changed;

  private:
    void write(Display display, const std::string& text);
    void showClock();
    [[nodiscard]] static std::string autoRandomiseLine(const AutoRandomiseSwitch* link);

    Services& m_s;
    std::array<std::string, kDisplayCount> m_text;
    std::array<std::string, 2> m_autoLines{"Disabled", "Disabled"};
    AutoRandomiseSwitch* m_random = nullptr;
    AutoRandomiseSwitch* m_custom = nullptr;
    bool m_stopped = false;
    std::unique_ptr<Timer> m_clockTimer;         ///< Timer2
    std::unique_ptr<Timer> m_scenarioClearTimer; ///< Timer1001
    std::unique_ptr<Timer> m_customLcdTimer;     ///< Timercustomlcdupdate
    Connection m_randomChanged;
    Connection m_customChanged;
};

} // namespace velmora
