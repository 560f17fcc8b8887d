#pragma once
// What the desktop's media keys and sound applets reach: one player with play, pause,
// next and previous, a title and a way to raise or quit it. The D-Bus back end publishes
// it; the behaviour behind it is the program's own.
//
// Thread: UI thread.

#include <cstdint>
#include <functional>
#include <string>

namespace velmora {

class MediaPlayerEndpoint {
  public:
    virtual ~MediaPlayerEndpoint() = default;
    virtual void playPause() = 0;
    virtual void play() = 0;
    virtual void pause() = 0;
    virtual void next() = 0;
    virtual void previous() = 0;
    virtual void raise() = 0;
    virtual void quit() = 0;
    /// True while the soundscape is heard (not muted).
    [[nodiscard]] virtual bool isPlaying() const = 0;
    [[nodiscard]] virtual bool canGoNext() const = 0;
    [[nodiscard]] virtual bool canGoPrevious() const = 0;
    /// The current scenario's name; empty before one is chosen.
    [[nodiscard]] virtual std::string title() const = 0;

    // A player of tracks has more to say; a soundscape keeps these defaults.
    /// True when nothing is loaded to play (reported as stopped, not paused).
    [[nodiscard]] virtual bool isStopped() const { return false; }
    virtual void stop() { pause(); }
    /// The track's length and position in microseconds; 0 when unknown.
    [[nodiscard]] virtual std::int64_t lengthMicros() const { return 0; }
    [[nodiscard]] virtual std::int64_t positionMicros() const { return 0; }
    [[nodiscard]] virtual bool canSeek() const { return false; }
    /// Moves to micros from the start of the track.
    virtual void seekTo(std::int64_t micros) { (void)micros; }
    /// Volume 0..1.
    [[nodiscard]] virtual double volume() const { return 1.0; }
    virtual void setVolume(double volume) { (void)volume; }
    /// The name the desktop shows for the player.
    [[nodiscard]] virtual std::string identity() const { return "Velmora"; }
    /// The object path that names the track ("/org/velmora/soundscape").
    [[nodiscard]] virtual std::string trackId() const { return "/org/velmora/soundscape"; }
    /// Called after anything above changed.
    std::function<void()> changed;
};

} // namespace velmora
