#pragma once
// The field-by-field reading the saved-state readers share. A reader never fails as a
// whole: it takes the fields in order, and a field that is absent or does not convert leaves
// its target as it was. The result says what went wrong, so a caller can tell a first run
// (missing file) from a damaged file, and which fields really reached their targets.
//
// Thread: any (pure functions over files).

#include "core/files/text_record.h"

#include <cstdint>
#include <string>
#include <vector>

namespace velmora::state {

/// Reads fields of a record file in order into typed targets; every conversion failure is
/// noted in the result and leaves its target untouched.
class FieldReader {
  public:
    FieldReader(files::RecordReader& reader, FileResult& result, std::size_t expected);

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
    FileResult& m_result;
    std::size_t m_expected = 0;
    int m_number = 0;
    files::Field m_current;
};

/// Opens a record file for FieldReader; result.error tells why the reader is empty.
[[nodiscard]] files::RecordReader openRecordFile(const std::filesystem::path& path,
                                                 FileResult& result);

} // namespace velmora::state
