#pragma once
// frmList, the MP3 player's playlist window: the entries, and the add ("+": File, Dir) and
// remove ("-": Sel, All) commands, load and save. A list of a hundred thousand entries is
// shown through a model, never copied into widgets.
//
// Thread: UI thread.

#include "core/color_scheme.h"
#include "music/mp3_player.h"

#include <QWidget>

#include <functional>
#include <vector>

class QListView;

namespace velmora {

class PlaylistModel;

class PlaylistView : public QWidget {
    Q_OBJECT
  public:
    /// showAddFolder: opens Formmp3adddir ("Dir").
    PlaylistView(music::Mp3Player& player, std::function<void()> showAddFolder,
                 QWidget* parent = nullptr);
    ~PlaylistView() override;
    void applyColors(const ColorScheme& scheme);

  private:
    void redraw();

    music::Mp3Player& m_player;
    PlaylistModel* m_model;
    QListView* m_list;
    QWidget* m_addRow;
    QWidget* m_removeRow;
    std::vector<Connection> m_connections;
};

} // namespace velmora
