#pragma once
// What a saved-state reader reports, and the field-by-field reading they share. A reader
// never fails as a whole: it takes the fields in order, and a field that is absent or does
// not convert leaves its target as it was. The result says what went wrong, so a caller
// can tell a first run (missing file) from a damaged file.
//
// Thread: any (pure functions over files).

#include "core/files/text_record.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace velmora::state {

struct StateReadResult {
    files::ReadError fileError = files::ReadError::None;
    std::size_t fieldsExpected = 0;
    std::size_t fieldsFound = 0;  ///< fields in the file (more than expected is tolerated)
    std::vector<int> unconverted; ///< 1-based numbers of fields that did not convert

    [[nodiscard]] bool missing() const { return fileError == files::ReadError::Missing; }
    /// Every expected field was present and converted.
    [[nodiscard]] bool ok() const {
        return fileError == files::ReadError::None && fieldsFound >= fieldsExpected &&
               unconverted.empty();
    }
    /// Field n (1-based) was present and converted, so its target holds the file's value.
    [[nodiscard]] bool fieldRead(int n) const {
        return fileError == files::ReadError::None && n >= 1 &&
               fieldsFound >= static_cast<std::size_t>(n) &&
               std::find(unconverted.begin(), unconverted.end(), n) == unconverted.end();
    }
    /// The file is there but could not be read, or held values that did not convert: what
    /// it held is lost once it is written again. (A short file is not damaged: every value
    /// it had was read.)
    [[nodiscard]] bool damaged() const {
        return (fileError != files::ReadError::None && !missing()) || !unconverted.empty();
    }
    /// Some fields were missing at the end of the file.
    [[nodiscard]] bool shortFile() const {
        return fileError == files::ReadError::None && fieldsFound < fieldsExpected;
    }
};

/// Reads fields of a record file in order into typed targets; every conversion failure is
/// noted in the result and leaves its target untouched.
class FieldReader {
  public:
    FieldReader(files::RecordReader& reader, StateReadResult& result, std::size_t expected);

    void text(std::string& target);
    void int32(int& target);
    void int16(std::int16_t& target);
    void boolean(bool& target);
    /// A colour number 0..0xFFFFFF, written as a decimal text or a bare number.
    void colour(std::uint32_t& target);
    /// Reads a field only to move past it.
    void skip();

  private:
    const files::Field* next();
    void fail();
    files::RecordReader& m_reader;
    StateReadResult& m_result;
    int m_number = 0;
    files::Field m_current;
};

/// Opens a record file for FieldReader; result.fileError tells why the reader is empty.
[[nodiscard]] files::RecordReader openRecordFile(const std::filesystem::path& path,
                                                 StateReadResult& result, std::size_t expected);

} // namespace velmora::state
