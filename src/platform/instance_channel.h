#pragma once
// The running instance's socket, as the rest of the program sees it: a second start sends
// one line and reads one line back. The line framing is here so every back end caps a
// message the same way.
//
// Thread: UI thread.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace velmora {

/// A message longer than this is not one of ours.
inline constexpr std::size_t kMaxInstanceMessageBytes = 1024;

/// Gathers one connection's bytes up to the first line end.
class RequestLine {
  public:
    enum class State { Incomplete, Complete, TooLong };
    /// Adds bytes; after Complete or TooLong further bytes change nothing.
    State append(std::string_view bytes);
    [[nodiscard]] State state() const { return m_state; }
    /// The line without its end, once Complete.
    [[nodiscard]] const std::string& line() const { return m_line; }

  private:
    std::string m_line;
    State m_state = State::Incomplete;
};

/// What the socket hands its messages to.
class InstanceEndpoint {
  public:
    using Reply = std::function<void(const std::string& line)>;
    virtual ~InstanceEndpoint() = default;
    /// A whole line from a peer of this user. reply may be kept and called later, at most
    /// once; it does nothing when the peer has gone.
    virtual void received(std::string_view line, Reply reply) = 0;
    /// A connection dropped unheard: from another user, too long, or broken.
    virtual void refused(const std::string& why) = 0;
};

} // namespace velmora
