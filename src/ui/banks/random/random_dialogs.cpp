#include "random_dialogs.h"

#include "banks/random/interval_settings.h"
#include "banks/random/sound_identify.h"
#include "banks/random/sound_picker.h"
#include "core/services.h"
#include "platform/settings_store.h"
#include "ui/startup/window_position.h"
#include "ui/widgets/scheme_style.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace velmora {

namespace {
QPushButton* button(const QString& text, const QString& tip, const char* name) {
    auto* b = new QPushButton(text);
    b->setToolTip(tip);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}
} // namespace

// --- Form3 / Form33 ---

IntervalDialog::IntervalDialog(IntervalSettings& settings, SettingsStore& store, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_store(store) {
    setObjectName(QString::fromStdString(settings.windowName()));
    // Both dialogs can be open at once: the title says which banks each one sets.
    setWindowTitle(settings.windowName() == "Form33"
                       ? tr("Automatic randomize settings - Custom random bank")
                       : tr("Automatic randomize settings - Random banks 1 to 4"));
    auto* root = new QVBoxLayout(this);
    root->setSizeConstraint(QLayout::SetMinimumSize); // never cut the buttons off
    auto* sentence = new QHBoxLayout;
    sentence->addWidget(new QLabel(QStringLiteral("Randomize every")));
    m_period = new QComboBox;
    m_period->setObjectName("Combo1");
    for (int m : IntervalSettings::kPeriods)
        m_period->addItem(QString::number(m));
    // Room for the longest period, in the box and in its open list, whatever the style pads.
    m_period->setMinimumContentsLength(3);
    m_period->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_period->view()->setMinimumWidth(
        m_period->fontMetrics().horizontalAdvance(QStringLiteral("000")) +
        4 * m_period->fontMetrics().averageCharWidth());
    sentence->addWidget(m_period);
    sentence->addWidget(new QLabel(QStringLiteral("minutes")));
    sentence->addStretch();
    root->addLayout(sentence);
    root->addWidget(new QLabel(QStringLiteral("Frequency threshold")));
    auto* thresholdRow = new QHBoxLayout;
    m_threshold = new QSlider(Qt::Horizontal);
    m_threshold->setObjectName("ucSlider1");
    m_threshold->setRange(0, IntervalSettings::kMaxThreshold);
    m_threshold->setMinimumWidth(200);
    m_thresholdValue = new QLabel;
    m_thresholdValue->setObjectName("lblthreshold");
    m_thresholdValue->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_thresholdValue->setMinimumWidth(
        m_thresholdValue->fontMetrics().horizontalAdvance(QStringLiteral("000")));
    thresholdRow->addWidget(m_threshold, 1);
    thresholdRow->addWidget(m_thresholdValue);
    root->addLayout(thresholdRow);
    auto* ok = button(QStringLiteral("OK"), {}, "cmdok");
    auto* cancel = button(QStringLiteral("Cancel"), {}, "cmdcancel");
    ok->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    root->addLayout(buttons);

    connect(m_period, &QComboBox::currentIndexChanged, this,
            [this](int i) { m_settings.choosePeriodIndex(i); });
    connect(m_threshold, &QSlider::valueChanged, this, [this](int v) {
        m_settings.setThreshold(v);
        m_thresholdValue->setNum(v);
    });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    m_changed = m_settings.changed.connect([this] { refresh(); });
    refresh();
}

void IntervalDialog::done(int result) {
    // Escape and the title bar's close come here too: only OK makes the choice the period.
    if (result == QDialog::Accepted)
        m_settings.confirm();
    else
        m_settings.cancel();
    QDialog::done(result);
}

void IntervalDialog::refresh() {
    const QSignalBlocker a(m_period), b(m_threshold);
    m_period->setCurrentIndex(m_settings.chosenPeriodIndex());
    m_threshold->setValue(m_settings.threshold());
    m_thresholdValue->setNum(m_settings.threshold());
}

void IntervalDialog::showEvent(QShowEvent* e) {
    restoreWindowPosition(this, m_store);
    QDialog::showEvent(e);
}

void IntervalDialog::hideEvent(QHideEvent* e) {
    saveWindowPosition(this, m_store);
    QDialog::hideEvent(e);
}

// --- Form2 ---

SoundPickerDialog::SoundPickerDialog(SoundPicker& picker, SettingsStore& store, QWidget* parent)
    : QDialog(parent), m_picker(picker), m_store(store) {
    setObjectName("Form2");
    setWindowTitle(QStringLiteral("Choose sounds"));
    auto* root = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    m_folders = new QFileSystemModel(this);
    m_folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_folders->setRootPath(QStringLiteral("/"));
    m_tree = new QTreeView;
    m_tree->setObjectName("Dir1");
    m_tree->setModel(m_folders);
    for (int c = 1; c < m_folders->columnCount(); ++c)
        m_tree->hideColumn(c);
    m_tree->setHeaderHidden(true);
    m_files = new QListWidget;
    m_files->setObjectName("File1");
    m_files->setSelectionMode(QAbstractItemView::ExtendedSelection);
    top->addWidget(m_tree, 1);
    top->addWidget(m_files, 1);
    root->addLayout(top, 1);

    auto* adds = new QHBoxLayout;
    auto* addSelected =
        button(QStringLiteral("Add selected"),
               "Add selected files above to the 'files to be loaded' list", "cmdaddselected");
    auto* addAll = button(QStringLiteral("Add all"),
                          "Add all the files above to the 'files to be loaded' list", "cmdaddall");
    adds->addWidget(addSelected);
    adds->addWidget(addAll);
    adds->addStretch();
    root->addLayout(adds);
    root->addWidget(new QLabel(QStringLiteral("Files to be loaded")));
    auto* bottom = new QHBoxLayout;
    m_toLoad = new QListWidget;
    m_toLoad->setObjectName("List1");
    bottom->addWidget(m_toLoad, 1);
    auto* edits = new QVBoxLayout;
    auto* remove = button(QStringLiteral("Remove"), "Remove an item from the list", "cmdremove");
    auto* up = button(QStringLiteral("Up"), "Move an item up the list", "cmdup");
    auto* down = button(QStringLiteral("Down"), "Move an item down the list", "cmddown");
    auto* clear =
        button(QStringLiteral("Clear"), "Clear the 'files to be loaded' list", "cmdclear");
    auto* ok = button(QStringLiteral("OK"), {}, "cmdok");
    for (auto* b : {remove, up, down, clear})
        edits->addWidget(b);
    edits->addStretch();
    edits->addWidget(ok);
    bottom->addLayout(edits);
    root->addLayout(bottom, 1);

    // The folder model loads in the background: follow the browsed folder once it is there.
    connect(m_folders, &QFileSystemModel::directoryLoaded, this, [this](const QString&) {
        const QModelIndex index = m_folders->index(m_folder);
        if (index.isValid() && m_tree->currentIndex() != index) {
            m_tree->setCurrentIndex(index);
            m_tree->scrollTo(index, QAbstractItemView::PositionAtCenter);
        }
    });
    connect(m_tree, &QTreeView::clicked, this,
            [this](const QModelIndex& i) { browse(m_folders->filePath(i)); });
    connect(addSelected, &QPushButton::clicked, this, [this] {
        std::vector<std::string> names;
        for (int i = 0; i < m_files->count(); ++i)
            if (m_files->item(i)->isSelected())
                names.push_back(m_files->item(i)->text().toStdString());
        m_picker.addSelected(m_folder.toStdString(), names);
    });
    connect(addAll, &QPushButton::clicked, this, [this] {
        std::vector<std::string> names;
        for (int i = 0; i < m_files->count(); ++i)
            names.push_back(m_files->item(i)->text().toStdString());
        m_picker.addAll(m_folder.toStdString(), names);
    });
    connect(m_files, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        m_picker.addOne(m_folder.toStdString(), item->text().toStdString());
    });
    connect(m_toLoad, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { m_picker.removeAt(m_toLoad->row(item)); });
    connect(remove, &QPushButton::clicked, this,
            [this] { m_picker.removeAt(m_toLoad->currentRow()); });
    connect(up, &QPushButton::clicked, this,
            [this] { m_toLoad->setCurrentRow(m_picker.moveUp(m_toLoad->currentRow())); });
    connect(down, &QPushButton::clicked, this,
            [this] { m_toLoad->setCurrentRow(m_picker.moveDown(m_toLoad->currentRow())); });
    connect(clear, &QPushButton::clicked, this, [this] { m_picker.clear(); });
    connect(ok, &QPushButton::clicked, this, [this] {
        if (m_picker.ok()) hide();
    });
    m_changed = m_picker.changed.connect([this] { refreshList(); });
}

