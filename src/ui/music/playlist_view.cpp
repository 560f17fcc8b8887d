#include "ui/music/playlist_view.h"

#include "ui/widgets/command_button.h"
#include "ui/widgets/scheme_style.h"

#include <QAbstractListModel>
#include <QHBoxLayout>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {

/// The playlist's names as rows; reset whenever the list changes.
class PlaylistModel : public QAbstractListModel {
  public:
    PlaylistModel(const music::Mp3Player& player, QObject* parent)
        : QAbstractListModel(parent), m_player(player), m_list(player.playlist()) {}
    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : m_list.count();
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= m_list.count()) return {};
        if (role == Qt::DisplayRole) return QString::fromStdString(m_list.at(index.row()).name);
        if (role == Qt::ToolTipRole) return QString::fromStdString(m_list.at(index.row()).path);
        return {};
    }
    /// Rebuilds the rows when the entries changed (a changed selection alone keeps them).
    void refresh() {
        if (m_shown == m_player.playlistVersion()) return;
        beginResetModel();
        m_shown = m_player.playlistVersion();
        endResetModel();
    }

  private:
    const music::Mp3Player& m_player;
    const music::Playlist& m_list;
    int m_shown = -1;
};

PlaylistView::PlaylistView(music::Mp3Player& player, std::function<void()> showAddFolder,
                           QWidget* parent)
    : QWidget(parent, Qt::Window), m_player(player) {
    setObjectName("frmList");
    setWindowTitle(tr("Playlist"));

    m_model = new PlaylistModel(player, this);
    m_list = new QListView(this);
    m_list->setObjectName("List1");
    m_list->setModel(m_model);
    m_list->setUniformItemSizes(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setMinimumSize(280, 300);
    connect(m_list, &QListView::clicked, this,
            [this](const QModelIndex& i) { m_player.select(i.row()); });
    connect(m_list, &QListView::doubleClicked, this,
            [this](const QModelIndex& i) { m_player.playEntry(i.row()); });

    auto row = [this](std::initializer_list<QPushButton*> buttons) {
        auto* w = new QWidget(this);
        auto* l = new QHBoxLayout(w);
        l->setContentsMargins(0, 0, 0, 0);
        for (QPushButton* b : buttons) {
            b->setParent(w);
            l->addWidget(b);
        }
        return w;
    };
    auto button = [this](const char* name, const QString& caption, const QString& tip,
                         auto action) {
        QPushButton* b = makeCommandButton(this, name, caption, tip);
        connect(b, &QPushButton::clicked, this, action);
        return b;
    };
    QPushButton* plus = button("cmdplus", tr("+"), tr("Add files"), [this] {
        m_addRow->setVisible(!m_addRow->isVisible());
        m_removeRow->hide();
    });
    QPushButton* minus = button("cmdminus", tr("-"), tr("Remove files"), [this] {
        m_removeRow->setVisible(!m_removeRow->isVisible());
        m_addRow->hide();
    });
    QPushButton* load =
        button("cmdload", tr("Loa"), tr("Load a playlist"), [this] { m_player.loadPlaylist(); });
    QPushButton* save =
        button("cmdsave", tr("Sav"), tr("Save the playlist"), [this] { m_player.savePlaylist(); });
    m_addRow =
        row({button("cmdfile", tr("File"), tr("Add one file"), [this] { m_player.addFile(); }),
             button("cmddir", tr("Dir"), tr("Add the music of a folder"),
                    [show = std::move(showAddFolder)] { show(); })});
    m_removeRow = row(
        {button("cmdsel", tr("Sel"), tr("Remove the selected file"),
                [this] { m_player.removeSelected(); }),
         button("cmdall", tr("All"), tr("Remove every file"), [this] { m_player.removeAll(); })});
    m_addRow->hide();
    m_removeRow->hide();

    auto* commands = new QHBoxLayout;
    for (QPushButton* b : {plus, minus, load, save})
        commands->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(commands);
    layout->addWidget(m_addRow);
    layout->addWidget(m_removeRow);

    m_connections.push_back(m_player.changed.connect([this] { redraw(); }));
    redraw();
}

PlaylistView::~PlaylistView() = default;

void PlaylistView::applyColors(const ColorScheme& scheme) {
    applyScheme(this, scheme);
}

void PlaylistView::redraw() {
    m_model->refresh();
    const int selected = m_player.playlist().selected();
    if (selected == music::Playlist::kNone) {
        m_list->clearSelection();
        return;
    }
    const QModelIndex index = m_model->index(selected);
    m_list->setCurrentIndex(index);
    m_list->scrollTo(index);
}

} // namespace velmora
