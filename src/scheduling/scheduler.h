#pragma once
// Timers, the scheduler: changes the soundscape by itself, either at up to eight times of
// day or every N minutes from a scenario playlist. It is loaded at start whether or not its
// window is ever shown, so its timers run from program start; it writes its two state files
// when the program quits.
//
// A time-of-day check covers every second since the previous one (see SecondsCursor), so a
// late tick still fires the entry of the second it skipped, and never fires one twice.
//
// Thread: UI thread (timers included).

#include "core/main_window/scenario_list.h"
#include "core/main_window/status_displays.h"
#include "core/services.h"
#include "core/signal.h"
#include "scenario_playlist.h"
#include "scheduler_files.h"
#include "time_of_day.h"

#include <array>
#include <functional>
#include <memory>
#include <string>

namespace velmora::scheduling {

inline constexpr std::array<const char*, 7> kIntervalTexts = {"5 Min", "10 Min", "30 Min", "60 Min",
                                                              "6 Hr",  "12 Hr",  "24 Hr"};
/// Shown before any interval has been chosen.
inline constexpr const char* kInitialIntervalText = "5 min";
inline constexpr const char* kEmptyPlaylistOnClose =
    "Please add one or more scenario files to the list, or select the 'Disable Scheduling' "
    "option.";
inline constexpr const char* kResetQuestion =
    "This will reset all settings on this form. Do you wish to continue?";
inline constexpr const char* kScheduleFilter = "Schedule Files (*.sch)| *.sch";
inline constexpr const char* kPlaylistFilter = "Scenario Playlist (*.scp)| *.scp";
inline constexpr const char* kEntryScenarioFilter = "Velmora 6.0 scenarios (*.vlm)| *.vlm";
inline constexpr const char* kAddScenarioFilter = "Scenario Files (*.vlm)|*.vlm";

/// Minutes of an interval text: the number before the first space, times 60 when the next
/// word is exactly "Hr" ("6 Hr" is 360, "5 min" is 5). 0 for a text without a number.
[[nodiscard]] int intervalMinutes(const std::string& text);

class Scheduler {
  public:
    /// loader: asked at each change, since the scenario reader may join after this is made.
    Scheduler(Services& services, StatusDisplays& displays,
              std::function<ScenarioLoader*()> loader);
    ~Scheduler();
    Scheduler(const Scheduler&) = delete;
    Scheduler& operator=(const Scheduler&) = delete;

    // --- life of the window ---
    /// Reads Timersettings2.tmp and Timersettings.tmp and applies them; timers start per mode.
    void load();
    /// Writes both state files in full (program exit).
    void unload();
    [[nodiscard]] bool isLoaded() const { return m_loaded; }

    // --- mode ---
    [[nodiscard]] SchedulerMode mode() const { return m_mode; }
    void setMode(SchedulerMode mode);

    // --- interval ---
    /// 0..6 into kIntervalTexts; resets the elapsed count.
    void chooseInterval(int position);
    [[nodiscard]] int intervalPosition() const { return m_intervalPosition; }
    [[nodiscard]] std::string intervalText() const;
    [[nodiscard]] int intervalMinutes() const { return m_intervalMinutes; }
    [[nodiscard]] int elapsedMinutes() const { return m_elapsed; }
    void setRandomOrder(bool on);
    [[nodiscard]] bool randomOrder() const { return m_randomOrder; }

    // --- time-of-day table ---
    [[nodiscard]] const TimeOfDayTable& table() const { return m_table; }
    void setEnabled(int index, bool enabled);
    void setTriggerTime(int index, const std::string& text);
    void setFlags(int index, bool first, bool second);
    /// The per-entry chooser: an open dialog in the scenario folder.
    void chooseScenario(int index);
    /// Asks first; on Yes every entry shows "Not Selected", "00:00:00" and is unticked.
    void resetTable();
    void saveSchedule();
    void loadSchedule();

    // --- playlist ---
    [[nodiscard]] const ScenarioPlaylist& playlist() const { return m_playlist; }
    void selectEntry(std::optional<std::size_t> index);
    /// "+ File".
    void addFile();
    /// Appends entries as the scenario-folder window adds them.
    void addEntries(const std::vector<PlaylistEntry>& entries);
    void removeSelected();
    void moveUp();
    void moveDown();
    void clearPlaylist();
    void savePlaylist();
    void loadPlaylist();

    /// "Close": false (with the message shown) when Interval mode has nothing to play.
    [[nodiscard]] bool mayClose();

    /// The status line of the main window's scheduler display.
    [[nodiscard]] std::string statusText() const;
    /// "Scheduler Off" or "Scheduler Enabled", for the remote's label.
    [[nodiscard]] std::string remoteLabel() const;

    /// Anything the window shows changed.
    Signal<> changed;
    /// The remote's scheduler label (its text).
    Signal<std::string> remoteLabelChanged;

  private:
    void timeOfDayCheck();
    void intervalTick();
    void loadScenario(const std::filesystem::path& vlm);
    void refreshDisplay();
    void applyState(const SchedulerState& state);
    [[nodiscard]] SchedulerState currentState() const;
    [[nodiscard]] std::filesystem::path scenarioFolder() const;
    [[nodiscard]] std::filesystem::path entryFile(const PlaylistEntry& entry) const;
    [[nodiscard]] std::optional<std::string> askFile(bool save, const char* folder,
                                                     const char* filter);

    Services& m_s;
    StatusDisplays& m_displays;
    std::function<ScenarioLoader*()> m_loader;
    SecondsCursor m_cursor;
    TimeOfDayTable m_table;
    ScenarioPlaylist m_playlist;
    SchedulerMode m_mode = SchedulerMode::None;
    int m_intervalPosition = -1;
    int m_intervalMinutes = 5;
    int m_elapsed = 0;
    bool m_randomOrder = false;
    bool m_loaded = false;
    std::unique_ptr<Timer> m_secondTimer;
    std::unique_ptr<Timer> m_minuteTimer;
};

} // namespace velmora::scheduling
