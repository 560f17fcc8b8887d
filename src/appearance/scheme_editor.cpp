#include "scheme_editor.h"

#include "color_elements.h"
#include "lcd_backlights.h"
#include "platform/ascii_case.h"
#include "scheme_file.h"
#include "scheme_names.h"

#include <algorithm>
#include <system_error>

namespace velmora::appearance {

namespace {
constexpr const char* kTitle = "Color Schemes";
constexpr const char* kNoSelectionToSave =
    "There is no scheme selected. Please use the 'save as' option";
constexpr const char* kNoSelectionToDelete =
    "There is no scheme selected. Choose the scheme to delete from the list first.";
constexpr const char* kNamePrompt = "Please type a name to identify this color scheme";
constexpr const char* kBadName =
    "A color scheme name cannot be empty and cannot contain \"/\", \"\\\", \"..\" or control "
    "characters. Nothing was saved.";
constexpr const char* kNotSaved = "Not saved";

std::string damagedText(const std::string& what) {
    return "The color scheme " + what +
           " is damaged or incomplete and was not loaded. The current colors are unchanged.";
}
} // namespace

SchemeEditor::SchemeEditor(Services& services) : m_s(services) {}

std::filesystem::path SchemeEditor::folder() const {
    return m_s.folder.resolve(kSchemeFolder);
}

std::filesystem::path SchemeEditor::fileOf(const std::string& name) const {
    return m_s.folder.resolve(std::string(kSchemeFolder) + "\\" + name + kSchemeExtension);
}

void SchemeEditor::load(const ColorScheme& current) {
    m_scheme = current;
    refreshList();
    EditorState state = editorStateOf(m_scheme, m_box);
    if (readEditorState(m_s.folder.resolve(kEditorStateFile), state).ok()) {
        m_scheme = withEditorState(m_scheme, state);
        m_box = state.schemeName;
    }
    m_applied = m_scheme;
    changed();
}

void SchemeEditor::activate() {
    // The undo point of this visit; losing it costs nothing the user made.
    (void)writeSchemeFile(m_s.folder.resolve(kPreviousSchemeFile), m_scheme);
}

bool SchemeEditor::unload() {
    // What the windows show, not edits never applied: the next run starts as this one ends.
    return writeEditorState(m_s.folder.resolve(kEditorStateFile), editorStateOf(m_applied, m_box))
        .ok();
}

void SchemeEditor::refreshList() {
    m_names.clear();
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder(), ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string file = it->path().filename().string();
        if (file.size() > 4 && endsWithIgnoringCase(file, kSchemeExtension) &&
            it->is_regular_file(ec))
            m_names.push_back(file.substr(0, file.size() - 4));
    }
    std::sort(m_names.begin(), m_names.end(),
              [](const std::string& a, const std::string& b) { return lessIgnoringCase(a, b); });
}

int SchemeEditor::selectedIndex() const {
    const auto it = std::find(m_names.begin(), m_names.end(), m_box);
    return it == m_names.end() ? -1 : static_cast<int>(it - m_names.begin());
}

bool SchemeEditor::customLcd() const {
    return m_scheme.lcdBacklight == kCustomBacklight;
}

void SchemeEditor::choose(const std::string& name) {
    const auto path = fileOf(name);
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return;
    ColorScheme read = m_scheme;
    if (!readSchemeFile(path, read).ok()) {
        m_s.dialogs.message(damagedText("\"" + name + "\""), MessageIcon::Warning, kTitle);
        return;
    }
    m_scheme = read;
    m_box = name;
    changed();
}

void SchemeEditor::previous() {
    const int i = selectedIndex();
    if (i <= 0) return;
    choose(m_names[static_cast<std::size_t>(i - 1)]);
}

void SchemeEditor::next() {
    if (m_names.empty()) return;
    const int i = selectedIndex();
    const std::size_t to =
        (i < 0 || i + 1 >= static_cast<int>(m_names.size())) ? 0 : static_cast<std::size_t>(i + 1);
    choose(m_names[to]);
}

