#pragma once
// The two slideshow folder choosers: folderselect ("Select your preferred slideshow folder
// for this scenario", with a thumbnail of the selected picture) and Formfolderselect
// ("Slideshow Configuration", with the order, the minutes, "Select Folder" and the file
// manager). Both list the pictures of the folder being looked at.
//
// Thread: UI thread.

#include "platform/settings_store.h"
#include "ui/visual/picture_decoder.h"
#include "visual/visual_mode.h"

#include <QDialog>

#include <filesystem>

class QCheckBox;
class QFileSystemModel;
class QLabel;
class QListWidget;
class QSpinBox;
class QTreeView;

namespace velmora {

class SlideshowFolderView : public QDialog {
    Q_OBJECT
  public:
    enum class Kind { FolderSelect, Configuration };

    SlideshowFolderView(Kind kind, visual::VisualMode& visual, SettingsStore& store,
                        QWidget* parent = nullptr);

    /// Opens on the current slideshow folder.
    void open() override;
    /// Looks at folder: its pictures are listed and it becomes the one OK would take.
    void lookAt(const std::filesystem::path& folder);
    [[nodiscard]] QListWidget* pictureList() const { return m_pictures; }
    [[nodiscard]] QLabel* thumbnail() const { return m_thumbnail; }

    /// OK: takes the folder looked at, unless it holds no picture.
    void accept() override;

  protected:
    void done(int result) override;

  private:
    void showThumbnail(int row);

    Kind m_kind;
    visual::VisualMode& m_visual;
    SettingsStore& m_store;
    std::filesystem::path m_folder;
    QFileSystemModel* m_model;
    QTreeView* m_tree;
    QListWidget* m_pictures;
    QLabel* m_thumbnail = nullptr;
    QLabel* m_current = nullptr;
    QCheckBox* m_random = nullptr;
    QSpinBox* m_minutes = nullptr;
    PictureDecoder m_decoder;
    bool m_placed = false;
};

} // namespace velmora
