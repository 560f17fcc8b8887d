#include "remote_view.h"

#include "core/levels.h"
#include "ui/startup/window_position.h"
#include "ui/widgets/command_button.h"
#include "ui/widgets/level_slider.h"
#include "ui/widgets/scheme_style.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

namespace velmora {

using remote::Corner;
using remote::Label;
using visual::OptionsPanel;

namespace {
QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

struct RemoteLevel {
    Level level;
    const char* objectName;
};
constexpr std::array<RemoteLevel, 6> kRemoteLevels = {{{Level::Master, "ucSlider4"},
                                                       {Level::Random, "ucSlider3"},
                                                       {Level::Background, "ucSlider2"},
                                                       {Level::Bwaves, "ucSlider1"},
                                                       {Level::Cd, "ctlscrollbar1"},
                                                       {Level::Mp3, "ctlscrollbar2"}}};
constexpr std::array<const char*, remote::kLabelCount> kLabelNames = {
    "lblscheduler", "lblalarm", "lblmp3time", "lblmp3title", "lblcd", "lblscenario"};
} // namespace

RemoteView::RemoteView(remote::RemoteController& controller, visual::VisualMode& visual,
                       SettingsStore& store, std::function<void()> chooseSlideshow, QWidget* parent)
    : QWidget(parent, Qt::Window), m_controller(controller), m_visual(visual), m_store(store),
      m_chooseSlideshow(std::move(chooseSlideshow)) {
    setObjectName(QStringLiteral("frmremote2"));
    setWindowTitle(QStringLiteral("Visual Controller"));
    auto* root = new QVBoxLayout(this);
    root->setSpacing(6);
    root->addWidget(buildLabels());
    auto* middle = new QHBoxLayout;
    middle->addWidget(buildLevels());
    middle->addWidget(buildPresets(), 1);
    root->addLayout(middle);
    root->addWidget(buildCommands());
    root->addWidget(m_slidePanel = buildSlideshowPanel());
    root->addWidget(m_panPanel = buildPanoramicPanel());
    root->addWidget(m_videoPanel = buildVideoPanel());
    root->addStretch();

    m_connections.push_back(m_controller.changed.connect([this] { redraw(); }));
    m_connections.push_back(m_controller.hideRequested.connect([this] { hide(); }));
    m_connections.push_back(m_visual.changed.connect([this] { redraw(); }));
    m_connections.push_back(m_visual.sources().changed.connect([this] { showPictures(); }));
    m_connections.push_back(m_visual.sources().selectionChanged.connect([this](int row) {
        const QSignalBlocker block(m_pictures);
        m_pictures->setCurrentRow(row);
    }));
    m_connections.push_back(m_visual.panorama().changed.connect([this] {
        const QSignalBlocker block(m_speed);
        m_speed->setValue(m_visual.panorama().speed());
    }));
    showPictures();
    redraw();
}

QWidget* RemoteView::buildLabels() {
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < remote::kLabelCount; ++i) {
        m_labels[i] = new QLabel(box);
        m_labels[i]->setObjectName(QString::fromUtf8(kLabelNames[i]));
        grid->addWidget(m_labels[i], i / 2, i % 2);
    }
    return box;
}

QWidget* RemoteView::buildLevels() {
    auto* box = new QGroupBox(tr("Levels"), this);
    box->setMinimumHeight(200);
    auto* row = new QHBoxLayout(box);
    row->setSpacing(2);
    for (const auto& l : kRemoteLevels)
        row->addWidget(new LevelSlider(m_controller.levels(), l.level,
                                       QString::fromUtf8(l.objectName), Qt::Vertical, box));
    return box;
}

