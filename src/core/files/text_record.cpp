#include "text_record.h"

#include "platform/ascii_case.h"
#include "platform/atomic_file.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace velmora::files {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// Windows-1252 code points for 0x80..0x9F; the rest of the upper half maps to Latin-1.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool isValidUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        int extra = 0;
        char32_t cp = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            extra = 1;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + extra >= s.size()) return false;
        for (int k = 1; k <= extra; ++k) {
            const auto cc = static_cast<unsigned char>(s[i + k]);
            if ((cc & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        // Overlong forms, surrogates and values past Unicode are not UTF-8.
        if ((extra == 1 && cp < 0x80) || (extra == 2 && cp < 0x800) ||
            (extra == 3 && cp < 0x10000) || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

[[nodiscard]] FileResult readRecordFile(const std::filesystem::path& path, std::string& out) {
    return readWholeFile(path, out, kMaxRecordFileBytes);
}

} // namespace

std::string toUtf8(std::string_view bytes) {
    if (isValidUtf8(bytes)) return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80)
            out += ch;
        else if (c < 0xA0)
            appendUtf8(out, kCp1252High[c - 0x80]);
        else
            appendUtf8(out, c);
    }
    return out;
}

std::vector<Field> parseFields(std::string_view raw) {
    const std::string utf8 = toUtf8(raw);
    const std::string_view s = utf8;
    std::vector<Field> fields;
    std::size_t i = 0;
    const std::size_t n = s.size();
    auto atLineEnd = [&](std::size_t k) { return k < n && (s[k] == '\r' || s[k] == '\n'); };
    auto skipLineEnd = [&](std::size_t& k) {
        if (k < n && s[k] == '\r') ++k;
        if (k < n && s[k] == '\n') ++k;
    };
    while (i < n) {
        // A blank line carries no field.
        std::size_t k = i;
        while (k < n && isBlank(s[k]))
            ++k;
        if (k >= n) break;
        if (atLineEnd(k)) {
            i = k;
            skipLineEnd(i);
            continue;
        }
        // One line: fields up to its end.
        while (true) {
            while (k < n && isBlank(s[k]))
                ++k;
            Field f;
            if (k < n && s[k] == '"') {
                f.quoted = true;
                ++k;
                while (k < n) {
                    if (s[k] == '"') {
                        if (k + 1 < n && s[k + 1] == '"') { // doubled quote inside a text
                            f.text += '"';
                            k += 2;
                            continue;
                        }
                        ++k;
                        break;
                    }
                    f.text += s[k++];
                }
                // Anything between the closing quote and the separator is dropped.
                while (k < n && s[k] != ',' && !atLineEnd(k))
                    ++k;
            } else {
                const std::size_t start = k;
                while (k < n && s[k] != ',' && !atLineEnd(k))
                    ++k;
                f.text = std::string(trim(s.substr(start, k - start)));
            }
            fields.push_back(std::move(f));
            if (k < n && s[k] == ',') {
                ++k;
                continue;
            }
            skipLineEnd(k);
            break;
        }
        i = k;
    }
    return fields;
}

RecordReader::RecordReader(std::string_view bytes) : m_fields(parseFields(bytes)) {}

RecordReader RecordReader::fromFile(const std::filesystem::path& path) {
    std::string bytes;
    if (const auto read = readRecordFile(path, bytes); !read.ok()) {
        RecordReader r;
        r.m_error = read.error;
        return r;
    }
    return RecordReader(bytes);
}

std::optional<Field> RecordReader::next() {
    if (atEnd()) return std::nullopt;
    return m_fields[m_pos++];
}

std::optional<std::string> RecordReader::nextText() {
    auto f = next();
    if (!f) return std::nullopt;
    return std::move(f->text);
}

std::optional<std::int64_t> RecordReader::nextInteger() {
    auto f = next();
    return f ? toRoundedInteger(*f) : std::nullopt;
}

std::optional<double> RecordReader::nextDouble() {
    auto f = next();
    return f ? toDouble(*f) : std::nullopt;
}

std::optional<bool> RecordReader::nextBool() {
    auto f = next();
    return f ? toBool(*f) : std::nullopt;
}

std::optional<std::int64_t> toInteger(const Field& f) {
    std::string_view s = trim(f.text);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    std::int64_t v = 0;
    const auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc{} || p != s.data() + s.size() || s.empty()) return std::nullopt;
    return v;
}

