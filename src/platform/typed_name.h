#pragma once
// Names the user types for things kept as files in one folder (scenarios, colour schemes,
// effect presets): the name becomes a file name, so one that could reach outside the folder
// or name no file at all is refused. One rule for every such name; each window words its
// own message.
//
// Thread: any.

#include <string_view>

namespace velmora {

enum class NameProblem {
    None,
    Empty,            ///< nothing but blanks
    ControlCharacter, ///< a tab, a line break or another control character
    PathSeparator,    ///< "/" or "\"
    Dots,             ///< "." alone, or ".." anywhere
};

/// What stops name from being a file name inside its folder; None when nothing does.
[[nodiscard]] NameProblem typedNameProblem(std::string_view name);

/// name without the blanks and tabs around it.
[[nodiscard]] std::string_view trimmedName(std::string_view name);

} // namespace velmora
