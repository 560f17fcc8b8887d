#include "instance_requests.h"

#include <charconv>

namespace velmora::desktop {

std::string encodeOutcome(const Outcome& outcome) {
    std::string line = std::to_string(outcome.exitCode) + " " + outcome.message;
    // The message comes from our own texts, but a scenario name is the user's: keep it one line.
    for (char& c : line)
        if (c == '\n' || c == '\r') c = ' ';
    return line;
}

std::optional<Outcome> decodeOutcome(std::string_view line) {
    Outcome outcome;
    const auto* end = line.data() + line.size();
    const auto [ptr, ec] = std::from_chars(line.data(), end, outcome.exitCode);
    if (ec != std::errc{} || ptr == end || *ptr != ' ' || outcome.exitCode < 0 ||
        outcome.exitCode > 2)
        return std::nullopt;
    outcome.message.assign(ptr + 1, end);
    return outcome;
}

InstanceRequests::InstanceRequests(CommandRunner& runner,
                                   std::function<void(const std::string&)> log)
    : m_runner(runner), m_log(std::move(log)) {}

void InstanceRequests::received(std::string_view line, Reply reply) {
    const auto command = decodeCommand(line);
    if (!command) {
        refused("a message that is not a Velmora command");
        return;
    }
    // A quit need not wait: before the window has loaded there is nothing to save, and the
    // start-up road may be waiting for a user who is not there.
    if (!m_ready && command->action != Action::Quit) {
        m_waiting.emplace_back(*command, std::move(reply));
        return;
    }
    reply(encodeOutcome(m_runner.run(*command)));
}

void InstanceRequests::refused(const std::string& why) {
    m_log("velmora: ignored " + why + " on the instance socket");
}

void InstanceRequests::ready() {
    m_ready = true;
    // A command may quit; take the list first so nothing here outlives that.
    auto waiting = std::move(m_waiting);
    m_waiting.clear();
    for (auto& [command, reply] : waiting)
        reply(encodeOutcome(m_runner.run(command)));
}

} // namespace velmora::desktop
