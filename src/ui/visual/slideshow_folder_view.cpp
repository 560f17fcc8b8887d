#include "slideshow_folder_view.h"

#include "core/state/options_state.h"
#include "ui/startup/window_position.h"
#include "ui/widgets/command_button.h"
#include "visual/picture_sources.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTreeView>
#include <QVBoxLayout>

namespace velmora {

namespace {
constexpr QSize kThumbnail(240, 160);
QString qs(const std::string& s) {
    return QString::fromStdString(s);
}
} // namespace

SlideshowFolderView::SlideshowFolderView(Kind kind, visual::VisualMode& visual,
                                         SettingsStore& store, QWidget* parent)
    : QDialog(parent), m_kind(kind), m_visual(visual), m_store(store),
      m_model(new QFileSystemModel(this)), m_tree(new QTreeView(this)),
      m_pictures(new QListWidget(this)) {
    const bool chooser = kind == Kind::FolderSelect;
    setObjectName(chooser ? QStringLiteral("folderselect") : QStringLiteral("Formfolderselect"));
    setWindowTitle(chooser
                       ? QStringLiteral("Select your preferred slideshow folder for this scenario")
                       : QStringLiteral("Slideshow Configuration"));
    auto* root = new QVBoxLayout(this);
    auto* heading = new QLabel(windowTitle(), this);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    root->addWidget(heading);

    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    m_model->setRootPath(QStringLiteral("/"));
    m_tree->setObjectName(QStringLiteral("Dir1"));
    m_tree->setModel(m_model);
    for (int c = 1; c < m_model->columnCount(); ++c)
        m_tree->hideColumn(c);
    m_tree->header()->hide();
    m_tree->setMinimumSize(300, 260);
    // The model reads folders in the background: the folder looked at is only there once
    // its parent has been read.
    connect(m_model, &QFileSystemModel::directoryLoaded, this, [this] {
        const QModelIndex index = m_model->index(QString::fromStdString(m_folder.string()));
        if (index.isValid() && m_tree->currentIndex() != index) {
            const QSignalBlocker block(m_tree->selectionModel());
            m_tree->setCurrentIndex(index);
            m_tree->scrollTo(index, QAbstractItemView::PositionAtCenter);
        }
    });
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& index) {
                if (index.isValid()) lookAt(m_model->filePath(index).toStdString());
            });

    auto* columns = new QHBoxLayout;
    columns->addWidget(m_tree, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(QStringLiteral("Images In Directory"), this));
    m_pictures->setObjectName(QStringLiteral("File1"));
    right->addWidget(m_pictures, 1);
    if (chooser) {
        m_thumbnail = new QLabel(this);
        m_thumbnail->setObjectName(QStringLiteral("Picture1"));
        m_thumbnail->setFixedSize(kThumbnail);
        m_thumbnail->setAlignment(Qt::AlignCenter);
        m_thumbnail->setStyleSheet(QStringLiteral("background: black; color: #aaa;"));
        right->addWidget(m_thumbnail);
        connect(m_pictures, &QListWidget::currentRowChanged, this,
                [this](int row) { showThumbnail(row); });
    }
    columns->addLayout(right, 1);
    root->addLayout(columns, 1);

    if (!chooser) {
        auto& sources = m_visual.sources();
        auto* options = new QHBoxLayout;
        m_random = new QCheckBox(QStringLiteral("Use random order"), this);
        m_random->setObjectName(QStringLiteral("Check1"));
        m_random->setChecked(sources.randomOrder());
        options->addWidget(m_random);
        options->addWidget(new QLabel(QStringLiteral("Show each image for"), this));
        m_minutes = new QSpinBox(this);
        m_minutes->setObjectName(QStringLiteral("UpDown1"));
        m_minutes->setRange(0, 59);
        options->addWidget(m_minutes);
        options->addWidget(new QLabel(QStringLiteral("minutes"), this));
        options->addStretch();
        root->addLayout(options);

        auto* current = new QHBoxLayout;
        current->addWidget(new QLabel(QStringLiteral("Current Slideshow"), this));
        m_current = new QLabel(this);
        m_current->setObjectName(QStringLiteral("lblcurrent"));
        current->addWidget(m_current, 1);
        auto* select = makeCommandButton(this, "cmdselect", QStringLiteral("Select Folder"),
                                         tr("Choose the slideshow folder"));
        connect(select, &QPushButton::clicked, this, [this] {
            if (auto folder = m_visual.browseSlideshowFolder()) lookAt(*folder);
        });
        auto* files = makeCommandButton(this, "cmdexplorer", tr("Open Folder"),
                                        tr("Open the slideshow folder in the file manager"));
        connect(files, &QPushButton::clicked, this,
                [this] { m_visual.openInFileManager(m_folder); });
        current->addWidget(select);
        current->addWidget(files);
        root->addLayout(current);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    root->addWidget(buttons);
    resize(720, 520);
}

void SlideshowFolderView::open() {
    auto& sources = m_visual.sources();
    const std::string chooserFolder = sources.chooserFolder();
    lookAt(m_kind == Kind::FolderSelect && !chooserFolder.empty()
               ? std::filesystem::path(chooserFolder)
               : sources.folder());
    if (m_random) m_random->setChecked(sources.randomOrder());
    if (m_minutes)
        m_minutes->setValue(static_cast<int>(state::leadingNumber(sources.changeEvery())));
    if (!m_placed) {
        m_placed = true;
        restoreWindowPosition(this, m_store);
    }
    QDialog::open();
}

void SlideshowFolderView::lookAt(const std::filesystem::path& folder) {
    m_folder = folder;
    const QString path = QString::fromStdString(folder.string());
    const QModelIndex index = m_model->index(path);
    if (index.isValid() && m_tree->currentIndex() != index) {
        const QSignalBlocker block(m_tree->selectionModel());
        m_tree->setCurrentIndex(index);
        m_tree->scrollTo(index);
    }
    m_pictures->clear();
    for (const auto& name : visual::listPictures(folder))
        m_pictures->addItem(qs(name));
    if (m_current)
        m_current->setText(
            qs(visual::slideshowName(m_visual.programFolder(), folder.string(), true)));
    if (m_pictures->count() > 0)
        m_pictures->setCurrentRow(0);
    else if (m_thumbnail)
        m_thumbnail->setText(tr("No pictures"));
}

void SlideshowFolderView::showThumbnail(int row) {
    if (!m_thumbnail || row < 0) return;
    m_thumbnail->setText(tr("Loading..."));
    const QString path =
        QString::fromStdString((m_folder / m_pictures->item(row)->text().toStdString()).string());
    m_decoder.request(path, kThumbnail, PictureFit::Contain,
                      [this](const QString&, const QImage& image) {
                          if (image.isNull())
                              m_thumbnail->setText(tr("This picture cannot be shown"));
                          else
                              m_thumbnail->setPixmap(QPixmap::fromImage(image));
                      });
}

void SlideshowFolderView::accept() {
    if (!m_visual.useSlideshowFolder(m_folder)) return;
    if (m_random) m_visual.sources().setRandomOrder(m_random->isChecked());
    if (m_minutes) m_visual.sources().setChangeEvery(std::to_string(m_minutes->value()));
    QDialog::accept();
}

void SlideshowFolderView::done(int result) {
    saveWindowPosition(this, m_store);
    QDialog::done(result);
}

} // namespace velmora
