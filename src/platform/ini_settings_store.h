#pragma once
// The per-user settings store on Linux: one INI file per application name in a folder
// ($XDG_CONFIG_HOME/velmora/ for the app). "Velmora" and "velmora" name two applications
// (window positions and the launcher flag), so the file names keep the application's own
// spelling. Every write replaces its file atomically; lines the store does not understand
// are kept. Another process's changes made after the first read are not seen (one
// program instance owns its settings).
//
// Thread: UI thread.

#include "ini_document.h"
#include "settings_store.h"

#include <filesystem>
#include <map>
#include <set>
#include <string>

namespace velmora {

class IniSettingsStore final : public SettingsStore {
  public:
    /// folder: where the files live; created on the first write.
    explicit IniSettingsStore(std::filesystem::path folder);

    /// $XDG_CONFIG_HOME/velmora (or ~/.config/velmora).
    [[nodiscard]] static std::filesystem::path defaultFolder();

    std::string read(const std::string& app, const std::string& section, const std::string& key,
                     const std::string& defaultValue) const override;
    void write(const std::string& app, const std::string& section, const std::string& key,
               const std::string& value) override;
    void remove(const std::string& app, const std::string& section,
                const std::string& key) override;

    /// The file that holds an application's values.
    [[nodiscard]] std::filesystem::path fileFor(const std::string& app) const;
    /// False when the last write could not be saved (the value is still held in memory),
    /// also when the file exists but could not be read, so it is left as it was.
    [[nodiscard]] bool lastWriteSucceeded() const { return m_lastWriteOk; }

  private:
    IniDocument& document(const std::string& app) const;
    void save(const std::string& app);

    std::filesystem::path m_folder;
    mutable std::map<std::string, IniDocument> m_documents; ///< loaded on first use
    /// Applications whose file exists but could not be read: never written over.
    mutable std::set<std::string> m_unreadable;
    bool m_lastWriteOk = true;
};

} // namespace velmora
