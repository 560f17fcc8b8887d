#include "user_guide.h"

#include "core/startup/startup_config.h"

namespace velmora {
namespace {

bool keepsAsIs(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~' || c == '/';
}

std::string percentEncoded(std::string_view path) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char ch : path) {
        const auto c = static_cast<unsigned char>(ch);
        if (keepsAsIs(c)) {
            out += ch;
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        }
    }
    return out;
}

} // namespace

std::string userGuideAddress(const ProgramFolder& folder, std::string_view section) {
    const auto path = folder.resolveProgram(config::kUserGuide).lexically_normal();
    std::string address = "file://" + percentEncoded(path.string());
    if (!section.empty()) address += "#" + std::string(section);
    return address;
}

} // namespace velmora
