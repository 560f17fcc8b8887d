// A scenario's main-window member (NAME6.scs) and a preset list (.pst) from arbitrary bytes:
// never a crash; a member that reads whole writes a file that reads back to the same bytes;
// a list is fourteen captions or nothing, never an empty caption, and round-trips.
#include "scenarios/main_member.h"
#include "scenarios/preset_list.h"

#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmora::scenarios;
    const auto bytes = velmora::fuzz::asText(data, size);
    MainMember member;
    if (parseMainMember(bytes, member).ok()) {
        const auto written = mainMemberBytes(member);
        MainMember again;
        velmora::fuzz::require(parseMainMember(written, again).ok() &&
                               mainMemberBytes(again) == written);
    }

    if (const auto captions = parsePresetList(bytes)) {
        for (const auto& caption : *captions)
            velmora::fuzz::require(!caption.empty());
        velmora::fuzz::require(parsePresetList(presetListBytes(*captions)) == captions);
    }
    return 0;
}
