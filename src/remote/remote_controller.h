#pragma once
// frmremote2, "Visual Controller": a small stand-in for the main window. It keeps no sound
// state: its sliders are the main window's one set of levels, its buttons forward to the
// window that owns each function, and the owners write its status labels. A control whose
// owner has not joined is left out (the view hides it).
//
// Thread: UI thread.

#include "core/main_window/main_window_controller.h"
#include "core/services.h"
#include "core/signal.h"
#include "core/state/window_positions.h"
#include "visual/visual_mode.h"

#include <array>
#include <filesystem>
#include <string>
#include <vector>

namespace velmora::remote {

inline constexpr int kRemotePresetCount = 12;
inline constexpr const char* kScenarioFilter = "Scenario Files (*.vlm)|*.vlm";
inline constexpr const char* kVideoFolder = "\\visual\\videos\\";
inline constexpr const char* kMp3PlayerWindow = "frmmainmp3";
inline constexpr const char* kCdPlayerWindow = "frmcd";

/// The status lines, each written by its owner.
enum class Label { Scheduler, Alarm, Mp3Time, Mp3Title, Cd, Scenario };
inline constexpr int kLabelCount = 6;

/// The MP3 player's transport, as the music player offers it to the remote.
class Mp3Transport {
  public:
    virtual ~Mp3Transport() = default;
    virtual void previous() = 0;
    virtual void play() = 0;
    virtual void pause() = 0;
    virtual void next() = 0;
    virtual void stop() = 0;
};

enum class Corner { TopLeft, TopRight, BottomLeft, BottomRight };

/// Where a window of `size` sits in that corner of `screen`.
[[nodiscard]] state::WindowPosition dockPosition(Corner corner, state::ScreenArea screen,
                                                 state::WindowSize size);

class RemoteController final : public RemoteLabels {
  public:
    /// Reads remote.tmp into the visual mode's picture sources and joins the main window
    /// as its remote.
    RemoteController(Services& services, MainWindowController& main, visual::VisualMode& visual);
    ~RemoteController() override;
    RemoteController(const RemoteController&) = delete;
    RemoteController& operator=(const RemoteController&) = delete;

    /// The main window's levels: the remote's sliders are copies of the same model.
    [[nodiscard]] Levels& levels() { return m_s.levels; }

    // --- labels ---
    [[nodiscard]] const std::string& label(Label which) const;
    void setLabel(Label which, const std::string& text);
    void setAlarmLabel(const std::string& text) override { setLabel(Label::Alarm, text); }
    void setScenarioLabel(const std::string& text) override { setLabel(Label::Scenario, text); }
    /// A label shows once the window that writes it exists.
    [[nodiscard]] bool hasLabel(Label which) const;

    // --- scenarios and presets ---
    [[nodiscard]] bool canLoad() const { return m_main.scenarios().canLoad(); }
    /// The main window's name of preset index (0..11).
    [[nodiscard]] std::string presetCaption(int index) const;
    /// Assigned presets are drawn in the active colour.
    [[nodiscard]] bool presetAssigned(int index) const;
    /// The main window's preset command for index (0..11).
    void pressPreset(int index);
    void loadRandom() { m_main.scenarios().loadRandom(); }
    /// "Load a scenario from disk": the chosen .vlm, wherever it is, with its own folder.
    void loadFromDisk();

    // --- other windows ---
    [[nodiscard]] bool canOpen(const std::string& window) const {
        return m_main.windows().has(window);
    }
    void open(const std::string& window) { m_main.commands().openWindow(window); }
    /// nullptr: the transport buttons are left out.
    void setMp3Transport(Mp3Transport* transport);
    [[nodiscard]] Mp3Transport* mp3() const { return m_mp3; }
    /// Stop also resets the MP3 time label.
    void mp3Stop();

    // --- the window ---
    void hideRemote();
    void showMainAndHide();
    /// remote.tmp, written when the window closes.
    void save();

    // --- videos ---
    [[nodiscard]] std::vector<std::string> videos() const;
    /// Opens the video in the desktop's player; false when it could not be started.
    bool playVideo(const std::string& name);

    /// A label, a preset caption or an owner's arrival changed what the window shows.
    Signal<> changed;
    /// Asks the view to hide the window.
    Signal<> hideRequested;

  private:
    Services& m_s;
    MainWindowController& m_main;
    visual::VisualMode& m_visual;
    std::array<std::string, kLabelCount> m_labels;
    Mp3Transport* m_mp3 = nullptr;
    std::vector<Connection> m_connections;
};

} // namespace velmora::remote
