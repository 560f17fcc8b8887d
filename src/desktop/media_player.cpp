#include "media_player.h"

#include "core/main_window/main_window_controller.h"

namespace velmora::desktop {

MediaPlayer::MediaPlayer(MainWindowController& main, CommandRunner& runner)
    : m_main(main), m_runner(runner) {
    m_mute = m_main.mute().changed.connect([this](bool) { tell(); });
    m_scenario =
        m_main.scenarios().selectionChanged.connect([this](const std::string&) { tell(); });
}

void MediaPlayer::run(Action action) {
    Command command;
    command.action = action;
    (void)m_runner.run(command);
}

void MediaPlayer::playPause() {
    run(Action::ToggleMute);
}
void MediaPlayer::play() {
    run(Action::Unmute);
}
void MediaPlayer::pause() {
    run(Action::Mute);
}
// There are no presets to step through yet; a media key then does nothing.
void MediaPlayer::next() {}
void MediaPlayer::previous() {}
void MediaPlayer::raise() {
    run(Action::Show);
}
void MediaPlayer::quit() {
    run(Action::Quit);
}

bool MediaPlayer::isPlaying() const {
    return !m_main.mute().isMuted();
}

std::string MediaPlayer::title() const {
    return m_main.scenarios().selected();
}

void MediaPlayer::tell() {
    if (changed) changed();
}

} // namespace velmora::desktop
