#include "music/mp3_media_endpoint.h"

#include <cmath>

namespace velmora::music {

Mp3MediaEndpoint::Mp3MediaEndpoint(Mp3Player& player, Levels& levels, std::function<void()> raise)
    : m_player(player), m_levels(levels), m_raise(std::move(raise)) {
    m_changed = m_player.changed.connect([this] { tell(); });
    m_level = m_levels.changed.connect([this](Level level, int) {
        if (level == Level::Mp3) tell();
    });
}

void Mp3MediaEndpoint::tell() {
    if (changed) changed();
}

void Mp3MediaEndpoint::playPause() {
    if (m_player.playing())
        m_player.pause();
    else
        m_player.play();
}

bool Mp3MediaEndpoint::isStopped() const {
    return !m_player.playing() && !m_player.paused();
}

std::string Mp3MediaEndpoint::title() const {
    return isStopped() ? std::string(kNoMp3Selected) : m_player.display();
}

std::int64_t Mp3MediaEndpoint::lengthMicros() const {
    return static_cast<std::int64_t>(std::llround(m_player.duration() * 1e6));
}

std::int64_t Mp3MediaEndpoint::positionMicros() const {
    return static_cast<std::int64_t>(std::llround(m_player.position() * 1e6));
}

void Mp3MediaEndpoint::seekTo(std::int64_t micros) {
    m_player.seek(static_cast<double>(micros) / 1e6);
}

double Mp3MediaEndpoint::volume() const {
    return static_cast<double>(m_levels.value(Level::Mp3)) / levelRange(Level::Mp3).maximum;
}

void Mp3MediaEndpoint::setVolume(double volume) {
    m_levels.set(Level::Mp3,
                 static_cast<int>(std::lround(volume * levelRange(Level::Mp3).maximum)));
}

std::string Mp3MediaEndpoint::trackId() const {
    // A new id per selected entry, so a position sent for the last track is not applied
    // to this one.
    return "/org/velmora/track/" + std::to_string(std::max(0, m_player.playlist().selected()));
}

} // namespace velmora::music
