#pragma once
// What the desktop's media keys and sound applets reach: one player with play, pause,
// next and previous, a title and a way to raise or quit it. The D-Bus back end publishes
// it; the behaviour behind it is the program's own.
//
// Thread: UI thread.

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
    /// Called after anything above changed.
    std::function<void()> changed;
};

} // namespace velmora
