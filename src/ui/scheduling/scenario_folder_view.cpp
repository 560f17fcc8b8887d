#include "scenario_folder_view.h"

#include "ui/widgets/command_button.h"
#include "ui/widgets/scheme_style.h"

#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace velmora {

ScenarioFolderView::ScenarioFolderView(scheduling::ScenarioFolder& folder, SettingsStore& settings,
                                       QWidget* parent)
    : QWidget(parent, Qt::Window), m_folder(folder), m_place(this, settings) {
    setObjectName("frmaddscenariodirectory");
    setWindowTitle("Select Scenario Directory");

    m_model = new QFileSystemModel(this);
    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    m_model->setRootPath(QDir::rootPath());
    m_tree = new QTreeView(this);
    m_tree->setObjectName("Dir1");
    m_tree->setModel(m_model);
    for (int c = 1; c < m_model->columnCount(); ++c)
        m_tree->hideColumn(c);
    m_tree->header()->hide();
    m_files = new QListWidget(this);
    m_files->setObjectName("File1");
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& index) {
                m_folder.setFolder(m_model->filePath(index).toStdString());
            });

    auto* add = makeCommandButton(this, "cmdadd", tr("Add"), tr("Add these scenarios to the list"));
    auto* close = makeCommandButton(this, "cmdclose", tr("Close"), {});
    connect(add, &QPushButton::clicked, this, [this] {
        if (m_folder.add()) hide();
    });
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(add);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Select the directory containing your scenario files:", this));
    layout->addWidget(m_tree, 2);
    layout->addWidget(new QLabel("Scenario files contained in selected folder:", this));
    layout->addWidget(m_files, 1);
    layout->addLayout(buttons);
    resize(420, 460);

    m_changed = m_folder.changed.connect([this] { refresh(); });
    const QModelIndex start = m_model->index(QString::fromStdString(m_folder.folder().string()));
    m_tree->setCurrentIndex(start);
    // The model reads folders in the background: show the start folder once it is there.
    connect(m_model, &QFileSystemModel::directoryLoaded, this,
            [this] { m_tree->scrollTo(m_tree->currentIndex()); });
    refresh();
}

void ScenarioFolderView::applyColors(const ColorScheme& scheme) {
    applyScheme(this, scheme);
}

void ScenarioFolderView::refresh() {
    m_files->clear();
    for (const auto& name : m_folder.files())
        m_files->addItem(QString::fromStdString(name));
}

} // namespace velmora
