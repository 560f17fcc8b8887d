#include "panorama.h"

#include "visual/visual_files.h"

#include <algorithm>
#include <cmath>

namespace velmora::visual {

Panorama::Panorama(Services& services, std::filesystem::path speedFile)
    : m_s(services), m_speedFile(std::move(speedFile)),
      m_frame(services.timers.createTimer(kFrameMs, [this] { onFrame(); })),
      m_speed(readPanoramaSpeed(m_speedFile)) {}

void Panorama::load(int pictureWidth, int pictureHeight, int viewWidth, int viewHeight) {
    m_active = true;
    setDirection(Direction::Stopped);
    // The slider's range ends one short of the last view-sized window, as it always has.
    m_maximum = pictureWidth > viewWidth ? pictureWidth - viewWidth - 1 : 0;
    m_position = pictureWidth > viewWidth ? (pictureWidth - viewWidth) / 2 : 0;
    m_position = std::min<double>(m_position, m_maximum);
    m_offsetY = pictureHeight > viewHeight ? (pictureHeight - viewHeight) / 2 : 0;
    changed();
}

void Panorama::unload() {
    if (!m_active) return;
    m_active = false;
    setDirection(Direction::Stopped);
    (void)writePanoramaSpeed(m_speedFile, m_speed);
}

int Panorama::offsetX() const {
    return static_cast<int>(std::floor(m_position));
}

void Panorama::setPan(int value) {
    m_position = std::clamp(value, 0, m_maximum);
    changed();
}

void Panorama::setSpeed(int speed) {
    speed = std::clamp(speed, kSpeedMinimum, kSpeedMaximum);
    if (speed == m_speed) return;
    m_speed = speed;
    if (m_direction != Direction::Stopped) m_frame->setInterval(frameIntervalMs());
    changed();
}

int Panorama::pixelIntervalMs() const {
    return std::max(1, kSpeedMaximum - m_speed);
}

int Panorama::frameIntervalMs() const {
    // Slow pans wake once per pixel; fast ones once per redraw.
    return std::max(kFrameMs, pixelIntervalMs());
}

void Panorama::startStop() {
    setDirection(m_direction == Direction::Stopped ? Direction::Left : Direction::Stopped);
}

void Panorama::reverse() {
    setDirection(m_direction == Direction::Left ? Direction::Right : Direction::Left);
}

void Panorama::setDirection(Direction d) {
    const bool wasMoving = m_direction != Direction::Stopped;
    m_direction = d;
    if (d == Direction::Stopped) {
        m_frame->setEnabled(false);
    } else if (!wasMoving) {
        m_lastFrameMs = m_s.timers.nowMs();
        m_frame->setInterval(frameIntervalMs());
        m_frame->setEnabled(true);
    }
    changed();
}

void Panorama::onFrame() {
    const auto now = m_s.timers.nowMs();
    // A stall (a suspended laptop) must not throw the picture across in one jump.
    const double elapsed = std::min<double>(static_cast<double>(now - m_lastFrameMs), 1000.0);
    m_lastFrameMs = now;
    advance(elapsed);
}

void Panorama::advance(double milliseconds) {
    if (m_direction == Direction::Stopped || m_maximum <= 0 || milliseconds <= 0) return;
    double distance = milliseconds / pixelIntervalMs();
    // Bounce between the ends; a long step may turn more than once.
    while (distance > 0) {
        if (m_direction == Direction::Left) {
            const double room = m_position;
            if (room <= 0) {
                m_direction = Direction::Right;
                continue;
            }
            const double step = std::min(room, distance);
            m_position -= step;
            distance -= step;
        } else {
            const double room = m_maximum - m_position;
            if (room <= 0) {
                m_direction = Direction::Left;
                continue;
            }
            const double step = std::min(room, distance);
            m_position += step;
            distance -= step;
        }
    }
    changed();
}

} // namespace velmora::visual
