#include "ui/music/add_folder_view.h"

#include "ui/widgets/command_button.h"
#include "ui/widgets/scheme_style.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QStorageInfo>
#include <QTreeView>
#include <QVBoxLayout>

namespace velmora {

AddFolderView::AddFolderView(music::Mp3Player& player, QWidget* parent)
    : QDialog(parent), m_player(player) {
    setObjectName("Formmp3adddir");
    setWindowTitle(tr("Add a Folder"));

    // The drive chooser: the root and every mounted volume a user keeps music on.
    m_drives = new QComboBox(this);
    m_drives->setObjectName("Drive1");
    m_drives->addItem("/");
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        if (volume.isValid() && volume.isReady() && root != "/" &&
            (root.startsWith("/media") || root.startsWith("/mnt") || root.startsWith("/run/media")))
            m_drives->addItem(root);
    }

    m_folders = new QFileSystemModel(this);
    m_folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    m_folders->setRootPath("/");
    m_tree = new QTreeView(this);
    m_tree->setObjectName("Dir1");
    m_tree->setModel(m_folders);
    for (int column = 1; column < m_folders->columnCount(); ++column)
        m_tree->hideColumn(column);
    m_tree->header()->hide();
    m_tree->setMinimumSize(260, 280);

    m_files = new QListWidget(this);
    m_files->setObjectName("File1");
    m_files->setMinimumWidth(220);

    connect(m_drives, &QComboBox::currentTextChanged, this,
            [this](const QString& drive) { showFolder(drive); });
    connect(m_tree, &QTreeView::clicked, this,
            [this](const QModelIndex& i) { showFolder(m_folders->filePath(i)); });

    QPushButton* add = makeCommandButton(this, "cmdadd", tr("add"), tr("Add these files"));
    connect(add, &QPushButton::clicked, this,
            [this] { m_player.addFolder(m_folder.toStdString()); });
    QPushButton* close = makeCommandButton(this, "cmdclose", tr("Close"), {});
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    auto* lists = new QHBoxLayout;
    lists->addWidget(m_tree, 1);
    lists->addWidget(m_files, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(add);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_drives);
    layout->addLayout(lists, 1);
    layout->addLayout(buttons);

    showFolder(QString::fromStdString(m_player.startFolder()));
}

void AddFolderView::applyColors(const ColorScheme& scheme) {
    applyScheme(this, scheme);
}

void AddFolderView::showFolder(const QString& folder) {
    m_folder = folder;
    const QModelIndex index = m_folders->index(folder);
    m_tree->setCurrentIndex(index);
    m_tree->scrollTo(index);
    m_files->clear();
    for (const auto& file : music::musicFilesIn(folder.toStdString()))
        m_files->addItem(QFileInfo(QString::fromStdString(file)).fileName());
}

} // namespace velmora
