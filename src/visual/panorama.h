#pragma once
// The panoramic view's behaviour without a toolkit: where the view-sized window onto the
// wide picture sits, which way it moves and how fast.
//
// The speed slider (1..500) keeps its old meaning: the picture moves one pixel every
// 500 - speed milliseconds, never less than one. The position is kept to a fraction of a
// pixel and advanced by the time that really passed, and the clock ticks no faster than
// the screen redraws, so the top speed moves many pixels per redraw instead of waking up a
// thousand times a second.
//
// Thread: UI thread.

#include "core/services.h"
#include "core/signal.h"

#include <cstdint>
#include <filesystem>
#include <memory>

namespace velmora::visual {

/// The shortest wait between two redraws of a moving panorama (about 60 a second).
inline constexpr int kFrameMs = 16;

class Panorama {
  public:
    enum class Direction { Stopped, Left, Right };

    /// speedFile: pasettings.ini, read now and written at unload.
    Panorama(Services& services, std::filesystem::path speedFile);
    Panorama(const Panorama&) = delete;
    Panorama& operator=(const Panorama&) = delete;

    /// A picture of that size in a view of that size: centred across (and down) when it is
    /// larger, at 0 when it is not; stopped.
    void load(int pictureWidth, int pictureHeight, int viewWidth, int viewHeight);
    /// Stops and saves the speed.
    void unload();
    [[nodiscard]] bool isActive() const { return m_active; }

    [[nodiscard]] int offsetX() const;
    [[nodiscard]] int offsetY() const { return m_offsetY; }
    /// The position to a fraction of a pixel (for drawing between pixels).
    [[nodiscard]] double position() const { return m_position; }
    [[nodiscard]] int panMaximum() const { return m_maximum; }
    /// The pan slider: moves the view there (limited to 0..panMaximum()).
    void setPan(int value);

    /// 1..500; values outside are limited.
    void setSpeed(int speed);
    [[nodiscard]] int speed() const { return m_speed; }
    /// Milliseconds per pixel: 500 - speed, at least 1.
    [[nodiscard]] int pixelIntervalMs() const;
    /// How often the clock ticks while panning.
    [[nodiscard]] int frameIntervalMs() const;

    /// Start/stop: starts towards the left when stopped, else stops.
    void startStop();
    /// Turns the other way (starting towards the left when stopped).
    void reverse();
    [[nodiscard]] Direction direction() const { return m_direction; }

    /// Moves by the distance `milliseconds` of panning cover, turning back at each edge.
    void advance(double milliseconds);

    /// The position, direction or speed changed.
    Signal<> changed;

  private:
    void setDirection(Direction d);
    void onFrame();

    Services& m_s;
    std::filesystem::path m_speedFile;
    std::unique_ptr<Timer> m_frame;
    std::int64_t m_lastFrameMs = 0;
    double m_position = 0.0;
    int m_maximum = 0;
    int m_offsetY = 0;
    int m_speed;
    Direction m_direction = Direction::Stopped;
    bool m_active = false;
};

} // namespace velmora::visual
