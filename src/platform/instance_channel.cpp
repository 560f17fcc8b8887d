#include "instance_channel.h"

namespace velmora {

RequestLine::State RequestLine::append(std::string_view bytes) {
    if (m_state != State::Incomplete) return m_state;
    const auto end = bytes.find('\n');
    m_line.append(bytes.substr(0, end));
    if (m_line.size() > kMaxInstanceMessageBytes) {
        m_line.clear();
        m_state = State::TooLong;
    } else if (end != std::string_view::npos) {
        m_state = State::Complete;
    }
    return m_state;
}

} // namespace velmora
