#include "typed_name.h"

namespace velmora {

std::string_view trimmedName(std::string_view name) {
    const auto first = name.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = name.find_last_not_of(" \t");
    return name.substr(first, last - first + 1);
}

NameProblem typedNameProblem(std::string_view name) {
    const std::string_view trimmed = trimmedName(name);
    if (trimmed.empty()) return NameProblem::Empty;
    for (const char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F) return NameProblem::ControlCharacter;
    }
    if (name.find_first_of("/\\") != std::string_view::npos) return NameProblem::PathSeparator;
    if (trimmed == "." || name.find("..") != std::string_view::npos) return NameProblem::Dots;
    return NameProblem::None;
}

} // namespace velmora
