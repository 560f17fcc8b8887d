// main.tmp and main2.tmp from arbitrary bytes: never a crash, colours always in range, and
// whatever was read writes a clean file that reads back to the same bytes.
#include "core/state/main2_state.h"
#include "core/state/main_state.h"

#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmora::state;
    const auto bytes = velmora::fuzz::asText(data, size);
    MainState main;
    (void)parseMainState(bytes, main);
    MainState mainAgain;
    const auto mainBytes = mainStateBytes(main);
    if (!parseMainState(mainBytes, mainAgain).ok() || mainStateBytes(mainAgain) != mainBytes)
        std::abort();

    Main2State main2;
    (void)parseMain2State(bytes, main2);
    for (auto c : main2.colorSlots)
        if (c > 0xFFFFFF) std::abort();
    const auto main2Bytes = main2StateBytes(main2);
    Main2State again;
    if (!parseMain2State(main2Bytes, again).ok() || main2StateBytes(again) != main2Bytes)
        std::abort();
    return 0;
}
