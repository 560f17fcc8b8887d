#pragma once
// A sectioned key file ("[Section]" then "key=value" lines), the layout of the per-user
// settings files and of settings.ini. Sections and keys are found without regard to case
// and keep the spelling they were first written with; lines the reader does not understand
// (comments, stray text) are kept and written back, so a hand-edited file loses nothing.
//
// Thread: whichever thread owns the document.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

class IniDocument {
  public:
    IniDocument() = default;
    /// Parses any bytes: CR LF or LF lines, optional UTF-8 byte-order mark. Never fails.
    static IniDocument parse(std::string_view bytes);

    [[nodiscard]] std::optional<std::string> value(std::string_view section,
                                                   std::string_view key) const;
    /// Sets or adds the value; a new section goes at the end. Line breaks in the value
    /// become spaces (one value is one line).
    void set(std::string_view section, std::string_view key, std::string_view value);
    /// Removes the key; false when it was not there.
    bool remove(std::string_view section, std::string_view key);

    /// CR LF-ended lines.
    [[nodiscard]] std::string serialize() const;

  private:
    struct Line {
        std::string raw; ///< the line as read, for lines that are not a key
        std::string key; ///< empty for non-key lines
        std::string value;
    };
    struct Section {
        std::string name; ///< empty for lines before the first header
        std::vector<Line> lines;
    };
    Section* findSection(std::string_view name);
    [[nodiscard]] const Section* findSection(std::string_view name) const;
    std::vector<Section> m_sections;
    bool m_byteOrderMark = false;
};

} // namespace velmora
