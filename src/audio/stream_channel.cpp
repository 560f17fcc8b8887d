#include "audio/stream_channel.h"

#include "audio/sound_engine.h"
#include "audio/stream_slot.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace velmora::audio {
namespace {

constexpr std::size_t kChunkFrames = 4096;
// The feeder wakes this often to top the ring up; the ring holds 0.74 s, so a late
// wake-up of a few hundred milliseconds on a busy machine is still heard as nothing.
constexpr auto kFeederPeriod = std::chrono::milliseconds(20);

} // namespace

StreamChannel::StreamChannel(StreamSlot& slot, bool offline)
    : m_slot(slot), m_offline(offline), m_buffer(2 * kChunkFrames) {
    m_slot.setGain(1.0f);
    m_slot.setPaused(false);
    m_slot.setOpen(true);
    if (!m_offline) m_thread = std::thread([this] { run(); });
}

StreamChannel::~StreamChannel() {
    shutdown();
}

void StreamChannel::shutdown() {
    {
        std::lock_guard lock(m_mutex);
        if (m_quit) return;
        m_quit = true;
    }
    m_wake.notify_one();
    if (m_thread.joinable()) m_thread.join();
    m_slot.ring().skipWritten();
    m_slot.setOpen(false);
    m_sources.clear();
}

int StreamChannel::submit(Request request) {
    if (request.source) {
        request.id = m_nextId++;
        m_durations[request.id] = request.source->duration();
    }
    const int id = request.id;
    {
        std::lock_guard lock(m_mutex);
        if (m_quit) return -1;
        if (request.kind == Request::Kind::Seek)
            m_pendingSeek = request.seconds;
        else if (request.kind != Request::Kind::Queue)
            m_pendingSeek.reset();
        m_inbox.push_back(std::move(request));
    }
    // Offline the caller is the feeder: apply at once so position() answers for it.
    if (m_offline)
        applyRequests();
    else
        m_wake.notify_one();
    return id;
}

int StreamChannel::play(std::unique_ptr<StreamSource> source) {
    if (!source) return -1;
    return submit({Request::Kind::Play, std::move(source)});
}

int StreamChannel::queue(std::unique_ptr<StreamSource> source) {
    if (!source) return -1;
    return submit({Request::Kind::Queue, std::move(source)});
}

void StreamChannel::stop() {
    submit({Request::Kind::Stop, nullptr});
}

bool StreamChannel::seek(double seconds) {
    if (currentSource() < 0) return false;
    submit({Request::Kind::Seek, nullptr, -1, std::max(0.0, seconds)});
    return true;
}

void StreamChannel::setPaused(bool paused) {
    m_paused = paused;
    m_slot.setPaused(paused);
}

void StreamChannel::setVolume(int hundredthsDb) {
    m_volume = std::clamp(hundredthsDb, kMinVolume, kMaxVolume);
    const float gain =
        m_volume <= kMinVolume ? 0.0f : static_cast<float>(std::pow(10.0, m_volume / 2000.0));
    m_slot.setGain(gain);
}

const StreamChannel::Segment* StreamChannel::heardSegment() const {
    const std::uint64_t heard = m_slot.ring().heard();
    const Segment* found = nullptr;
    for (const Segment& s : m_segments)
        // A source that ended is still the one heard until its end is reported; one cut
        // short is gone at once.
        if (s.start <= heard && (heard < s.end || (heard == s.end && s.reported))) found = &s;
    return found;
}

double StreamChannel::position() const {
    std::lock_guard lock(m_mutex);
    if (m_pendingSeek) return *m_pendingSeek;
    const Segment* s = heardSegment();
    if (!s) return 0.0;
    const std::uint64_t heard = std::min(m_slot.ring().heard(), s->end);
    return s->startSeconds + static_cast<double>(heard - s->start) / kSampleRate;
}

int StreamChannel::currentSource() const {
    std::lock_guard lock(m_mutex);
    if (const Segment* s = heardSegment(); s && (s->end == UINT64_MAX || s->end > s->start))
        return s->id;
    // Between a play request and the feeder taking it, the new source is what plays.
    for (auto it = m_inbox.rbegin(); it != m_inbox.rend(); ++it)
        if (it->kind == Request::Kind::Play) return it->id;
    return -1;
}

