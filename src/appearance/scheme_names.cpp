#include "scheme_names.h"

namespace velmora::appearance {

std::optional<std::string> usableSchemeName(std::string_view typed) {
    const auto first = typed.find_first_not_of(" \t");
    if (first == std::string_view::npos) return std::nullopt;
    const auto last = typed.find_last_not_of(" \t");
    const std::string name(typed.substr(first, last - first + 1));
    if (name == "." || name.find("..") != std::string::npos) return std::nullopt;
    for (const char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '/' || c == '\\' || u < 0x20 || u == 0x7F) return std::nullopt;
    }
    return name;
}

} // namespace velmora::appearance
