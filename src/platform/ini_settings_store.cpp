#include "ini_settings_store.h"

#include "atomic_file.h"

#include <cstdlib>

namespace velmora {
namespace fs = std::filesystem;

namespace {
// Settings files are a few hundred bytes; anything this large is not ours.
constexpr std::uintmax_t kMaxSettingsFileBytes = 1024 * 1024;

std::string safeFileStem(const std::string& app) {
    std::string out;
    for (char c : app) {
        const auto u = static_cast<unsigned char>(c);
        out += (u < 0x20 || c == '/' || c == '\\') ? '_' : c;
    }
    if (out.empty() || out == "." || out == "..") out = "_" + out;
    return out;
}
} // namespace

IniSettingsStore::IniSettingsStore(fs::path folder) : m_folder(std::move(folder)) {}

fs::path IniSettingsStore::defaultFolder() {
    if (const char* x = std::getenv("XDG_CONFIG_HOME"); x && *x == '/')
        return fs::path(x) / "velmora";
    if (const char* h = std::getenv("HOME"); h && *h) return fs::path(h) / ".config" / "velmora";
    return fs::temp_directory_path() / "velmora-config";
}

fs::path IniSettingsStore::fileFor(const std::string& app) const {
    return m_folder / (safeFileStem(app) + ".ini");
}

IniDocument& IniSettingsStore::document(const std::string& app) const {
    auto it = m_documents.find(app);
    if (it != m_documents.end()) return it->second;
    std::string bytes;
    IniDocument doc;
    const auto read = readWholeFile(fileFor(app), bytes, kMaxSettingsFileBytes);
    if (read.ok())
        doc = IniDocument::parse(bytes);
    else if (!read.missing())
        // Writing our few values over a file we could not read would lose everything else
        // in it; this run keeps its values in memory instead.
        m_unreadable.insert(app);
    return m_documents.emplace(app, std::move(doc)).first->second;
}

std::string IniSettingsStore::read(const std::string& app, const std::string& section,
                                   const std::string& key, const std::string& defaultValue) const {
    return document(app).value(section, key).value_or(defaultValue);
}

void IniSettingsStore::write(const std::string& app, const std::string& section,
                             const std::string& key, const std::string& value) {
    document(app).set(section, key, value);
    save(app);
}

void IniSettingsStore::remove(const std::string& app, const std::string& section,
                              const std::string& key) {
    if (document(app).remove(section, key)) save(app);
}

void IniSettingsStore::save(const std::string& app) {
    if (m_unreadable.count(app)) {
        m_lastWriteOk = false;
        return;
    }
    std::error_code ec;
    fs::create_directories(m_folder, ec);
    m_lastWriteOk = replaceFileAtomically(fileFor(app), document(app).serialize()).ok();
}

} // namespace velmora