bool SchemeEditor::write(const std::string& name) {
    std::error_code ec;
    std::filesystem::create_directories(folder(), ec);
    if (writeSchemeFile(fileOf(name), m_scheme).ok()) return true;
    m_s.dialogs.message("The color scheme \"" + name + "\" could not be saved in " +
                            folder().string() + ".",
                        MessageIcon::Warning, kTitle);
    return false;
}

void SchemeEditor::save() {
    if (selectedIndex() < 0) {
        m_s.dialogs.message(kNoSelectionToSave, MessageIcon::Information, kTitle);
        return;
    }
    if (!m_s.dialogs.question("This will overwrite the color profile - " + m_box + ". Continue?",
                              kTitle))
        return;
    (void)write(m_box);
}

void SchemeEditor::saveAs() {
    const auto typed = m_s.dialogs.inputBox(kNamePrompt, kTitle);
    if (!typed) return;
    const auto name = usableSchemeName(*typed);
    if (!name) {
        m_s.dialogs.message(kBadName, MessageIcon::Warning, kTitle);
        return;
    }
    std::error_code ec;
    if (std::filesystem::exists(fileOf(*name), ec) &&
        !m_s.dialogs.question("A preset already exists with this name. Overwrite?", kTitle)) {
        m_s.dialogs.message(kNotSaved, MessageIcon::Information, kTitle);
        return;
    }
    if (!write(*name)) return;
    refreshList();
    // The list may spell an existing file differently; the box names the file written.
    const auto it = std::find_if(m_names.begin(), m_names.end(), [&](const std::string& n) {
        return equalsIgnoringCase(n, *name);
    });
    m_box = it != m_names.end() ? *it : *name;
    changed();
}

void SchemeEditor::remove() {
    if (selectedIndex() < 0) {
        m_s.dialogs.message(kNoSelectionToDelete, MessageIcon::Information, kTitle);
        return;
    }
    if (!m_s.dialogs.question("This will delete the preset - " + m_box + ". Continue?", kTitle))
        return;
    std::error_code ec;
    if (!std::filesystem::remove(fileOf(m_box), ec) || ec) {
        m_s.dialogs.message("The color scheme \"" + m_box + "\" could not be deleted.",
                            MessageIcon::Warning, kTitle);
        return;
    }
    refreshList();
    m_box = kNoSchemeSelected;
    changed();
}

void SchemeEditor::restoreDefault() {
    if (!m_s.dialogs.question("This will restore the default color scheme. Continue?", kTitle))
        return;
    choose(kDefaultScheme);
}

void SchemeEditor::restorePrevious() {
    ColorScheme read = m_scheme;
    const FileResult r = readSchemeFile(m_s.folder.resolve(kPreviousSchemeFile), read);
    if (r.missing()) return;
    if (!r.ok()) {
        m_s.dialogs.message(damagedText("kept when this window was last opened"),
                            MessageIcon::Warning, kTitle);
        return;
    }
    m_scheme = read;
    changed();
}

void SchemeEditor::apply() {
    m_applied = m_scheme;
    if (m_applyAll) m_applyAll(m_scheme);
}

void SchemeEditor::setBacklight(int choice) {
    if (choice < 0 || choice >= kBacklightCount || choice == m_scheme.lcdBacklight) return;
    m_scheme.lcdBacklight = choice;
    changed();
}

void SchemeEditor::setElement(int element, std::uint32_t colour) {
    if (setElementColour(m_scheme, element, colour)) changed();
}

void SchemeEditor::toggleAdvanced() {
    m_advanced = !m_advanced;
    changed();
}

FileResult SchemeEditor::doload(const std::filesystem::path& path) {
    ColorScheme read = m_scheme;
    const FileResult r = readSchemeFile(path, read);
    if (!r.ok()) return r;
    m_scheme = read;
    changed();
    apply();
    return r;
}

FileResult SchemeEditor::dosave(const std::filesystem::path& path) const {
    return writeSchemeFile(path, m_applied);
}

} // namespace velmora::appearance