std::optional<double> toDouble(const Field& f) {
    std::string_view s = trim(f.text);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    if (s.empty()) return std::nullopt;
    double v = 0;
    const auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc{} || p != s.data() + s.size() || !std::isfinite(v)) return std::nullopt;
    return v;
}

std::optional<std::int64_t> toRoundedInteger(const Field& f) {
    if (auto i = toInteger(f)) return i;
    auto d = toDouble(f);
    if (!d || std::fabs(*d) > 9.0e18) return std::nullopt;
    return static_cast<std::int64_t>(std::nearbyint(*d)); // default rounding: half to even
}

std::optional<bool> toBool(const Field& f) {
    const std::string_view t = trim(f.text);
    if (equalsIgnoringCase(t, "#TRUE#") || equalsIgnoringCase(t, "TRUE")) return true;
    if (equalsIgnoringCase(t, "#FALSE#") || equalsIgnoringCase(t, "FALSE")) return false;
    if (auto d = toDouble(f)) return *d != 0.0;
    return std::nullopt;
}

std::vector<std::string> splitLines(std::string_view raw) {
    const std::string utf8 = toUtf8(raw);
    std::vector<std::string> lines;
    std::size_t start = 0;
    const std::size_t n = utf8.size();
    for (std::size_t k = 0; k < n; ++k) {
        if (utf8[k] == '\r' || utf8[k] == '\n') {
            lines.emplace_back(utf8.substr(start, k - start));
            if (utf8[k] == '\r' && k + 1 < n && utf8[k + 1] == '\n') ++k;
            start = k + 1;
        }
    }
    if (start < n) lines.emplace_back(utf8.substr(start));
    return lines;
}

LinesResult readLines(const std::filesystem::path& path) {
    LinesResult r;
    std::string bytes;
    r.result = readRecordFile(path, bytes);
    if (r.result.ok()) r.lines = splitLines(bytes);
    return r;
}

void RecordWriter::separate() {
    if (m_fieldOpen) m_out += ',';
    m_fieldOpen = true;
}

RecordWriter& RecordWriter::text(std::string_view value) {
    separate();
    m_out += '"';
    // Line breaks go out as they are: inside the quotes the reader keeps them, and no file
    // written before held one there, so nothing old reads differently. A quote is doubled,
    // so the reader gets the quote back.
    for (char c : value) {
        if (c == '"') m_out += '"';
        m_out += c;
    }
    m_out += '"';
    return *this;
}

RecordWriter& RecordWriter::integer(std::int64_t value) {
    separate();
    m_out += std::to_string(value);
    return *this;
}

RecordWriter& RecordWriter::number(double value) {
    separate();
    if (!std::isfinite(value)) value = 0.0;
    char buf[64];
    const auto [p, ec] = std::to_chars(buf, buf + sizeof buf, value);
    m_out.append(buf, ec == std::errc{} ? p : buf);
    return *this;
}

RecordWriter& RecordWriter::boolean(bool value) {
    separate();
    m_out += value ? "#TRUE#" : "#FALSE#";
    return *this;
}

RecordWriter& RecordWriter::endRecord() {
    m_out += "\r\n";
    m_fieldOpen = false;
    return *this;
}

RecordWriter& RecordWriter::line(std::string_view value) {
    if (m_fieldOpen) endRecord();
    for (char c : value)
        m_out += (c == '\r' || c == '\n') ? ' ' : c;
    m_out += "\r\n";
    return *this;
}

} // namespace velmora::files
