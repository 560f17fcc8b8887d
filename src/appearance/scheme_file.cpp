#include "scheme_file.h"

#include "core/files/text_record.h"
#include "core/state/state_read.h"
#include "lcd_backlights.h"
#include "platform/atomic_file.h"

#include <string>

namespace velmora::appearance {

namespace {
using state::FieldReader;

/// Window colours are kept as decimal texts, LCD colours as bare numbers.
std::string decimal(std::uint32_t colour) {
    return std::to_string(colour);
}

/// The backlight choice is an index into a fixed list: anything else is as unreadable as a
/// colour that is not a number.
void backlight(FieldReader& f, FileResult& result, std::size_t field, int& target) {
    std::int16_t choice = 0;
    f.int16(choice);
    if (result.fieldRead(field) && (choice < 0 || choice >= kBacklightCount))
        result.fail(FileError::NotANumber, field);
    target = choice;
}

FileResult readScheme(files::RecordReader& reader, FileResult result, ColorScheme& out) {
    if (!result.ok()) return result;
    ColorScheme s = out;
    FieldReader f(reader, result, kSchemeFileFields);
    f.colour(s.startGradient);
    f.colour(s.endGradient);
    f.colour(s.activeColor);
    f.colour(s.backColor);
    backlight(f, result, 5, s.lcdBacklight);
    f.colour(s.lcdBacklightColor);
    f.colour(s.lcdOn);
    f.colour(s.lcdOff);
    f.colour(s.lcdBlend);
    f.colour(s.buttonBack);
    f.colour(s.buttonText);
    f.colour(s.textColor);
    f.colour(s.textBoxBackground);
    f.colour(s.textBoxForeground);
    f.colour(s.buttonRollover);
    f.colour(s.lineColor);
    if (result.ok()) out = s;
    return result;
}

FileResult readState(files::RecordReader& reader, FileResult result, EditorState& out) {
    if (!result.ok()) return result;
    EditorState s = out;
    FieldReader f(reader, result, kEditorStateFields);
    backlight(f, result, 1, s.lcdBacklight);
    f.colour(s.lcdBacklightColor);
    f.colour(s.lcdOn);
    f.colour(s.lcdOff);
    f.colour(s.lcdBlend);
    f.colour(s.lineColor);
    f.colour(s.activeColor);
    f.text(s.schemeName);
    if (result.ok()) out = std::move(s);
    return result;
}

template <class T> using LayoutReader = FileResult (*)(files::RecordReader&, FileResult, T&);

template <class T> FileResult parseWith(LayoutReader<T> read, std::string_view bytes, T& out) {
    files::RecordReader reader(bytes);
    return read(reader, FileResult{}, out);
}

template <class T>
FileResult readWith(LayoutReader<T> read, const std::filesystem::path& path, T& out) {
    FileResult result;
    auto reader = state::openRecordFile(path, result);
    return read(reader, result, out);
}
} // namespace

FileResult parseSchemeFile(std::string_view bytes, ColorScheme& scheme) {
    return parseWith(&readScheme, bytes, scheme);
}

std::string schemeFileBytes(const ColorScheme& s) {
    files::RecordWriter w;
    w.text(decimal(s.startGradient))
        .text(decimal(s.endGradient))
        .text(decimal(s.activeColor))
        .text(decimal(s.backColor))
        .integer(s.lcdBacklight)
        .integer(s.lcdBacklightColor)
        .integer(s.lcdOn)
        .integer(s.lcdOff)
        .integer(s.lcdBlend)
        .text(decimal(s.buttonBack))
        .text(decimal(s.buttonText))
        .text(decimal(s.textColor))
        .text(decimal(s.textBoxBackground))
        .text(decimal(s.textBoxForeground))
        .text(decimal(s.buttonRollover))
        .text(decimal(s.lineColor))
        .endRecord();
    return w.bytes();
}

FileResult readSchemeFile(const std::filesystem::path& path, ColorScheme& scheme) {
    return readWith(&readScheme, path, scheme);
}

FileResult writeSchemeFile(const std::filesystem::path& path, const ColorScheme& scheme) {
    return replaceFileAtomically(path, schemeFileBytes(scheme));
}

EditorState editorStateOf(const ColorScheme& s, std::string schemeName) {
    return {s.lcdBacklight, s.lcdBacklightColor, s.lcdOn,       s.lcdOff,
            s.lcdBlend,     s.lineColor,         s.activeColor, std::move(schemeName)};
}

ColorScheme withEditorState(ColorScheme s, const EditorState& e) {
    s.lcdBacklight = e.lcdBacklight;
    s.lcdBacklightColor = e.lcdBacklightColor;
    s.lcdOn = e.lcdOn;
    s.lcdOff = e.lcdOff;
    s.lcdBlend = e.lcdBlend;
    s.lineColor = e.lineColor;
    s.activeColor = e.activeColor;
    return s;
}

FileResult parseEditorState(std::string_view bytes, EditorState& state) {
    return parseWith(&readState, bytes, state);
}

std::string editorStateBytes(const EditorState& s) {
    files::RecordWriter w;
    w.integer(s.lcdBacklight)
        .integer(s.lcdBacklightColor)
        .integer(s.lcdOn)
        .integer(s.lcdOff)
        .integer(s.lcdBlend)
        .text(decimal(s.lineColor))
        .text(decimal(s.activeColor))
        .text(s.schemeName)
        .endRecord();
    return w.bytes();
}

FileResult readEditorState(const std::filesystem::path& path, EditorState& state) {
    return readWith(&readState, path, state);
}

FileResult writeEditorState(const std::filesystem::path& path, const EditorState& state) {
    return replaceFileAtomically(path, editorStateBytes(state));
}

} // namespace velmora::appearance
