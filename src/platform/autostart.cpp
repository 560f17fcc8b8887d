#include "autostart.h"

#include "ascii_case.h"
#include "atomic_file.h"
#include "ini_document.h"

#include <cstdlib>

namespace velmora {
namespace fs = std::filesystem;

namespace {
constexpr const char* kEntrySection = "Desktop Entry";

std::string fileSafe(std::string name) {
    for (auto& c : name)
        if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20) c = '_';
    return name.empty() ? std::string("program") : name;
}
} // namespace

std::string desktopExecQuote(const std::string& path) {
    std::string out = "\"";
    for (char c : path) {
        if (c == '\\') {
            // The entry's string escaping halves backslashes before the Exec quoting rules
            // see them: a literal backslash takes four, an escaped character two.
            out += "\\\\\\\\";
        } else if (c == '"' || c == '`' || c == '$') {
            out += "\\\\";
            out += c;
        } else if (c == '%') {
            out += "%%";
        } else {
            out += c;
        }
    }
    return out + "\"";
}

XdgAutoStart::XdgAutoStart(fs::path autostartFolder, std::string title, fs::path program)
    : m_folder(std::move(autostartFolder)), m_title(std::move(title)),
      m_program(std::move(program)) {}

fs::path XdgAutoStart::defaultFolder() {
    if (const char* x = std::getenv("XDG_CONFIG_HOME"); x && *x == '/')
        return fs::path(x) / "autostart";
    if (const char* h = std::getenv("HOME"); h && *h) return fs::path(h) / ".config" / "autostart";
    return fs::temp_directory_path() / "autostart";
}

fs::path XdgAutoStart::entryPath() const {
    return m_folder / (fileSafe(m_title) + ".desktop");
}

std::string XdgAutoStart::entryText() const {
    std::string t = "[Desktop Entry]\r\n";
    t += "Type=Application\r\n";
    t += "Name=" + m_title + "\r\n";
    t += "Exec=" + desktopExecQuote(m_program.string()) + "\r\n";
    t += "Path=" + m_program.parent_path().string() + "\r\n";
    t += "Terminal=false\r\n";
    t += "X-GNOME-Autostart-enabled=true\r\n";
    return t;
}

bool XdgAutoStart::enable() {
    std::error_code ec;
    fs::create_directories(m_folder, ec);
    return replaceFileAtomically(entryPath(), entryText()).ok();
}

bool XdgAutoStart::disable() {
    std::error_code ec;
    fs::remove(entryPath(), ec);
    return !fs::exists(entryPath(), ec);
}

bool XdgAutoStart::isEnabled() const {
    std::string bytes;
    if (!readWholeFile(entryPath(), bytes, 64 * 1024).ok()) return false;
    const auto doc = IniDocument::parse(bytes);
    const auto hidden = doc.value(kEntrySection, "Hidden");
    return !(hidden && equalsIgnoringCase(*hidden, "true"));
}

} // namespace velmora
