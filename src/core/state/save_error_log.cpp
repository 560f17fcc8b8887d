#include "save_error_log.h"

#include "core/files/text_record.h"

#include <cstdio>
#include <fstream>
#include <system_error>

#include <unistd.h>

namespace velmora::state {

namespace fs = std::filesystem;

fs::path SaveErrorLog::file() const {
    return m_folder.empty() ? fs::path() : m_folder / kSaveErrorFile;
}

void SaveErrorLog::record(const std::string& line) const {
    std::fprintf(stderr, "velmora: %s\n", line.c_str());
    if (m_folder.empty()) return;
    std::error_code ec;
    fs::create_directories(m_folder, ec);
    (void)replaceFileAtomically(file(), line + "\n");
}

void SaveErrorLog::clear() const {
    if (m_folder.empty()) return;
    std::error_code ec;
    fs::remove(file(), ec);
}

bool canWriteIn(const fs::path& folder) {
    const auto probe = folder / (".velmora-write-test-" + std::to_string(::getpid()));
    bool ok = false;
    {
        std::ofstream out(probe, std::ios::binary | std::ios::trunc);
        ok = out.good();
    }
    std::error_code ec;
    fs::remove(probe, ec);
    return ok;
}

} // namespace velmora::state
