#pragma once
// frmDemo, the colour-scheme editor: the scheme files of the scheme folder in a list, one
// scheme being edited colour by colour, the LCD backlight choice, and the commands that
// save, delete, reset and apply schemes. Applying hands the scheme to every window through
// the one routine given by setApplyAll; the scenarios load and save the scheme through
// doload and dosave.
//
// Thread: UI thread.

#include "core/color_scheme.h"
#include "core/services.h"
#include "core/signal.h"
#include "platform/file_result.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace velmora::appearance {

/// What the scheme box shows after a delete.
inline constexpr const char* kNoSchemeSelected = "No Preset Selected";
inline constexpr const char* kDefaultScheme = "Default";

class SchemeEditor {
  public:
    explicit SchemeEditor(Services& services);

    /// The routine that gives a scheme to every window (the main window's docolors).
    void setApplyAll(std::function<void(const ColorScheme&)> applyAll) {
        m_applyAll = std::move(applyAll);
    }

    // --- lifecycle ---
    /// Editor load: starts from the scheme the windows show, lists the scheme folder and
    /// restores colors.tmp (backlight, LCD colours, line and active colours, scheme name).
    void load(const ColorScheme& current);
    /// Editor activation: keeps the scheme as it is now in previous.tmp.
    void activate();
    /// Editor unload: writes colors.tmp with the scheme last applied. False when it could not
    /// be written.
    bool unload();

    // --- what the view shows ---
    [[nodiscard]] const ColorScheme& scheme() const { return m_scheme; }
    [[nodiscard]] const std::vector<std::string>& names() const { return m_names; }
    /// The scheme box's text: a scheme name, kNoSchemeSelected or empty.
    [[nodiscard]] const std::string& schemeBox() const { return m_box; }
    /// The list entry the box names; -1 for none.
    [[nodiscard]] int selectedIndex() const;
    [[nodiscard]] bool customLcd() const;
    [[nodiscard]] bool advanced() const { return m_advanced; }

    // --- commands ---
    /// Chooses a scheme of the list by name; a missing file changes nothing, a damaged one
    /// is refused whole with a message.
    void choose(const std::string& name);
    void previous();
    void next();
    void save();
    void saveAs();
    void remove();
    void restoreDefault();
    void restorePrevious();
    void apply();
    void setBacklight(int choice);
    /// The picker returned colour (0xBBGGRR) for element 1..15.
    void setElement(int element, std::uint32_t colour);
    void toggleAdvanced();

    // --- the scenarios' member files ---
    /// Reads a scheme file and, when it is whole, applies it everywhere. A damaged or missing
    /// file changes nothing; the caller owns the message.
    [[nodiscard]] FileResult doload(const std::filesystem::path& path);
    /// Writes the scheme the windows show.
    [[nodiscard]] FileResult dosave(const std::filesystem::path& path) const;

    /// The scheme, the list, the box or the advanced part changed: the view redraws.
    Signal<> changed;

  private:
    [[nodiscard]] std::filesystem::path folder() const;
    [[nodiscard]] std::filesystem::path fileOf(const std::string& name) const;
    void refreshList();
    /// Writes the scheme under name; says so when it cannot.
    bool write(const std::string& name);

    Services& m_s;
    std::function<void(const ColorScheme&)> m_applyAll;
    ColorScheme m_scheme;
    ColorScheme m_applied; ///< what the windows show
    std::vector<std::string> m_names;
    std::string m_box;
    bool m_advanced = false;
};

} // namespace velmora::appearance
