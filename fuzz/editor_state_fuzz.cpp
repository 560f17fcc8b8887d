// colors.tmp from arbitrary bytes: read whole or not at all, and what was read survives a
// write and a second read.
#include "appearance/scheme_file.h"
#include "fuzz_check.h"

using velmora::fuzz::asText;
using velmora::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const velmora::appearance::EditorState before{3, 1, 2, 3, 4, 5, 6, "kept"};
    auto state = before;
    if (!velmora::appearance::parseEditorState(asText(data, size), state).ok()) {
        require(state == before);
        return 0;
    }
    velmora::appearance::EditorState again;
    require(
        velmora::appearance::parseEditorState(velmora::appearance::editorStateBytes(state), again)
            .ok());
    require(again == state);
    return 0;
}
