// remote.tmp from arbitrary bytes: every value read is one the remote can use, and what is
// written reads back the same.
#include "remote/remote_state.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    velmora::remote::RemoteState state;
    (void)velmora::remote::parseRemoteState(bytes, state);
    if (state.slideshowFolder.size() > 4096 || state.chooserFolder.size() > 4096) std::abort();
    const int minutes = std::stoi(state.changeEvery);
    if (minutes < 0 || minutes > 999) std::abort();
    velmora::remote::RemoteState again;
    if (!velmora::remote::parseRemoteState(velmora::remote::remoteStateBytes(state), again).ok())
        std::abort();
    if (!(again == state)) std::abort();
    return 0;
}
