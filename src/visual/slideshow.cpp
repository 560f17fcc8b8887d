#include "slideshow.h"

#include "core/state/options_state.h"

#include <algorithm>
#include <cmath>

namespace velmora::visual {

namespace {
constexpr int kTickMs = 1000;
constexpr int kTicksPerMinute = 60;
constexpr int kMinutesPerHour = 60;
} // namespace

Slideshow::Slideshow(Services& services, PictureSources& sources)
    : m_s(services), m_sources(sources),
      m_timer(services.timers.createTimer(kTickMs, [this] { tick(); })) {
    // Another folder: what was unreadable there says nothing about this one.
    m_sourcesChanged = m_sources.changed.connect([this] { m_unreadable.clear(); });
}

void Slideshow::load() {
    if (m_active) return;
    m_active = true;
    m_minutes = 0;
    m_seconds = 0;
    m_timer->setEnabled(true);
    next();
}

void Slideshow::unload() {
    m_active = false;
    m_timer->setEnabled(false);
}

void Slideshow::tick() {
    if (++m_seconds == kTicksPerMinute) {
        m_seconds = 0;
        ++m_minutes;
    }
    const double every = state::leadingNumber(m_sources.changeEvery());
    if (static_cast<double>(m_minutes) == std::trunc(every)) {
        next();
        m_minutes = 0;
    }
    if (m_minutes >= kMinutesPerHour) m_minutes = 0;
}

void Slideshow::next() {
    const int count = m_sources.count();
    if (count == 0) return;
    if (m_sources.randomOrder()) {
        const int index = std::min(static_cast<int>(m_s.random.next() * count), count - 1);
        showSelected(index);
        return;
    }
    m_position = m_position < count - 1 ? m_position + 1 : 0;
    showSelected(m_position);
}

void Slideshow::showEntry(int index) {
    if (index < 0 || index >= m_sources.count()) return;
    m_position = index;
    showSelected(index);
}

void Slideshow::showSelected(int index) {
    const auto path = m_sources.picturePath(index);
    if (m_unreadable.count(path)) {
        // Passed over without a draw: a random pick of a bad picture moves on in order.
        if (everyPictureUnreadable()) return nothingToShow();
        m_position = index;
        const int count = m_sources.count();
        return showSelected(index < count - 1 ? index + 1 : 0);
    }
    m_sources.select(index);
    m_current = path;
    show(path);
}

void Slideshow::unreadable(const std::filesystem::path& path) {
    m_unreadable.insert(path);
    if (everyPictureUnreadable()) {
        m_current.clear();
        nothingToShow();
        return;
    }
    if (path == m_current) next();
}

bool Slideshow::everyPictureUnreadable() const {
    for (int i = 0; i < m_sources.count(); ++i)
        if (!m_unreadable.count(m_sources.picturePath(i))) return false;
    return true;
}

} // namespace velmora::visual
