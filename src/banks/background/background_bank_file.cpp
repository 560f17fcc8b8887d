#include "background_bank_file.h"

#include "background_slot.h"

#include <limits>

namespace velmora {
namespace {

constexpr int kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr int kInt32Max = std::numeric_limits<std::int32_t>::max();

// Positions of the layout, 1-based as the file counts them.
constexpr std::size_t volumeAt(int slot) {
    return static_cast<std::size_t>(slot);
} // 1..18
constexpr std::size_t panAt(int slot) {
    return static_cast<std::size_t>(20 + slot);
} // 21..38
constexpr std::size_t rateAt(int slot) {
    return static_cast<std::size_t>(40 + slot);
} // 41..58
constexpr std::size_t onAt(int slot) {
    return static_cast<std::size_t>(58 + slot);
} // 59..76
constexpr std::size_t reservedAt(int i) {
    return static_cast<std::size_t>(77 + i);
} // 77..94
constexpr std::size_t lowAt(int slot) {
    return static_cast<std::size_t>(93 + 2 * slot);
} // 95..
constexpr std::size_t highAt(int slot) {
    return static_cast<std::size_t>(94 + 2 * slot);
} // ..128
constexpr std::size_t kBwavesAt = 19, kMp3At = 39,
                      kRandomAt = 40; // 20, the master copy, is never read

BackgroundBankValues readValues(FieldCursor& in, BackgroundLayout layout) {
    const bool custom = layout == BackgroundLayout::Custom;
    BackgroundBankValues v;
    for (int s = 1; s <= 18; ++s) {
        const auto i = static_cast<std::size_t>(s - 1);
        v.volume[i] = in.number(volumeAt(s), SlotLimits::kVolumeMin, SlotLimits::kVolumeMax);
        // Slot 18's balance is never restored; its rate only by the custom bank.
        if (s <= 17) v.pan[i] = in.number(panAt(s), SlotLimits::kPanMin, SlotLimits::kPanMax);
        if (s <= 17 || custom)
            v.rate[i] = in.number(rateAt(s), SlotLimits::kRateMin, SlotLimits::kRateMax);
        v.on[i] = in.flag(onAt(s));
        v.reserved[i] = in.flag(reservedAt(s - 1));
    }
    for (int s = 1; s <= 17; ++s) {
        const auto i = static_cast<std::size_t>(s - 1);
        v.rangeLowPos[i] = in.number(lowAt(s), SlotLimits::kRangeMin, SlotLimits::kRangeMax);
        v.rangeHighPos[i] = in.number(highAt(s), SlotLimits::kRangeMin, SlotLimits::kRangeMax);
    }
    if (custom) {
        v.bwavesCopy = in.number(kBwavesAt, kInt32Min, kInt32Max);
        v.mp3Copy = in.number(kMp3At, kInt32Min, kInt32Max);
        v.randomCopy = in.number(kRandomAt, kInt32Min, kInt32Max);
    }
    return v;
}

void writeValues(files::RecordWriter& out, const BackgroundBankValues& v) {
    for (int s = 0; s < 18; ++s)
        out.integer(v.volume[s]);
    out.integer(v.bwavesCopy).integer(v.masterCopy);
    for (int s = 0; s < 18; ++s)
        out.integer(v.pan[s]);
    out.integer(v.mp3Copy).integer(v.randomCopy);
    for (int s = 0; s < 18; ++s)
        out.integer(v.rate[s]);
    for (int s = 0; s < 18; ++s)
        out.integer(v.on[s] ? 1 : 0);
    for (int s = 0; s < 18; ++s)
        out.integer(v.reserved[s] ? 1 : 0);
    for (int s = 0; s < 17; ++s)
        out.integer(v.rangeLowPos[s]).integer(v.rangeHighPos[s]);
}

BackgroundBankRead fromFields(const BankFileFields& f) {
    BackgroundBankRead r;
    r.problem = f.problem;
    if (!r.problem.ok()) return r;
    FieldCursor in(f.fields);
    r.values = readValues(in, BackgroundLayout::Numbered);
    r.problem = in.problem();
    return r;
}

CustomBackgroundRead customFromFields(const BankFileFields& f) {
    CustomBackgroundRead r;
    r.problem = f.problem;
    if (!r.problem.ok()) return r;
    FieldCursor in(f.fields);
    r.values.bank = readValues(in, BackgroundLayout::Custom);
    for (std::size_t i = 0; i < 17; ++i) {
        r.values.paths[i] = in.text(129 + i);
        r.values.names[i] = in.text(146 + i);
    }
    r.problem = in.problem();
    return r;
}

} // namespace

BackgroundBankRead readBackgroundBank(const std::filesystem::path& path) {
    return fromFields(readBankFileFields(path, kBackgroundFieldCount));
}

BackgroundBankRead parseBackgroundBank(std::string_view bytes) {
    return fromFields(parseBankFileFields(bytes, kBackgroundFieldCount));
}

CustomBackgroundRead readCustomBackgroundBank(const std::filesystem::path& path) {
    return customFromFields(readBankFileFields(path, kCustomBackgroundFieldCount));
}

CustomBackgroundRead parseCustomBackgroundBank(std::string_view bytes) {
    return customFromFields(parseBankFileFields(bytes, kCustomBackgroundFieldCount));
}

std::string formatBackgroundBank(const BackgroundBankValues& values) {
    files::RecordWriter out;
    writeValues(out, values);
    out.endRecord();
    return out.bytes();
}

std::string formatCustomBackgroundBank(const CustomBackgroundValues& values) {
    files::RecordWriter out;
    writeValues(out, values.bank);
    for (const auto& p : values.paths)
        out.text(p);
    for (const auto& n : values.names)
        out.text(n);
    out.endRecord();
    return out.bytes();
}

} // namespace velmora
