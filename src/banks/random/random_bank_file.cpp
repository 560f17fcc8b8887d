#include "random_bank_file.h"

#include "core/files/text_record.h"

#include <algorithm>

namespace velmora {
namespace {

RandomBankFileResult parseFields(const files::RecordReader& reader) {
    RandomBankFileResult r;
    r.problem.fail(reader.error());
    if (!r.ok()) return r;
    const auto& fields = reader.fields();
    r.problem.fieldsFound = fields.size();
    if (fields.size() < kRandomSliderCount) {
        r.problem.fail(FileError::TooShort, fields.size() + 1);
        return r;
    }
    std::array<long long, kRandomSliderCount + 1> slider{};
    for (int n = 1; n <= kRandomSliderCount; ++n) {
        const auto v = files::toRoundedInteger(fields[n - 1]);
        if (!v) {
            r.problem.fail(FileError::NotANumber, static_cast<std::size_t>(n));
            return r;
        }
        slider[n] = *v;
    }
    for (int s = 1; s <= kRandomSlotCount; ++s) {
        // Slot 23 sits on slider 39, but the program has always restored it from field 40.
        const int volumeField = s == 23 ? 40 : volumeSliderOf(s);
        r.values.volume[s - 1] = clampSlider(slider[volumeField]);
        r.values.frequency[s - 1] = clampSlider(slider[frequencySliderOf(s)]);
    }
    r.values.slider19 = static_cast<int>(std::clamp<long long>(slider[19], -1000000, 1000000));
    r.values.slider20 = static_cast<int>(std::clamp<long long>(slider[20], -1000000, 1000000));
    return r;
}

} // namespace

RandomBankFileResult parseRandomBankFile(std::string_view bytes) {
    return parseFields(files::RecordReader(bytes));
}

RandomBankFileResult readRandomBankFile(const std::filesystem::path& path) {
    return parseFields(files::RecordReader::fromFile(path));
}

std::string formatRandomBankFile(const RandomBankValues& values) {
    std::array<int, kRandomSliderCount + 1> slider{};
    for (int s = 1; s <= kRandomSlotCount; ++s) {
        slider[volumeSliderOf(s)] = values.volume[s - 1];
        slider[frequencySliderOf(s)] = values.frequency[s - 1];
    }
    slider[19] = values.slider19;
    slider[20] = values.slider20;
    slider[40] = slider[39];
    slider[41] = slider[39];
    files::RecordWriter w;
    for (int n = 1; n <= kRandomSliderCount; ++n)
        w.integer(slider[n]);
    w.endRecord();
    return w.bytes();
}

} // namespace velmora
