// opt.tmp and settings.ini from arbitrary bytes.
#include "core/state/options_state.h"
#include "core/state/startup_settings.h"
#include "platform/ini_document.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const auto path = std::filesystem::temp_directory_path() /
                             ("velmora-fuzz-opt-" + std::to_string(::getpid()));
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << bytes;
    }
    velmora::state::OptionsState options;
    (void)velmora::state::readOptionsState(path, options);
    (void)velmora::state::leadingNumber(options.inactivityTime);
    (void)velmora::state::readStartupSetting(path, "Display");

    // A settings file keeps what it held through a change of one value.
    auto doc = velmora::IniDocument::parse(bytes);
    doc.set("Startup", "AutoLaunch", "1");
    const auto once = doc.serialize();
    auto again = velmora::IniDocument::parse(once);
    if (again.value("startup", "autolaunch") != std::optional<std::string>("1")) std::abort();
    if (again.serialize() != once) std::abort();
    return 0;
}
