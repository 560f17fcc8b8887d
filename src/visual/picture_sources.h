#pragma once
// What the visual views show, kept by the remote: the slideshow's folder and its pictures,
// the picture selected in the remote's list, random or folder order, the "Change Every"
// text, and the panorama's picture. The slideshow and the panorama read it; the remote's
// panels and the folder choosers change it.
//
// Thread: UI thread.

#include "core/signal.h"
#include "platform/dialogs.h"
#include "platform/program_folder.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::visual {

inline constexpr const char* kSlideshowRoot = "\\visual\\slideshow\\";
inline constexpr const char* kDefaultSlideshow = "\\visual\\slideshow\\default";
inline constexpr const char* kPanoramicFolder = "\\visual\\panoramics\\";
inline constexpr const char* kDefaultPanoramic = "default.jpg";
inline constexpr const char* kPanoramicCaption = "Panoramic: ";
inline constexpr const char* kFolderVanished =
    "The slideshow folder could not be found, so the default slideshow is shown instead.";

/// A file the slideshow can show, by its name: JPEG, BMP, PNG or WebP.
[[nodiscard]] bool isPictureName(std::string_view name);
/// The pictures of a folder, sorted without regard to case; empty when it cannot be read.
[[nodiscard]] std::vector<std::string> listPictures(const std::filesystem::path& folder);

class PictureSources {
  public:
    PictureSources(const ProgramFolder& folder, Dialogs& dialogs);
    PictureSources(const PictureSources&) = delete;
    PictureSources& operator=(const PictureSources&) = delete;

    // --- the slideshow folder ---
    /// Lists the folder; a folder that does not exist gives the default one and, once per
    /// run, kFolderVanished. An empty path is the default folder.
    void setFolder(const std::filesystem::path& folder);
    /// Lists the folder again (pictures added or removed since).
    void refresh() { setFolder(m_folder); }
    [[nodiscard]] const std::filesystem::path& folder() const { return m_folder; }
    [[nodiscard]] std::filesystem::path defaultFolder() const;
    [[nodiscard]] const std::vector<std::string>& pictures() const { return m_pictures; }
    [[nodiscard]] int count() const { return static_cast<int>(m_pictures.size()); }
    [[nodiscard]] std::filesystem::path picturePath(int index) const;
    /// -1 when nothing is selected.
    [[nodiscard]] int selected() const { return m_selected; }
    /// Selects entry index (ignored outside the list).
    void select(int index);

    [[nodiscard]] bool randomOrder() const { return m_random; }
    void setRandomOrder(bool on);
    [[nodiscard]] const std::string& changeEvery() const { return m_changeEvery; }
    void setChangeEvery(const std::string& minutes);

    /// The folder the slideshow chooser last showed (kept in remote.tmp).
    [[nodiscard]] const std::string& chooserFolder() const { return m_chooserFolder; }
    void setChooserFolder(const std::string& folder) { m_chooserFolder = folder; }

    // --- the panorama ---
    [[nodiscard]] std::filesystem::path panoramicFolder() const;
    /// The panorama's file name ("default.jpg" for the built-in picture).
    [[nodiscard]] const std::string& panoramicName() const { return m_panoramic; }
    void setPanoramicName(const std::string& name);
    [[nodiscard]] std::filesystem::path panoramicPath() const;
    /// The panoramic label: "Panoramic: " and the file name.
    [[nodiscard]] std::string panoramicCaption() const { return kPanoramicCaption + m_panoramic; }

    /// The folder, its list or the options changed.
    Signal<> changed;
    /// An entry was selected (its index).
    Signal<int> selectionChanged;

  private:
    const ProgramFolder& m_program;
    Dialogs& m_dialogs;
    std::filesystem::path m_folder;
    std::vector<std::string> m_pictures;
    int m_selected = -1;
    bool m_random = false;
    std::string m_changeEvery = "1";
    std::string m_chooserFolder;
    std::string m_panoramic = kDefaultPanoramic;
    bool m_toldVanished = false;
};

/// The slideshow's name as the choosers show it: the path without every occurrence of the
/// program folder's slideshow root. withoutSeparators also drops every remaining separator
/// (the configuration window's short form).
[[nodiscard]] std::string slideshowName(const ProgramFolder& program, const std::string& path,
                                        bool withoutSeparators);

} // namespace velmora::visual