double StreamChannel::duration() const {
    const auto it = m_durations.find(currentSource());
    return it == m_durations.end() ? -1.0 : it->second;
}

std::vector<StreamChannel::Ended> StreamChannel::poll() {
    std::vector<Ended> ended;
    std::lock_guard lock(m_mutex);
    const std::uint64_t heard = m_slot.ring().heard();
    while (!m_segments.empty() && m_segments.front().end <= heard) {
        const Segment& s = m_segments.front();
        if (s.reported) ended.push_back({s.id, s.failed});
        // A later segment of the same source (after a seek) keeps its duration alive.
        const bool lastOfSource = std::none_of(m_segments.begin() + 1, m_segments.end(),
                                               [&](const Segment& o) { return o.id == s.id; });
        if (lastOfSource) m_durations.erase(s.id);
        m_segments.pop_front();
    }
    return ended;
}

void StreamChannel::feed(std::size_t frames) {
    if (!m_offline) return;
    fill(std::min(frames, StreamRing::kFrames));
}

void StreamChannel::run() {
    std::unique_lock lock(m_mutex);
    while (!m_quit) {
        lock.unlock();
        applyRequests();
        fill(StreamRing::kFrames);
        lock.lock();
        if (m_quit || !m_inbox.empty()) continue;
        if (m_sources.empty())
            m_wake.wait(lock, [this] { return m_quit || !m_inbox.empty(); });
        else
            m_wake.wait_for(lock, kFeederPeriod);
    }
}

std::uint64_t StreamChannel::skipUnheard() {
    StreamRing& ring = m_slot.ring();
    const std::uint64_t heard = ring.heard();
    ring.skipWritten();
    const std::uint64_t at = ring.written();
    std::lock_guard lock(m_mutex);
    // Whatever was not heard yet never will be: no end to announce for it, even when its
    // source had finished in the ring.
    for (Segment& s : m_segments)
        if (s.end > heard) {
            s.end = std::max(std::min(s.end, at), s.start);
            s.reported = false;
        }
    return at;
}

void StreamChannel::startFront() {
    if (m_sources.empty()) return;
    const std::uint64_t at = m_slot.ring().written();
    std::lock_guard lock(m_mutex);
    m_segments.push_back({m_sources.front().id, at, 0.0});
}

void StreamChannel::applyRequests() {
    std::vector<Request> requests;
    {
        std::lock_guard lock(m_mutex);
        requests.swap(m_inbox);
    }
    for (Request& r : requests) {
        switch (r.kind) {
        case Request::Kind::Queue:
            m_sources.push_back({std::move(r.source), r.id});
            if (m_sources.size() == 1) startFront();
            break;
        case Request::Kind::Play:
        case Request::Kind::Stop: {
            m_sources.clear();
            skipUnheard();
            if (r.source) {
                m_sources.push_back({std::move(r.source), r.id});
                startFront();
            }
            break;
        }
        case Request::Kind::Seek: {
            if (m_sources.empty() || !m_sources.front().source->seek(r.seconds)) break;
            const std::uint64_t at = skipUnheard();
            std::lock_guard lock(m_mutex);
            m_segments.push_back({m_sources.front().id, at, r.seconds});
            break;
        }
        }
    }
    std::lock_guard lock(m_mutex);
    // Only the last request can still be pending; one arriving meanwhile sets it again.
    if (m_inbox.empty()) m_pendingSeek.reset();
}

void StreamChannel::fill(std::size_t target) {
    StreamRing& ring = m_slot.ring();
    while (!m_sources.empty() && ring.written() - ring.heard() < target) {
        const std::size_t room = std::min(kChunkFrames, ring.space());
        if (room == 0) return;
        StreamSource& source = *m_sources.front().source;
        const std::size_t got = source.read(m_buffer.data(), room);
        if (got > 0) {
            ring.write(m_buffer.data(), std::min(got, room));
            continue;
        }
        const bool failed = source.failed();
        {
            std::lock_guard lock(m_mutex);
            for (Segment& s : m_segments)
                if (s.end == UINT64_MAX) {
                    s.end = ring.written();
                    s.failed = failed;
                }
        }
        m_sources.pop_front();
        startFront();
    }
}

} // namespace velmora::audio
