#pragma once
// A channel of the engine that plays continuous sound (music files, a CD) from
// StreamSources. A feeder thread pulls each source ahead of the listener into a lock-free
// ring that the audio callback reads, so decoding, disc waits and allocation never reach
// the audio thread. Sources play one after another without a gap: queue the next while the
// current one plays. Offline the feeder runs inline before each rendered block, so
// rendering stays deterministic.
//
// Thread: every public function on the UI thread (the engine's owner). Sources are read,
// sought and destroyed on the feeder thread (offline: the UI thread, inside render()).

#include "audio/stream_source.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace velmora::audio {

class StreamSlot;

class StreamChannel {
  public:
    /// A source finished: its last frame was heard (failed: it broke off instead of ending).
    struct Ended {
        int source = -1;
        bool failed = false;
    };
    /// Quietest and loudest volume in hundredths of a decibel.
    static constexpr int kMinVolume = -10000;
    static constexpr int kMaxVolume = 0;

    /// offline: no feeder thread; feed() fills the ring before each rendered block.
    StreamChannel(StreamSlot& slot, bool offline);
    ~StreamChannel();
    StreamChannel(const StreamChannel&) = delete;
    StreamChannel& operator=(const StreamChannel&) = delete;

    /// Plays source from its current position at once, dropping what played and what was
    /// queued. Returns the id later reported by ended() and currentSource().
    int play(std::unique_ptr<StreamSource> source);
    /// Plays source right after the last one played or queued (at once when none is left).
    int queue(std::unique_ptr<StreamSource> source);
    /// Silences the channel and drops every source.
    void stop();
    /// Pauses or resumes where it was (with a fade of a few milliseconds).
    void setPaused(bool paused);
    [[nodiscard]] bool paused() const { return m_paused; }
    /// Hundredths of a decibel; limited to [kMinVolume, kMaxVolume], kMinVolume is silence.
    void setVolume(int hundredthsDb);
    [[nodiscard]] int volume() const { return m_volume; }
    /// Moves the source now heard to seconds from its start; false when nothing plays.
    bool seek(double seconds);

    /// Seconds into the source now heard (0 when none).
    [[nodiscard]] double position() const;
    /// Id of the source now heard; -1 when none.
    [[nodiscard]] int currentSource() const;
    /// Length of the source now heard in seconds; negative when unknown or none.
    [[nodiscard]] double duration() const;
    /// Sources heard to their end since the last call, in order. The UI thread polls this
    /// (a timer), which is where the end of a source is reported.
    std::vector<Ended> poll();

    /// Offline only: reads sources until at least frames frames wait in the ring or every
    /// source has ended.
    void feed(std::size_t frames);
    /// Stops the feeder thread for good (the engine is closing); further calls do nothing.
    void shutdown();

  private:
    struct Request {
        enum class Kind { Play, Queue, Seek, Stop } kind;
        std::unique_ptr<StreamSource> source;
        int id = -1;
        double seconds = 0;
    };
    // A stretch of the ring that belongs to one source, starting at a known second.
    struct Segment {
        int id;
        std::uint64_t start;
        double startSeconds;
        std::uint64_t end = UINT64_MAX;
        bool failed = false;
        bool reported = true; ///< false: cut short by play/seek/stop, ends unannounced
    };
    struct Source {
        std::unique_ptr<StreamSource> source;
        int id;
    };

    int submit(Request request);
    void run();
    // Feeder side.
    void applyRequests();
    void fill(std::size_t target);
    void startFront();
    /// Drops what the listener has not heard; returns the frame where new sound starts.
    std::uint64_t skipUnheard();
    [[nodiscard]] const Segment* heardSegment() const; // needs m_mutex

    StreamSlot& m_slot;
    const bool m_offline;
    int m_nextId = 0;
    int m_volume = kMaxVolume;
    bool m_paused = false;
    std::map<int, double> m_durations; // UI thread: by source id, read when submitted

    mutable std::mutex m_mutex; // guards the inbox, the segments and m_quit
    std::condition_variable m_wake;
    std::vector<Request> m_inbox;
    std::deque<Segment> m_segments;
    std::optional<double> m_pendingSeek;
    bool m_quit = false;

    std::deque<Source> m_sources; // feeder only: front is being read
    std::vector<float> m_buffer;  // feeder only
    std::thread m_thread;
};

} // namespace velmora::audio
