#pragma once
// Comparing names without regard to case, the way settings keys, sections, file extensions
// and the program's own paths need it. Only the ASCII letters A-Z fold: bytes of UTF-8 text
// are left alone whatever the process locale, so "É" never turns into something else and
// every copy of the program compares the same names the same way.
//
// Thread: any (pure functions).

#include <string>
#include <string_view>

namespace velmora {

/// c with A-Z folded to a-z; every other byte unchanged.
[[nodiscard]] constexpr char asciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
/// text with A-Z folded to a-z.
[[nodiscard]] std::string asciiLowered(std::string_view text);
[[nodiscard]] bool equalsIgnoringCase(std::string_view a, std::string_view b);
/// Strict weak order for sorting names as a user reads them ("apple" < "Birch" < "cedar").
[[nodiscard]] bool lessIgnoringCase(std::string_view a, std::string_view b);
[[nodiscard]] bool endsWithIgnoringCase(std::string_view text, std::string_view suffix);

} // namespace velmora
