// opt.tmp and settings.ini from arbitrary bytes.
#include "core/state/options_state.h"
#include "platform/ini_document.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    velmora::state::OptionsState options;
    (void)velmora::state::parseOptionsState(bytes, options);
    (void)velmora::state::leadingNumber(options.inactivityTime);
    velmora::state::OptionsState again;
    const auto written = velmora::state::optionsStateBytes(options);
    if (!velmora::state::parseOptionsState(written, again).ok()) std::abort();

    // A settings file keeps a value set in it, and once written its form is stable (the
    // first write may tidy a damaged file: stray byte-order marks, blank lines).
    auto doc = velmora::IniDocument::parse(bytes);
    doc.set("Startup", "AutoLaunch", "1");
    const auto once = velmora::IniDocument::parse(doc.serialize()).serialize();
    const auto reread = velmora::IniDocument::parse(once);
    if (reread.value("startup", "autolaunch") != std::optional<std::string>("1")) std::abort();
    if (reread.serialize() != once) std::abort();
    return 0;
}
