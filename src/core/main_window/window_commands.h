#pragma once
// The main window's commands that reach beyond it: opening the other windows, swapping the
// main window for the remote, the alarm switch, the recorder and the key presses. Each
// outside party joins through a small interface once it exists; until then its command is
// left out (the view shows no button for it).
//
// Thread: UI thread.

#include "core/main_window/status_displays.h"
#include "core/main_window/window_registry.h"
#include "core/services.h"
#include "core/signal.h"
#include "core/state/main_state.h"

#include <array>
#include <string>
#include <vector>

namespace velmora {

/// A main-window button that opens another window; its caption and tool-tip belong to the view.
struct WindowButton {
    const char* objectName;
    const char* windowName;
};
inline constexpr std::array<WindowButton, 10> kWindowButtons = {{
    {"chameleonButton12", "Frmsoundindent"},
    {"xpbs10", "Timers"},
    {"chameleonButton5", "Alarm"},
    {"cmdsleep", "Sleep"},
    {"xpbs13", "frmeffects"},
    {"xpbs8", "frmmainmp3"},
    {"xpbs2", "frmcd"},
    {"chameleonButton23", "frmremote2"},
    {"chameleonButton6", "frmDemo"},
    {"chameleonbutton1", "FRMOPTIONS"},
}};

inline constexpr const char* kRemoteWindow = "frmremote2";
inline constexpr const char* kAlarmWindow = "Alarm";
inline constexpr const char* kFirstRunWindow = "Formtips";
inline constexpr const char* kRecorderProgram = "\\recorder";
inline constexpr const char* kRecorderMissing =
    "The recorder could not be found. Please re-install the program.";

/// The remote window's labels that the main window writes.
class RemoteLabels {
  public:
    virtual ~RemoteLabels() = default;
    virtual void setAlarmLabel(const std::string& text) = 0;
    virtual void setScenarioLabel(const std::string& text) = 0;
};

/// The alarm clock: the part that can silence a sounding alarm.
class AlarmSound {
  public:
    virtual ~AlarmSound() = default;
    virtual void stopAlarm() = 0;
};

/// What the recorder renders: its arguments, made when it starts (a snapshot of what is
/// playing); empty: the recorder starts without arguments.
class RecordingSource {
  public:
    virtual ~RecordingSource() = default;
    [[nodiscard]] virtual std::vector<std::string> recorderArguments() = 0;
};

/// The hotkeys: a key pressed in the main window, as its name ("F5", "Ctrl+M").
class KeyHandler {
  public:
    virtual ~KeyHandler() = default;
    virtual void handleKey(const std::string& keyName) = 0;
};

/// The visual mode's commands offered from the main window and its tray.
class VisualModeCommands {
  public:
    virtual ~VisualModeCommands() = default;
    virtual void slideshow() = 0;
    /// The slideshow behind the main window, which stays in front.
    virtual void slideshowBehindMain() = 0;
    virtual void panoramic() = 0;
    /// The slideshow's next picture.
    virtual void changeImage() = 0;
    /// STATES.tmp, written first at quit.
    virtual void writeVisualState() = 0;
    /// Runs again the views STATES.tmp says were running ("load previous").
    virtual void restoreVisualState() = 0;
};

class WindowCommands {
  public:
    /// saved: main.tmp as held in memory; its alarm flag is the alarm switch.
    WindowCommands(Services& services, WindowRegistry& windows, StatusDisplays& displays,
                   state::MainState& saved);
    WindowCommands(const WindowCommands&) = delete;
    WindowCommands& operator=(const WindowCommands&) = delete;

    // Parties joining as they are built; nullptr leaves their commands out.
    void setRemoteLabels(RemoteLabels* remote) { m_remote = remote; }
    void setAlarmSound(AlarmSound* alarm) { m_alarm = alarm; }
    void setRecordingSource(RecordingSource* source) { m_recording = source; }
    void setKeyHandler(KeyHandler* keys) { m_keys = keys; }
    void setVisualMode(VisualModeCommands* visual) { m_visual = visual; }
    [[nodiscard]] VisualModeCommands* visualMode() const { return m_visual; }

    /// Opens another window by name; false when it does not exist.
    bool openWindow(const std::string& windowName);
    /// Hides the bank panels and the main window and shows the remote (when it exists).
    void showRemote();
    /// Hides the remote and shows the main window.
    void showMain();
    /// Hides the main window alone (a visual view covers the screen).
    void hideMain();
    [[nodiscard]] bool isMainVisible() const { return m_mainVisible; }
    /// Writes the scenario label of the remote, when there is one.
    void tellRemoteScenario(const std::string& text);
    /// Writes the alarm label of the remote, when there is one.
    void tellRemoteAlarm(const std::string& text);

    void enableAlarm();
    /// Also silences a sounding alarm and says so on the clock display and the remote.
    void disableAlarm();
    [[nodiscard]] bool isAlarmEnabled() const { return m_saved.alarmOn(); }

    /// Starts the recorder program; shows kRecorderMissing when it cannot be started.
    bool startRecorder();
    /// Opens the user guide in the desktop's browser.
    void openUserGuide();
    /// A key pressed in the main window: F1 opens the guide; every key goes to the hotkeys.
    void handleKey(const std::string& keyName);

    Signal<bool> mainVisibilityChanged;
    Signal<bool> alarmChanged;

  private:
    Services& m_s;
    WindowRegistry& m_windows;
    StatusDisplays& m_displays;
    state::MainState& m_saved;
    RemoteLabels* m_remote = nullptr;
    AlarmSound* m_alarm = nullptr;
    RecordingSource* m_recording = nullptr;
    KeyHandler* m_keys = nullptr;
    VisualModeCommands* m_visual = nullptr;
    bool m_mainVisible = true;
};

} // namespace velmora
