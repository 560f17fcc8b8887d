#include "bank_file_fields.h"

#include <algorithm>
#include <limits>

namespace velmora {
namespace {
BankFileFields fromReader(const files::RecordReader& reader, std::size_t expectedCount) {
    BankFileFields out;
    out.problem.fail(reader.error());
    if (!out.problem.ok()) return out;
    out.problem.fieldsFound = reader.size();
    if (reader.size() < expectedCount) {
        out.problem.fail(FileError::TooShort, reader.size() + 1);
        return out;
    }
    // Fields past the layout are ignored, as a reader taking its fields in order would.
    out.fields.assign(reader.fields().begin(),
                      reader.fields().begin() + static_cast<std::ptrdiff_t>(expectedCount));
    return out;
}
} // namespace

BankFileFields readBankFileFields(const std::filesystem::path& path, std::size_t expectedCount) {
    return fromReader(files::RecordReader::fromFile(path), expectedCount);
}

BankFileFields parseBankFileFields(std::string_view bytes, std::size_t expectedCount) {
    return fromReader(files::RecordReader(bytes), expectedCount);
}

std::int64_t FieldCursor::raw(std::size_t position) {
    if (position == 0 || position > m_fields.size()) {
        m_problem.fail(FileError::TooShort, position);
        return 0;
    }
    const auto& f = m_fields[position - 1];
    if (f.text.empty()) return 0;
    if (auto v = files::toRoundedInteger(f)) return *v;
    // A number too large for any control is still a number: it is limited, not refused.
    if (auto d = files::toDouble(f))
        return *d < 0 ? std::numeric_limits<std::int64_t>::min()
                      : std::numeric_limits<std::int64_t>::max();
    m_problem.fail(FileError::NotANumber, position);
    return 0;
}

int FieldCursor::number(std::size_t position, int lo, int hi) {
    return static_cast<int>(std::clamp<std::int64_t>(raw(position), lo, hi));
}

bool FieldCursor::flag(std::size_t position) {
    return raw(position) != 0;
}

std::string FieldCursor::text(std::size_t position) const {
    if (position == 0 || position > m_fields.size()) return {};
    return m_fields[position - 1].text;
}

} // namespace velmora
