#pragma once
// Starting the program when the user logs in. On Linux this is an XDG autostart entry:
// $XDG_CONFIG_HOME/autostart/<program title>.desktop whose Exec line starts the program file.
//
// Thread: UI thread.

#include <filesystem>
#include <string>

namespace velmora {

class AutoStart {
  public:
    virtual ~AutoStart() = default;
    /// Adds (or refreshes) the entry; false when it could not be written.
    virtual bool enable() = 0;
    /// Removes the entry; true when no entry is left.
    virtual bool disable() = 0;
    [[nodiscard]] virtual bool isEnabled() const = 0;
};

class XdgAutoStart final : public AutoStart {
  public:
    /// autostartFolder: usually defaultFolder(); title names the entry; program is the
    /// absolute path of the program file.
    XdgAutoStart(std::filesystem::path autostartFolder, std::string title,
                 std::filesystem::path program);

    /// $XDG_CONFIG_HOME/autostart (or ~/.config/autostart).
    [[nodiscard]] static std::filesystem::path defaultFolder();

    bool enable() override;
    bool disable() override;
    /// True when the entry exists and is not switched off by "Hidden=true" (the desktop's
    /// own way of turning an entry off).
    [[nodiscard]] bool isEnabled() const override;

    [[nodiscard]] std::filesystem::path entryPath() const;
    /// The whole entry as written (for tests and diagnostics).
    [[nodiscard]] std::string entryText() const;

  private:
    std::filesystem::path m_folder;
    std::string m_title;
    std::filesystem::path m_program;
};

/// Quotes a program path for a desktop entry's Exec key: inside double quotes, with ", `,
/// $ and \ escaped, and % doubled (a lone % would be read as a field code).
[[nodiscard]] std::string desktopExecQuote(const std::string& path);

} // namespace velmora
