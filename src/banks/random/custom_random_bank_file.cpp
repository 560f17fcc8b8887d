#include "custom_random_bank_file.h"

#include "core/files/text_record.h"

#include <algorithm>

namespace velmora {
namespace {

constexpr int kFirstFileItem = 62;
constexpr int kFirstCaptionItem = 90;

CustomRandomBankFileResult parseFields(const files::RecordReader& reader) {
    CustomRandomBankFileResult r;
    r.problem.fail(reader.error());
    if (!r.ok()) return r;
    const auto& fields = reader.fields();
    r.problem.fieldsFound = fields.size();
    if (fields.size() < kCustomItemCount) {
        r.problem.fail(FileError::TooShort, fields.size() + 1);
        return r;
    }
    for (int n = 1; n <= kRandomSliderCount; ++n) {
        const auto v = files::toRoundedInteger(fields[n - 1]);
        if (!v) {
            r.problem.fail(FileError::NotANumber, static_cast<std::size_t>(n));
            return r;
        }
        const bool slotSlider = sliderUse(n).kind != SliderUse::Copy;
        r.values.sliders[n - 1] =
            slotSlider ? clampSlider(*v)
                       : static_cast<int>(std::clamp<std::int64_t>(*v, -1000000, 1000000));
    }
    // Item 61 never carried a setting; whatever is there is skipped.
    for (int s = 0; s < kRandomSlotCount; ++s)
        r.values.files[s] = fields[kFirstFileItem - 1 + s].text;
    for (int c = 0; c < kCustomCaptionCount; ++c)
        r.values.captions[c] = fields[kFirstCaptionItem - 1 + c].text;
    return r;
}

} // namespace

CustomRandomBankFileResult parseCustomRandomBankFile(std::string_view bytes) {
    return parseFields(files::RecordReader(bytes));
}

CustomRandomBankFileResult readCustomRandomBankFile(const std::filesystem::path& path) {
    return parseFields(files::RecordReader::fromFile(path));
}

std::string formatCustomRandomBankFile(const CustomRandomBankValues& values) {
    files::RecordWriter w;
    for (int v : values.sliders)
        w.integer(v);
    w.boolean(false);
    for (const auto& f : values.files)
        w.text(f);
    for (const auto& c : values.captions)
        w.text(c);
    w.endRecord();
    return w.bytes();
}

} // namespace velmora
