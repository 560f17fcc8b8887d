#pragma once
// The running instance's side of its socket: a line from a second start becomes at most one
// command, and its outcome goes back as one line. Anything that is not a well-formed command
// of ours is dropped with a line on standard error; nothing runs.
//
// Thread: UI thread.

#include "command_runner.h"
#include "platform/instance_channel.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace velmora::desktop {

/// The reply line: the exit code, a space, the message.
[[nodiscard]] std::string encodeOutcome(const Outcome& outcome);
/// Empty for a line that is not a reply.
[[nodiscard]] std::optional<Outcome> decodeOutcome(std::string_view line);

class InstanceRequests final : public InstanceEndpoint {
  public:
    /// log: one line for standard error (the running instance's own terminal).
    InstanceRequests(CommandRunner& runner, std::function<void(const std::string&)> log);

    /// Commands that come before ready() wait for it, except a quit.
    void received(std::string_view line, Reply reply) override;
    void refused(const std::string& why) override;
    /// The main window has loaded: commands held back run now, later ones at once.
    void ready();

  private:
    CommandRunner& m_runner;
    std::function<void(const std::string&)> m_log;
    bool m_ready = false;
    std::vector<std::pair<Command, Reply>> m_waiting;
};

} // namespace velmora::desktop