QWidget* RemoteView::buildPresets() {
    auto* box = new QGroupBox(tr("Presets"), this);
    auto* grid = new QGridLayout(box);
    for (int i = 0; i < remote::kRemotePresetCount; ++i) {
        auto* b = makeCommandButton(this, "cmdpreset", QString::number(i + 1), {});
        b->setObjectName(QStringLiteral("cmdpreset%1").arg(i));
        connect(b, &QPushButton::clicked, this, [this, i] { m_controller.pressPreset(i); });
        grid->addWidget(b, i / 4, i % 4);
        m_presets[i] = b;
    }
    auto* random = makeCommandButton(this, "cmdrandom", tr("Random"),
                                     QStringLiteral("Load a random scenario"));
    connect(random, &QPushButton::clicked, this, [this] { m_controller.loadRandom(); });
    auto* load = makeCommandButton(this, "cmdload", tr("Load..."),
                                   QStringLiteral("Load a scenario from disk"));
    connect(load, &QPushButton::clicked, this, [this] { m_controller.loadFromDisk(); });
    grid->addWidget(random, 3, 0, 1, 2);
    grid->addWidget(load, 3, 2, 1, 2);
    // Presets and loading need the scenario files; without them the box is left out.
    m_optional.push_back({box, [this] { return m_controller.canLoad(); }});
    return box;
}

QWidget* RemoteView::buildCommands() {
    auto* bar = new QWidget(this);
    auto* grid = new QGridLayout(bar);
    grid->setContentsMargins(0, 0, 0, 0);
    int column = 0;
    auto add = [&](int row, const char* name, const QString& caption, const char* tip,
                   std::function<void()> action, std::function<bool()> available = {}) {
        auto* b = makeCommandButton(this, name, caption, QString::fromUtf8(tip));
        connect(b, &QPushButton::clicked, this, [action] { action(); });
        grid->addWidget(b, row, column++);
        if (available) m_optional.push_back({b, std::move(available)});
        return b;
    };
    auto& c = m_controller;
    add(
        0, "cmdmp3", tr("MP3"), "Open the MP3 player", [&c] { c.open(remote::kMp3PlayerWindow); },
        [&c] { return c.canOpen(remote::kMp3PlayerWindow); });
    auto mp3 = [&c] { return c.mp3() != nullptr; };
    add(
        0, "cmdprev", tr("|<"), "Previous", [&c] { c.mp3()->previous(); }, mp3);
    add(
        0, "cmdplay", tr(">"), "Play", [&c] { c.mp3()->play(); }, mp3);
    add(
        0, "cmdpause", tr("||"), "Pause", [&c] { c.mp3()->pause(); }, mp3);
    add(
        0, "cmdnext", tr(">|"), "Next", [&c] { c.mp3()->next(); }, mp3);
    add(
        0, "cmdstop", tr("[]"), "Stop", [&c] { c.mp3Stop(); }, mp3);
    add(
        0, "cmdcd", tr("CD"), "Open the CD player", [&c] { c.open(remote::kCdPlayerWindow); },
        [&c] { return c.canOpen(remote::kCdPlayerWindow); });
    column = 0;
    add(1, "cmddock1", tr("TL"), "Dock to top left", [this] { dock(Corner::TopLeft); });
    add(1, "cmddock2", tr("TR"), "Dock to top right", [this] { dock(Corner::TopRight); });
    add(1, "cmddock3", tr("BL"), "Dock to bottom left", [this] { dock(Corner::BottomLeft); });
    add(1, "cmddock4", tr("BR"), "Dock to bottom right", [this] { dock(Corner::BottomRight); });
    add(1, "cmdhide", tr("Hide"), "Hide the remote", [&c] { c.hideRemote(); });
    add(1, "cmdmain", tr("Main"), "Show main panel and hide the remote",
        [&c] { c.showMainAndHide(); });
    column = 0;
    auto& v = m_visual;
    add(2, "cmdslideshow", tr("Slideshow"), "Start the slideshow",
        [&v] { v.startSlideshowFromRemote(); });
    add(2, "cmdchoose", tr("Choose..."), "Choose a slideshow", [this] {
        m_visual.setPanel(OptionsPanel::Slideshow);
        if (m_chooseSlideshow) m_chooseSlideshow();
    });
    add(2, "cmdpanoramic", tr("Panoramic"), "Start panoramic mode",
        [&v] { v.startPanoramaFromRemote(); });
    add(2, "cmdvideo", tr("Videos"), "Show the video list",
        [&v] { v.setPanel(OptionsPanel::Video); });
    return bar;
}

