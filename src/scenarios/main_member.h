#pragma once
// The main window's member of a scenario (NAME6.scs): one record of twelve fields, the four
// main levels the scenario sets (when the user allows it) and the texts the window keeps
// with a scenario: its information, slideshow and picture names and notes.
//
// Thread: any.

#include "core/levels.h"
#include "platform/file_result.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace velmora::scenarios {

inline constexpr std::size_t kMainMemberFields = 12;

struct MainMember {
    int random = levelRange(Level::Random).initial;         ///< 1: ucSlider1
    int background = levelRange(Level::Background).initial; ///< 2: ucSlider2
    int cd = levelRange(Level::Cd).initial;                 ///< 3: ucSlider4
    int mp3 = levelRange(Level::Mp3).initial;               ///< 4: hscroll2
    std::string text1;                                      ///< 5
    std::string text3Before;   ///< 6: written, read past and dropped on load
    std::string text3;         ///< 7
    std::string information;   ///< 8: Text4
    std::string slideshow;     ///< 9: Label23, the slideshow's folder name
    std::string remotePicture; ///< 10: the remote picture list's selection
    std::string picture;       ///< 11: Label24
    std::string notes;         ///< 12: Text7
    friend bool operator==(const MainMember&, const MainMember&) = default;
};

/// Reads all twelve fields into member. The result is ok() only when every field was there
/// and converted; otherwise member may hold some of them and must not be applied.
[[nodiscard]] FileResult parseMainMember(std::string_view bytes, MainMember& member);
[[nodiscard]] FileResult readMainMember(const std::filesystem::path& path, MainMember& member);
[[nodiscard]] std::string mainMemberBytes(const MainMember& member);

} // namespace velmora::scenarios
