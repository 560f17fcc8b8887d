#include "state_read.h"

#include <limits>

namespace velmora::state {

FieldReader::FieldReader(files::RecordReader& reader, FileResult& result, std::size_t expected)
    : m_reader(reader), m_result(result), m_expected(expected) {
    m_result.fieldsFound = reader.size();
}

const files::Field* FieldReader::next() {
    ++m_number;
    auto f = m_reader.next();
    if (!f) {
        // A short file: the field is absent, not wrong.
        if (static_cast<std::size_t>(m_number) <= m_expected)
            m_result.fail(FileError::TooShort, static_cast<std::size_t>(m_number));
        return nullptr;
    }
    m_current = std::move(*f);
    return &m_current;
}

void FieldReader::fail() {
    m_result.unconverted.push_back(static_cast<std::size_t>(m_number));
    m_result.fail(FileError::NotANumber, static_cast<std::size_t>(m_number));
}

void FieldReader::text(std::string& target) {
    if (const auto* f = next()) target = f->text;
}

void FieldReader::int32(int& target) {
    const auto* f = next();
    if (!f) return;
    const auto v = files::toRoundedInteger(*f);
    if (v && *v >= std::numeric_limits<int>::min() && *v <= std::numeric_limits<int>::max())
        target = static_cast<int>(*v);
    else
        fail();
}

void FieldReader::int16(std::int16_t& target) {
    const auto* f = next();
    if (!f) return;
    const auto v = files::toRoundedInteger(*f);
    if (v && *v >= std::numeric_limits<std::int16_t>::min() &&
        *v <= std::numeric_limits<std::int16_t>::max())
        target = static_cast<std::int16_t>(*v);
    else
        fail();
}

void FieldReader::boolean(bool& target) {
    const auto* f = next();
    if (!f) return;
    if (const auto v = files::toBool(*f))
        target = *v;
    else
        fail();
}

void FieldReader::colour(std::uint32_t& target) {
    const auto* f = next();
    if (!f) return;
    const auto v = files::toInteger(*f);
    if (v && *v >= 0 && *v <= 0xFFFFFF)
        target = static_cast<std::uint32_t>(*v);
    else
        fail();
}

void FieldReader::skip() {
    (void)next();
}

files::RecordReader openRecordFile(const std::filesystem::path& path, FileResult& result) {
    auto reader = files::RecordReader::fromFile(path);
    result.fail(reader.error());
    return reader;
}

} // namespace velmora::state