QGroupBox* RemoteView::makePanel(const QString& title, const char* name, QListWidget*& list,
                                 const char* listName, QVBoxLayout*& layout) {
    auto* box = new QGroupBox(title, this);
    box->setObjectName(QString::fromUtf8(name));
    layout = new QVBoxLayout(box);
    list = new QListWidget(box);
    list->setObjectName(QString::fromUtf8(listName));
    list->setMaximumHeight(110);
    layout->addWidget(list);
    return box;
}

void RemoteView::addHideButton(QHBoxLayout* row, const char* name, const char* toolTip) {
    auto* hide = makeCommandButton(this, name, tr("Hide"), QString::fromUtf8(toolTip));
    connect(hide, &QPushButton::clicked, this, [this] { m_visual.setPanel(OptionsPanel::None); });
    row->addWidget(hide);
}

QGroupBox* RemoteView::buildSlideshowPanel() {
    QVBoxLayout* v = nullptr;
    auto* box = makePanel(tr("Slideshow"), "slideshowpanel", m_pictures, "File1", v);
    m_folderName = new QLabel(box);
    v->insertWidget(0, m_folderName);
    connect(m_pictures, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) m_visual.slideshowView().showEntry(row);
    });
    auto* row = new QHBoxLayout;
    m_random = new QCheckBox(tr("Random order"), box);
    m_random->setObjectName(QStringLiteral("Check1"));
    connect(m_random, &QCheckBox::toggled, this,
            [this](bool on) { m_visual.sources().setRandomOrder(on); });
    row->addWidget(m_random);
    row->addWidget(new QLabel(QStringLiteral("Change Every"), box));
    m_changeEvery = new QLineEdit(box);
    m_changeEvery->setObjectName(QStringLiteral("Text1"));
    m_changeEvery->setMaximumWidth(50);
    m_changeEvery->setToolTip(QStringLiteral("Specify how often the image will change"));
    connect(m_changeEvery, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_visual.sources().setChangeEvery(text.toStdString()); });
    row->addWidget(m_changeEvery);
    row->addWidget(new QLabel(QStringLiteral("Min"), box));
    row->addStretch();
    addHideButton(row, "cmdhideslide", "Hide the slideshow options panel");
    v->addLayout(row);
    return box;
}

QGroupBox* RemoteView::buildPanoramicPanel() {
    QVBoxLayout* v = nullptr;
    auto* box = makePanel(tr("Panoramic"), "panoramicpanel", m_panoramics, "File2", v);
    m_panoramicLabel = new QLabel(box);
    m_panoramicLabel->setObjectName(QStringLiteral("lblpanoramic"));
    v->insertWidget(0, m_panoramicLabel);
    connect(m_panoramics, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        m_visual.sources().setPanoramicName(item->text().toStdString());
    });
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(tr("Speed"), box));
    m_speed = new QSlider(Qt::Horizontal, box);
    m_speed->setObjectName(QStringLiteral("ctlscrollbar4"));
    m_speed->setRange(visual::kSpeedMinimum, visual::kSpeedMaximum);
    m_speed->setValue(m_visual.panorama().speed());
    connect(m_speed, &QSlider::valueChanged, this,
            [this](int value) { m_visual.panorama().setSpeed(value); });
    row->addWidget(m_speed, 1);
    addHideButton(row, "cmdhidepan", "Hide the panoramic options panel");
    v->addLayout(row);
    return box;
}

