#pragma once
// The MP3 player as the desktop's media controls see it: transport, the playing track's
// title, length and position, seeking, and the MP3 level as its volume.
//
// Thread: UI thread.

#include "core/levels.h"
#include "core/signal.h"
#include "music/mp3_player.h"
#include "platform/media_player_endpoint.h"

#include <functional>

namespace velmora::music {

class Mp3MediaEndpoint final : public MediaPlayerEndpoint {
  public:
    /// raise: shows the transport window.
    Mp3MediaEndpoint(Mp3Player& player, Levels& levels, std::function<void()> raise);

    void playPause() override;
    void play() override { m_player.play(); }
    void pause() override { m_player.pause(); }
    void next() override { m_player.next(); }
    void previous() override { m_player.previous(); }
    void stop() override { m_player.stop(); }
    void raise() override { m_raise(); }
    /// Quitting the music leaves the rest of the program running.
    void quit() override { m_player.stop(); }
    [[nodiscard]] bool isPlaying() const override { return m_player.playing(); }
    [[nodiscard]] bool isStopped() const override;
    [[nodiscard]] bool canGoNext() const override { return !m_player.playlist().empty(); }
    [[nodiscard]] bool canGoPrevious() const override { return !m_player.playlist().empty(); }
    [[nodiscard]] std::string title() const override;
    [[nodiscard]] std::int64_t lengthMicros() const override;
    [[nodiscard]] std::int64_t positionMicros() const override;
    [[nodiscard]] bool canSeek() const override { return !isStopped(); }
    void seekTo(std::int64_t micros) override;
    [[nodiscard]] double volume() const override;
    void setVolume(double volume) override;
    [[nodiscard]] std::string identity() const override { return "Velmora MP3 Player"; }
    [[nodiscard]] std::string trackId() const override;

  private:
    void tell();
    Mp3Player& m_player;
    Levels& m_levels;
    std::function<void()> m_raise;
    Connection m_changed;
    Connection m_level;
};

} // namespace velmora::music
