#pragma once
// Formmp3adddir: choose a drive ("/" and the mounted volumes) and a folder, see its music
// files, and add them all to the playlist.
//
// Thread: UI thread.

#include "core/color_scheme.h"
#include "music/mp3_player.h"

#include <QDialog>

class QComboBox;
class QFileSystemModel;
class QListWidget;
class QTreeView;

namespace velmora {

class AddFolderView : public QDialog {
    Q_OBJECT
  public:
    explicit AddFolderView(music::Mp3Player& player, QWidget* parent = nullptr);
    void applyColors(const ColorScheme& scheme);
    /// The folder whose files are listed.
    [[nodiscard]] QString folder() const { return m_folder; }
    void showFolder(const QString& folder);

  private:
    music::Mp3Player& m_player;
    QComboBox* m_drives;
    QFileSystemModel* m_folders;
    QTreeView* m_tree;
    QListWidget* m_files;
    QString m_folder;
};

} // namespace velmora