void SoundPickerDialog::showFor() {
    browse(QString::fromStdString(m_picker.startFolder().string()));
    refreshList();
    restoreWindowPosition(this, m_store);
    show();
    raise();
}

void SoundPickerDialog::hideEvent(QHideEvent* e) {
    saveWindowPosition(this, m_store);
    QDialog::hideEvent(e);
}

void SoundPickerDialog::browse(const QString& folder) {
    m_folder = folder;
    const QModelIndex index = m_folders->index(folder);
    if (index.isValid()) {
        m_tree->setCurrentIndex(index);
        m_tree->scrollTo(index);
    }
    m_files->clear();
    for (const auto& name : SoundPicker::soundFilesIn(folder.toStdString()))
        m_files->addItem(QString::fromStdString(name));
}

void SoundPickerDialog::refreshList() {
    const int row = m_toLoad->currentRow();
    m_toLoad->clear();
    for (const auto& n : m_picker.names())
        m_toLoad->addItem(QString::fromStdString(n));
    if (row >= 0 && row < m_toLoad->count()) m_toLoad->setCurrentRow(row);
}

// --- Frmsoundindent ---

namespace {
/// Relative luminance of a screen colour, 0 (black) to 1 (white).
double luminance(const QColor& c) {
    const auto channel = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double contrast(const QColor& a, const QColor& b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
} // namespace

void SoundIdentifyWindow::showSelection(const ColorScheme& scheme) {
    // The newest line is selected every 200 ms, so the selection is what the user reads.
    const QColor back = qColor(scheme.startGradient);
    constexpr double kReadable = 4.5;
    QColor best;
    // The scheme's own text colours first; on any background black or white reaches 4.5:1.
    for (const QColor& text : {qColor(scheme.textBoxBackground), qColor(scheme.textBoxForeground),
                               QColor(Qt::black), QColor(Qt::white)}) {
        if (!best.isValid() || contrast(text, back) > contrast(best, back)) best = text;
        if (contrast(best, back) >= kReadable) break;
    }
    const QString rule = QStringLiteral("QListWidget::item:selected { background: %1; color: %2; }")
                             .arg(back.name(), best.name());
    m_sounds->setStyleSheet(rule);
    m_locations->setStyleSheet(rule);
}

SoundIdentifyWindow::SoundIdentifyWindow(SoundIdentify& identify, SettingsStore& store,
                                         QWidget* parent)
    : QDialog(parent), m_identify(identify), m_store(store) {
    setObjectName("Frmsoundindent");
    setWindowTitle(QStringLiteral("Identify sounds"));
    auto* root = new QVBoxLayout(this);
    auto* lists = new QHBoxLayout;
    auto column = [&](const char* caption, const char* name) {
        auto* box = new QVBoxLayout;
        box->addWidget(new QLabel(QString::fromLatin1(caption)));
        auto* list = new QListWidget;
        list->setObjectName(QString::fromLatin1(name));
        box->addWidget(list);
        lists->addLayout(box);
        return list;
    };
    m_sounds = column("Sound Playing", "List1");
    m_locations = column("Location", "List2");
    root->addLayout(lists, 1);
    auto* clear = button(QStringLiteral("Clear"), QStringLiteral("Clear both lists"), "cmdclear");
    root->addWidget(clear, 0, Qt::AlignRight);
    connect(clear, &QPushButton::clicked, this, [this] { m_identify.clear(); });

    // Keep the newest firing in view.
    m_follow = new QTimer(this);
    m_follow->setInterval(200);
    connect(m_follow, &QTimer::timeout, this, [this] {
        for (auto* l : {m_sounds, m_locations})
            if (l->count() > 0) l->setCurrentRow(l->count() - 1);
    });
    m_follow->start();

    m_connections.push_back(
        m_identify.added.connect([this](const std::string& caption, const std::string& location) {
            m_sounds->addItem(QString::fromStdString(caption));
            m_locations->addItem(QString::fromStdString(location));
            for (auto* l : {m_sounds, m_locations})
                while (l->count() > static_cast<int>(SoundIdentify::kMaxLines))
                    delete l->takeItem(0);
        }));
    m_connections.push_back(m_identify.cleared.connect([this] { reload(); }));
    reload();
}

void SoundIdentifyWindow::reload() {
    m_sounds->clear();
    m_locations->clear();
    for (const auto& s : m_identify.sounds())
        m_sounds->addItem(QString::fromStdString(s));
    for (const auto& s : m_identify.locations())
        m_locations->addItem(QString::fromStdString(s));
}

void SoundIdentifyWindow::showEvent(QShowEvent* e) {
    restoreWindowPosition(this, m_store);
    QDialog::showEvent(e);
}

void SoundIdentifyWindow::hideEvent(QHideEvent* e) {
    saveWindowPosition(this, m_store);
    QDialog::hideEvent(e);
}

} // namespace velmora
