#pragma once
// The CD player window's behaviour (frmcd): the drive buttons, the transport, previous and
// next with wrap-around, the once-a-second time display, and the CD volume. Everything it
// does to a drive goes through media-control command texts; the numeric result of the last
// command is kept as the window keeps it.
//
// Thread: UI thread.

#include "cd/media_control.h"
#include "core/services.h"
#include "core/signal.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace velmora::cd {

inline constexpr const char* kNoDriveMessage =
    "No CD-Rom Drives were detected on your system. The CD player has been disabled.";
inline constexpr const char* kNoDriveTitle = "No CD Drive Detected.";
inline constexpr const char* kNoDriveLabel = "No CD Drive";
inline constexpr const char* kMixerMessage = "Could not access the CD-ROM mixer line.";
inline constexpr const char* kNoCdFound = "No CD Found";
inline constexpr int kDisplayPeriodMs = 1000;

/// The time display's text from a "status cd position" reply in track:minute:second:frame
/// form ("[03] 01:07"); nullopt when the reply is not in that form.
[[nodiscard]] std::optional<std::string> timeDisplay(const std::string& positionReply);

class CdPlayer {
  public:
    CdPlayer(Services& services, CdDrives& drives, CdOutput& output);
    ~CdPlayer();
    CdPlayer(const CdPlayer&) = delete;
    CdPlayer& operator=(const CdPlayer&) = delete;

    /// The window's load: finds the drives, opens the first without playing, reaches the CD
    /// volume and starts the display. Runs once; later calls do nothing.
    void load();
    /// The window's unload: stops and closes every device. load() may run again after it.
    void unload();
    [[nodiscard]] bool isLoaded() const { return m_loaded; }
    /// Looks for drives without opening one or saying anything, so the main window and the
    /// remote can tell there is none before the window is ever opened. Before load only.
    void findDrives();
    /// True once a search (findDrives or load) found no drive and no image stands in for one.
    [[nodiscard]] bool noDrive() const {
        return m_searched && m_drives.empty() && m_current.empty();
    }

    /// The CD drives found at load; empty when the computer has none.
    [[nodiscard]] const std::vector<std::string>& drives() const { return m_drives; }
    [[nodiscard]] const std::string& currentDrive() const { return m_current; }
    /// Stops and closes the current drive and opens name (a drive or a .cue image).
    void chooseDrive(const std::string& name);
    /// Asks for a .cue image and opens it as the drive; false when none was chosen.
    bool openImage();

    void play();
    void pause();
    void stop();
    void eject();
    void previous();
    void next();
    /// While true the window offers pause where play was.
    [[nodiscard]] bool isPlaying() const { return m_playing; }

    /// percent 0..100: the CD level, shared with the main and remote windows' CD sliders.
    void setVolume(int percent);
    [[nodiscard]] int volume() const;
    /// False when the engine has no CD channel: the player works without volume control.
    [[nodiscard]] bool hasVolumeControl() const { return m_volumeControl; }

    /// What the window's display and the remote's CD label show.
    [[nodiscard]] const std::string& display() const { return m_display; }
    [[nodiscard]] const std::string& remoteDisplay() const { return m_remoteDisplay; }
    /// The result of the last command sent (McError::None when it succeeded).
    [[nodiscard]] McError lastResult() const { return m_lastResult; }

    /// Sends a command as the window does, keeping its result. For the window's own use
    /// and for tests that look at the drive through the same language.
    McReply send(const std::string& command);

    /// Display, playing state, drive list or current drive changed.
    Signal<> changed;

  private:
    void openDrive(const std::string& name);
    void listDrives();
    void moveTo(bool forward);
    void showText(const std::string& text);
    void tick();
    void applyVolume(int percent, bool announce);

    Services& m_s;
    CdDrives& m_finder;
    CdOutput& m_output;
    MediaControl m_control;
    std::unique_ptr<Timer> m_timer;
    std::vector<std::string> m_drives;
    std::string m_current;
    std::string m_display;
    std::string m_remoteDisplay;
    McError m_lastResult = McError::None;
    bool m_loaded = false;
    bool m_searched = false;
    bool m_playing = false;
    bool m_volumeControl = false;
    Connection m_levelConnection;
};

} // namespace velmora::cd
