#pragma once
// The one reader and writer of the text-record style that every state, bank, scenario and
// preset file uses: comma-separated fields, texts in double quotes, bare numbers,
// #TRUE#/#FALSE#, CR LF line ends; and the second layout, one unquoted value per line.
//
// Readers never throw and never trust their input: any bytes give a list of fields, and a
// field that does not convert reports an error the caller turns into its own message.

#include "platform/atomic_file.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::files {

/// Files larger than this are refused rather than read (every real one is a few KB).
inline constexpr std::uintmax_t kMaxRecordFileBytes = 4u * 1024u * 1024u;

struct Field {
    std::string text; ///< UTF-8, quotes removed, surrounding blanks trimmed when unquoted
    bool quoted = false;
};

/// Converts a field the way the program's files expect. All return nullopt when the field
/// does not convert.
[[nodiscard]] std::optional<std::int64_t> toInteger(const Field& f);
/// Integers also accept a decimal fraction, rounded half to even ("2.5" -> 2).
[[nodiscard]] std::optional<std::int64_t> toRoundedInteger(const Field& f);
[[nodiscard]] std::optional<double> toDouble(const Field& f);
/// #TRUE#/#FALSE#, also the texts True/False and numbers (0 false, other true).
[[nodiscard]] std::optional<bool> toBool(const Field& f);

/// Sequential reader over the fields of a whole file, records run together in order (as the
/// program reads its files: field after field, whatever the line breaks).
class RecordReader {
  public:
    RecordReader() = default;
    explicit RecordReader(std::string_view bytes);

    /// Reads a whole file; on error the reader is empty and error() says why.
    [[nodiscard]] static RecordReader fromFile(const std::filesystem::path& path);

    /// Missing, Unreadable or TooLarge when the file could not be read; None otherwise.
    [[nodiscard]] FileError error() const { return m_error; }
    [[nodiscard]] bool ok() const { return m_error == FileError::None; }
    [[nodiscard]] const std::vector<Field>& fields() const { return m_fields; }
    [[nodiscard]] std::size_t size() const { return m_fields.size(); }
    [[nodiscard]] std::size_t position() const { return m_pos; }
    [[nodiscard]] bool atEnd() const { return m_pos >= m_fields.size(); }

    /// Next field, or nullopt at the end.
    [[nodiscard]] std::optional<Field> next();
    [[nodiscard]] std::optional<std::string> nextText();
    [[nodiscard]] std::optional<std::int64_t> nextInteger();
    [[nodiscard]] std::optional<double> nextDouble();
    [[nodiscard]] std::optional<bool> nextBool();

  private:
    std::vector<Field> m_fields;
    std::size_t m_pos = 0;
    FileError m_error = FileError::None;
};

/// Splits bytes into fields (see RecordReader). Exposed for tests and fuzzing.
[[nodiscard]] std::vector<Field> parseFields(std::string_view bytes);

/// The one-value-per-line layout: every line, CR LF or LF, without its line end, as UTF-8.
struct LinesResult {
    std::vector<std::string> lines;
    FileResult result;
};
[[nodiscard]] LinesResult readLines(const std::filesystem::path& path);
[[nodiscard]] std::vector<std::string> splitLines(std::string_view bytes);

/// Text as UTF-8: valid UTF-8 passes through, anything else is taken as Windows-1252.
[[nodiscard]] std::string toUtf8(std::string_view bytes);

/// Builds a file in the comma-separated style.
class RecordWriter {
  public:
    /// A quoted text; its line breaks (scenario notes have them) are kept and read back.
    RecordWriter& text(std::string_view value);
    RecordWriter& integer(std::int64_t value);
    RecordWriter& number(double value);
    RecordWriter& boolean(bool value);
    /// Ends the current record with CR LF.
    RecordWriter& endRecord();
    /// One unquoted value on a line of its own (second layout).
    RecordWriter& line(std::string_view value);
    [[nodiscard]] const std::string& bytes() const { return m_out; }

  private:
    void separate();
    std::string m_out;
    bool m_fieldOpen = false;
};

} // namespace velmora::files
