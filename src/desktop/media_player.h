#pragma once
// The soundscape as a media player: play and pause are unmute and mute (the banks go on as
// they are, only what is heard changes), next and previous step through the presets once
// there are any, and the title is the scenario chosen in the main window.
//
// Thread: UI thread.

#include "command_runner.h"
#include "core/signal.h"
#include "platform/media_player_endpoint.h"

namespace velmora::desktop {

class MediaPlayer final : public MediaPlayerEndpoint {
  public:
    /// runner: the command line's commands, which play and pause share.
    MediaPlayer(MainWindowController& main, CommandRunner& runner);

    void playPause() override;
    void play() override;
    void pause() override;
    void next() override;
    void previous() override;
    void raise() override;
    void quit() override;
    [[nodiscard]] bool isPlaying() const override;
    [[nodiscard]] bool canGoNext() const override { return false; }
    [[nodiscard]] bool canGoPrevious() const override { return false; }
    [[nodiscard]] std::string title() const override;

  private:
    void run(Action action);
    void tell();
    MainWindowController& m_main;
    CommandRunner& m_runner;
    Connection m_mute;
    Connection m_scenario;
    int m_preset = -1; ///< the preset the media keys loaded last (0..13), -1 none yet

    /// Loads the next assigned preset in direction step (+1 or -1), wrapping around.
    void stepPreset(int step);
};

} // namespace velmora::desktop
