#pragma once
// remote.tmp: one line of three quoted texts, the slideshow's picture folder, the folder the
// slideshow chooser last showed and the "Change Every" minutes. Read when the remote is
// made, written when it closes. Damaged values read as their defaults.
//
// Thread: any.

#include "platform/file_result.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace velmora::remote {

inline constexpr const char* kRemoteStateFile = "\\remote.tmp";
inline constexpr const char* kDefaultChangeEvery = "1";

struct RemoteState {
    std::string slideshowFolder; ///< empty: the default slideshow
    std::string chooserFolder;
    std::string changeEvery = kDefaultChangeEvery; ///< whole minutes, 0..999
    friend bool operator==(const RemoteState&, const RemoteState&) = default;
};

[[nodiscard]] FileResult readRemoteState(const std::filesystem::path& path, RemoteState& state);
[[nodiscard]] FileResult parseRemoteState(std::string_view bytes, RemoteState& state);
[[nodiscard]] std::string remoteStateBytes(const RemoteState& state);
[[nodiscard]] FileResult writeRemoteState(const std::filesystem::path& path,
                                          const RemoteState& state);

} // namespace velmora::remote