QGroupBox* RemoteView::buildVideoPanel() {
    QVBoxLayout* v = nullptr;
    auto* box = makePanel(tr("Videos"), "videopanel", m_videos, "File3", v);
    connect(m_videos, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { m_controller.playVideo(item->text().toStdString()); });
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(tr("Double-click a video to play it"), box));
    row->addStretch();
    addHideButton(row, "cmdhidevideo", "Hide the video options panel");
    v->addLayout(row);
    return box;
}

void RemoteView::showPictures() {
    auto& sources = m_visual.sources();
    {
        const QSignalBlocker block(m_pictures);
        m_pictures->clear();
        for (const auto& name : sources.pictures())
            m_pictures->addItem(qs(name));
        m_pictures->setCurrentRow(sources.selected());
    }
    m_folderName->setText(tr("Folder: %1").arg(qs(sources.folder().filename().string())));
    m_folderName->setToolTip(qs(sources.folder().string()));
    const QSignalBlocker blockRandom(m_random);
    m_random->setChecked(sources.randomOrder());
    if (m_changeEvery->text() != qs(sources.changeEvery()))
        m_changeEvery->setText(qs(sources.changeEvery()));
    m_panoramicLabel->setText(qs(sources.panoramicCaption()));
    m_panoramics->clear();
    for (const auto& name : visual::listPictures(sources.panoramicFolder()))
        m_panoramics->addItem(qs(name));
}

void RemoteView::showPresets() {
    for (int i = 0; i < remote::kRemotePresetCount; ++i) {
        QPushButton* b = m_presets[i];
        b->setToolTip(qs(m_controller.presetCaption(i)));
        const bool assigned = m_controller.presetAssigned(i);
        b->setProperty("assigned", assigned);
        // Only assigned presets light up; the rest keep the window's button colour.
        b->setStyleSheet(assigned ? QStringLiteral("QPushButton { background-color: %1; }")
                                        .arg(qColor(m_scheme.activeColor).name())
                                  : QString());
    }
}

void RemoteView::redraw() {
    for (int i = 0; i < remote::kLabelCount; ++i) {
        const auto which = Label(i);
        m_labels[i]->setText(qs(m_controller.label(which)));
        m_labels[i]->setVisible(m_controller.hasLabel(which));
    }
    for (auto& [widget, available] : m_optional)
        widget->setVisible(available());
    const OptionsPanel panel = m_visual.panel();
    m_slidePanel->setVisible(panel == OptionsPanel::Slideshow);
    m_panPanel->setVisible(panel == OptionsPanel::Panoramic);
    m_videoPanel->setVisible(panel == OptionsPanel::Video);
    if (panel == OptionsPanel::Video && m_videos->count() == 0)
        for (const auto& name : m_controller.videos())
            m_videos->addItem(qs(name));
    m_panoramicLabel->setText(qs(m_visual.sources().panoramicCaption()));
    showPresets();
    if (isVisible()) adjustSize();
}

void RemoteView::open() {
    redraw();
    showAtSavedPlace(this, m_store, m_placed);
}

void RemoteView::closeRemote() {
    if (m_placed) saveWindowPosition(this, m_store);
    m_controller.save();
    close();
}

void RemoteView::applyColors(const ColorScheme& scheme) {
    m_scheme = scheme;
    applyScheme(this, scheme);
    showPresets();
}

void RemoteView::dock(Corner corner) {
    QScreen* s = screen();
    if (!s) return;
    const QRect area = s->availableGeometry();
    const QRect frame = frameGeometry();
    const auto pos = remote::dockPosition(corner, {area.x(), area.y(), area.width(), area.height()},
                                          {frame.width(), frame.height()});
    move(pos.left, pos.top);
}

void RemoteView::changeEvent(QEvent* event) {
    // The main window's preset names may have changed while the remote was away.
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) showPresets();
    QWidget::changeEvent(event);
}

void RemoteView::hideEvent(QHideEvent* event) {
    if (m_placed) saveWindowPosition(this, m_store);
    QWidget::hideEvent(event);
}

} // namespace velmora
