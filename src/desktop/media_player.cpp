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
void MediaPlayer::stepPreset(int step) {
    const int count = state::kPresetCount;
    // Before any, "next" starts at the first preset and "previous" at the last.
    const int from = m_preset >= 0 ? m_preset : (step > 0 ? -1 : count);
    for (int k = 1; k <= count; ++k) {
        const int i = ((from + step * k) % count + count) % count;
        if (!m_main.presets().isAssigned(i)) continue;
        m_preset = i;
        Command command;
        command.action = Action::Preset;
        command.preset = i + 1;
        (void)m_runner.run(command);
        return;
    }
}

// With no preset assigned a media key does nothing.
void MediaPlayer::next() {
    stepPreset(1);
}
void MediaPlayer::previous() {
    stepPreset(-1);
}
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
