#include "core/files/text_record.h"

#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto bytes = velmora::fuzz::asText(data, size);
    velmora::files::RecordReader reader(bytes);
    while (!reader.atEnd()) {
        (void)reader.nextInteger();
        (void)reader.nextBool();
        (void)reader.nextText();
    }
    (void)velmora::files::splitLines(bytes);
    return 0;
}
