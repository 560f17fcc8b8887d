#include "core/files/text_record.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    velmora::files::RecordReader reader(bytes);
    while (!reader.atEnd()) {
        (void)reader.nextInteger();
        (void)reader.nextBool();
        (void)reader.nextText();
    }
    (void)velmora::files::splitLines(bytes);
    return 0;
}
