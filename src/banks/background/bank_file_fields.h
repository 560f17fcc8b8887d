#pragma once
// Reading the numeric one-line bank files: every field is taken in order, checked and limited
// to its control's range before anything is applied, so a bad file either loads whole or
// not at all.
//
// Thread: any.

#include "core/files/text_record.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace velmora {

/// The fields of a whole file, or the read error.
struct BankFileFields {
    std::vector<files::Field> fields;
    FileResult problem;
};
[[nodiscard]] BankFileFields readBankFileFields(const std::filesystem::path& path,
                                                std::size_t expectedCount);
[[nodiscard]] BankFileFields parseBankFileFields(std::string_view bytes, std::size_t expectedCount);

/// Numbers from fields, 1-based, remembering the first problem. An empty field reads as 0
/// (the way the files were always read); text that is not a number is a problem.
class FieldCursor {
  public:
    explicit FieldCursor(const std::vector<files::Field>& fields) : m_fields(fields) {}
    /// The number at `position`, limited to lo..hi.
    [[nodiscard]] int number(std::size_t position, int lo, int hi);
    /// A switch: any non-zero number is on.
    [[nodiscard]] bool flag(std::size_t position);
    /// Text as stored (quotes removed).
    [[nodiscard]] std::string text(std::size_t position) const;
    [[nodiscard]] const FileResult& problem() const { return m_problem; }

  private:
    [[nodiscard]] std::int64_t raw(std::size_t position);
    const std::vector<files::Field>& m_fields;
    FileResult m_problem;
};

} // namespace velmora
