#include "ini_document.h"

#include "ascii_case.h"

#include <algorithm>
#include <cctype>

namespace velmora {
namespace {

std::string_view trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

std::string oneLine(std::string_view v) {
    std::string out(v);
    std::replace_if(
        out.begin(), out.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return out;
}

// A value the reader would otherwise trim or unquote is written between quotes, so every
// value reads back exactly as it was set.
std::string quotedIfNeeded(const std::string& v) {
    if (v.empty()) return v;
    const bool edgeBlank = std::isspace(static_cast<unsigned char>(v.front())) ||
                           std::isspace(static_cast<unsigned char>(v.back()));
    const bool looksQuoted = v.size() >= 2 && v.front() == '"' && v.back() == '"';
    return edgeBlank || looksQuoted ? "\"" + v + "\"" : v;
}

} // namespace

IniDocument IniDocument::parse(std::string_view bytes) {
    IniDocument doc;
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        bytes.remove_prefix(3);
        doc.m_byteOrderMark = true;
    }
    doc.m_sections.push_back({});
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = bytes.size();
        const std::string_view raw = bytes.substr(start, end - start);
        start = end;
        if (start < bytes.size() && bytes[start] == '\r') ++start;
        if (start < bytes.size() && bytes[start] == '\n') ++start;

        const std::string_view line = trim(raw);
        if (line.size() >= 2 && line.front() == '[' && line.find(']') != std::string_view::npos) {
            const auto name = trim(line.substr(1, line.find(']') - 1));
            if (!name.empty()) {
                doc.m_sections.push_back({std::string(name), {}});
                continue;
            }
        }
        const auto eq = line.find('=');
        const bool comment = !line.empty() && (line.front() == ';' || line.front() == '#');
        if (eq == std::string_view::npos || comment || trim(line.substr(0, eq)).empty()) {
            if (!line.empty()) doc.m_sections.back().lines.push_back({std::string(raw), {}, {}});
            continue;
        }
        auto value = trim(line.substr(eq + 1));
        // Values written by other tools may be quoted; the quotes are not part of the value.
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        doc.m_sections.back().lines.push_back(
            {{}, std::string(trim(line.substr(0, eq))), std::string(value)});
    }
    return doc;
}

IniDocument::Section* IniDocument::findSection(std::string_view name) {
    // The last matching section wins a duplicate, as a reader scanning top-down would
    // let later values override earlier ones.
    for (auto it = m_sections.rbegin(); it != m_sections.rend(); ++it)
        if (!it->name.empty() && equalsIgnoringCase(it->name, name)) return &*it;
    return nullptr;
}

const IniDocument::Section* IniDocument::findSection(std::string_view name) const {
    return const_cast<IniDocument*>(this)->findSection(name);
}

std::optional<std::string> IniDocument::value(std::string_view section,
                                              std::string_view key) const {
    const Section* s = findSection(section);
    if (!s) return std::nullopt;
    for (auto it = s->lines.rbegin(); it != s->lines.rend(); ++it)
        if (!it->key.empty() && equalsIgnoringCase(it->key, key)) return it->value;
    return std::nullopt;
}

void IniDocument::set(std::string_view section, std::string_view key, std::string_view value) {
    const std::string cleanSection = oneLine(trim(section));
    const std::string cleanKey = oneLine(trim(key));
    Section* s = findSection(cleanSection);
    if (!s) {
        if (m_sections.empty()) m_sections.push_back({});
        m_sections.push_back({cleanSection, {}});
        s = &m_sections.back();
    }
    for (auto it = s->lines.rbegin(); it != s->lines.rend(); ++it) {
        if (!it->key.empty() && equalsIgnoringCase(it->key, cleanKey)) {
            it->value = oneLine(value);
            return;
        }
    }
    s->lines.push_back({{}, cleanKey, oneLine(value)});
}

bool IniDocument::remove(std::string_view section, std::string_view key) {
    Section* s = findSection(section);
    if (!s) return false;
    const auto before = s->lines.size();
    std::erase_if(s->lines,
                  [&](const Line& l) { return !l.key.empty() && equalsIgnoringCase(l.key, key); });
    return s->lines.size() != before;
}

std::string IniDocument::serialize() const {
    // A file that came with a byte-order mark goes back with one.
    std::string out = m_byteOrderMark ? "\xEF\xBB\xBF" : "";
    bool first = true;
    for (const auto& s : m_sections) {
        if (s.name.empty() && s.lines.empty()) continue;
        if (!s.name.empty()) {
            if (!first) out += "\r\n";
            out += "[" + s.name + "]\r\n";
        }
        first = false;
        for (const auto& l : s.lines)
            out += (l.key.empty() ? l.raw : l.key + "=" + quotedIfNeeded(l.value)) + "\r\n";
    }
    return out;
}

} // namespace velmora
