#pragma once
// Decodes a batch of sound files on a worker thread before the UI thread asks for them, so
// a load that needs many long loops does not freeze the window while they are decoded. The
// UI thread starts a batch, watches busy() from its event loop and, once the batch is done,
// loads the samples as usual: each load then takes its file's result instead of decoding.
//
// Thread: start, busy and take on the UI thread; the decode function runs on the worker.

#include "audio/decoder.h"

#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace velmora::audio {

class DecodeAhead {
  public:
    using Decode = std::function<DecodeResult(const std::string&)>;

    explicit DecodeAhead(Decode decode);
    ~DecodeAhead();
    DecodeAhead(const DecodeAhead&) = delete;
    DecodeAhead& operator=(const DecodeAhead&) = delete;

    /// Decodes paths in order on the worker. Results of an earlier batch that nobody took
    /// are dropped: they belonged to a load that went another way, and holding them would
    /// keep their memory for nothing. Waits for a batch still running to finish first.
    void start(std::vector<std::string> paths);
    /// True while a file of the batch is still being decoded.
    [[nodiscard]] bool busy() const;
    /// The result for path when it belongs to the batch (waiting for it if it is not
    /// decoded yet); nullopt otherwise, and for a second take of the same path.
    [[nodiscard]] std::optional<DecodeResult> take(const std::string& path);
    /// Drops every result and waits for the worker.
    void clear();

  private:
    void run(std::vector<std::string> paths);
    void join();

    Decode m_decode;
    mutable std::mutex m_mutex;
    std::condition_variable m_ready;
    std::map<std::string, std::optional<DecodeResult>> m_results; ///< nullopt: not yet decoded
    bool m_busy = false;
    std::thread m_worker;
};

} // namespace velmora::audio
