#pragma once
// Scheme names as the user types them: a name becomes a file name in the scheme folder, so a
// name that could reach outside that folder, or name no file at all, is refused.
//
// Thread: any.

#include <optional>
#include <string>
#include <string_view>

namespace velmora::appearance {

/// The name as it will be used (surrounding blanks trimmed), or nullopt when it is empty,
/// ".." or ".", holds a path separator ("/" or "\") or a control character.
[[nodiscard]] std::optional<std::string> usableSchemeName(std::string_view typed);

} // namespace velmora::appearance
