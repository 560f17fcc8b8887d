#include "bw_bank_file.h"

#include "background_slot.h"

namespace velmora {
namespace {
constexpr int kBwVolumeMin = 1; // the tone bank's volume sliders stop at 1

BwBankRead fromFields(const BankFileFields& f) {
    BwBankRead r;
    r.problem = f.problem;
    if (!r.problem.ok()) return r;
    FieldCursor in(f.fields);
    for (std::size_t i = 0; i < 16; ++i) {
        r.values.on[i] = in.flag(1 + i);
        r.values.volume[i] = in.number(17 + i, kBwVolumeMin, SlotLimits::kVolumeMax);
        r.values.pan[i] = in.number(37 + i, SlotLimits::kPanMin, SlotLimits::kPanMax);
    }
    r.problem = in.problem();
    return r;
}
} // namespace

BwBankRead readBwBank(const std::filesystem::path& path) {
    return fromFields(readBankFileFields(path, kBwFieldCount));
}

BwBankRead parseBwBank(std::string_view bytes) {
    return fromFields(parseBankFileFields(bytes, kBwFieldCount));
}

std::string formatBwBank(const BwBankValues& v) {
    files::RecordWriter out;
    for (bool on : v.on)
        out.integer(on ? 1 : 0);
    for (int volume : v.volume)
        out.integer(volume);
    out.integer(0).integer(0);
    out.integer(v.randomCopy).integer(v.masterCopy);
    for (int pan : v.pan)
        out.integer(pan);
    out.endRecord();
    return out.bytes();
}

} // namespace velmora
