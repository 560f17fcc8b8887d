#pragma once
// The colour-scheme files: a scheme file (NAME.clr, and previous.tmp in the same layout) of
// 16 fields, and colors.tmp, the editor's state between runs, of 8 fields. Colours stay
// colour numbers in the stored 0xBBGGRR order.
//
// Reading is all or nothing: a file that is short, holds a value that does not convert or a
// colour out of range leaves the target exactly as it was, so no window ever shows half of
// a damaged scheme.
//
// Thread: any (pure functions over files).

#include "core/color_scheme.h"
#include "platform/file_result.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace velmora::appearance {

inline constexpr std::size_t kSchemeFileFields = 16;
inline constexpr std::size_t kEditorStateFields = 8;
inline constexpr const char* kSchemeFolder = "\\config\\colors";
inline constexpr const char* kSchemeExtension = ".clr";
inline constexpr const char* kPreviousSchemeFile = "\\config\\colors\\previous.tmp";
inline constexpr const char* kEditorStateFile = "\\colors.tmp";

[[nodiscard]] FileResult parseSchemeFile(std::string_view bytes, ColorScheme& scheme);
[[nodiscard]] std::string schemeFileBytes(const ColorScheme& scheme);
[[nodiscard]] FileResult readSchemeFile(const std::filesystem::path& path, ColorScheme& scheme);
/// Replaces path atomically.
[[nodiscard]] FileResult writeSchemeFile(const std::filesystem::path& path,
                                         const ColorScheme& scheme);

/// What colors.tmp keeps: the LCD part of the scheme, two colours the main window's state
/// does not hold, and the name in the scheme box.
struct EditorState {
    int lcdBacklight = 0;
    std::uint32_t lcdBacklightColor = 0;
    std::uint32_t lcdOn = 0;
    std::uint32_t lcdOff = 0;
    std::uint32_t lcdBlend = 0;
    std::uint32_t lineColor = 0;
    std::uint32_t activeColor = 0;
    std::string schemeName;
    friend bool operator==(const EditorState&, const EditorState&) = default;
};

[[nodiscard]] EditorState editorStateOf(const ColorScheme& scheme, std::string schemeName);
/// scheme with the state's colours and backlight choice put in.
[[nodiscard]] ColorScheme withEditorState(ColorScheme scheme, const EditorState& state);

[[nodiscard]] FileResult parseEditorState(std::string_view bytes, EditorState& state);
[[nodiscard]] std::string editorStateBytes(const EditorState& state);
[[nodiscard]] FileResult readEditorState(const std::filesystem::path& path, EditorState& state);
[[nodiscard]] FileResult writeEditorState(const std::filesystem::path& path,
                                          const EditorState& state);

} // namespace velmora::appearance
