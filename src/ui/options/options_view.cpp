#include "options_view.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace velmora {

namespace {
template <typename W> W* named(W* w, const char* name) {
    w->setObjectName(name);
    return w;
}

QWidget* page(QWidget* parent, const QString& heading, QVBoxLayout*& layout) {
    auto* w = new QWidget(parent);
    layout = new QVBoxLayout(w);
    auto* title = new QLabel(heading, w);
    QFont f = title->font();
    f.setBold(true);
    title->setFont(f);
    layout->addWidget(title);
    layout->addSpacing(4);
    return w;
}
} // namespace

OptionsView::OptionsView(OptionsController& controller, QWidget* parent,
                         desktop::KeepAwake* keepAwake)
    : QDialog(parent), m_controller(controller), m_keepAwake(keepAwake),
      m_pages(new QStackedWidget(this)) {
    setObjectName("FRMOPTIONS");
    setWindowTitle(OptionsController::kCaption);

    // Page 1: scenarios.
    QVBoxLayout* l = nullptr;
    QWidget* scenarios = page(m_pages, tr("Scenarios"), l);
    m_check1 =
        named(new QCheckBox("Allow color scheme change with scenario change", scenarios), "Check1");
    m_check20 = named(new QCheckBox("Change volumes on scenario load", scenarios), "Check20");
    m_crossfade =
        named(new QCheckBox(tr("Crossfade between scenarios"), scenarios), "chkcrossfade");
    m_crossfadeSeconds = named(new QSpinBox(scenarios), "spncrossfade");
    m_crossfadeSeconds->setRange(state::ScenarioCrossfade::kMinSeconds,
                                 state::ScenarioCrossfade::kMaxSeconds);
    m_crossfadeSeconds->setSuffix(tr(" s"));
    auto* crossfadeRow = new QHBoxLayout;
    crossfadeRow->addWidget(m_crossfade);
    crossfadeRow->addWidget(m_crossfadeSeconds);
    crossfadeRow->addStretch();
    l->addWidget(m_check1);
    l->addWidget(m_check20);
    l->addLayout(crossfadeRow);
    l->addStretch();

    // Page 2: the remote.
    QWidget* remote = page(m_pages, tr("Remote"), l);
    m_check2 = named(new QCheckBox("Allow color changing on remote", remote), "Check2");
    m_check4 = named(
        new QCheckBox("Auto hide remote on inactivity  ( Slideshow and panoramic modes )", remote),
        "Check4");
    m_label6 = named(new QLabel("Select inactivity time ", remote), "Label6");
    m_text1 = named(new QLineEdit(remote), "Text1");
    m_text1->setMaxLength(6);
    m_text1->setFixedWidth(64);
    m_check5 = named(new QCheckBox("Start with controller ", remote), "Check5");
    auto* timeRow = new QHBoxLayout;
    timeRow->addSpacing(20);
    timeRow->addWidget(m_label6);
    timeRow->addWidget(m_text1);
    timeRow->addStretch();
    l->addWidget(m_check2);
    l->addWidget(m_check4);
    l->addLayout(timeRow);
    l->addWidget(m_check5);
    l->addStretch();

    // Page 3: start-up.
    QWidget* startup = page(m_pages, tr("Start-up"), l);
    m_startup = named(new QCheckBox("Launch program automatically on boot", startup), "chkstartup");
    m_display[0] = named(new QRadioButton("Taskbar", startup), "optdisplay(0)");
    m_display[1] = named(new QRadioButton("Fully Displayed", startup), "optdisplay(1)");
    auto* group = new QButtonGroup(this);
    group->addButton(m_display[0], 0);
    group->addButton(m_display[1], 1);
    l->addWidget(m_startup);
    if (m_keepAwake) {
        m_keepAwakeBox =
            named(new QCheckBox(tr("Keep the computer awake while sounds play"), startup),
                  "chkkeepawake");
        l->addWidget(m_keepAwakeBox);
        connect(m_keepAwakeBox, &QCheckBox::clicked, this,
                [this](bool on) { m_keepAwake->setEnabled(on); });
    }
    for (auto* r : m_display) {
        auto* row = new QHBoxLayout;
        row->addSpacing(20);
        row->addWidget(r);
        l->addLayout(row);
    }
    l->addStretch();

    // Page 4: sound card. The hotkeys button joins it with the hotkeys window; a button
    // that opens nothing would only puzzle.
    QWidget* sound = page(m_pages, tr("Sound"), l);
    auto* label4 = named(new QLabel(OptionsController::kSoundcardLabel, sound), "Label4");
    m_label5 = named(new QLabel(sound), "Label5");
    m_label5->setWordWrap(true);
    auto* card = named(new QPushButton(tr("Sound card..."), sound), "chameleonButton7");
    auto* deviceRow = new QHBoxLayout;
    deviceRow->addWidget(label4);
    deviceRow->addWidget(m_label5, 1);
    l->addLayout(deviceRow);
    auto* soundButtons = new QHBoxLayout;
    soundButtons->addWidget(card);
    if (controller.canOpenHotkeys()) {
        auto* keys = named(new QPushButton(tr("Hotkeys..."), sound), "chameleonButton12");
        connect(keys, &QPushButton::clicked, this, [&controller] { controller.openHotkeys(); });
        soundButtons->addWidget(keys);
    }
    soundButtons->addStretch();
    l->addLayout(soundButtons);
    l->addStretch();

    for (QWidget* p : {scenarios, remote, startup, sound})
        m_pages->addWidget(p);

    const char* pageNames[] = {"chameleonButton8", "chameleonButton9", "chameleonButton10",
                               "chameleonButton11"};
    const QString pageCaptions[] = {tr("Scenarios"), tr("Remote"), tr("Start-up"), tr("Sound")};
    auto* pageColumn = new QVBoxLayout;
    for (int i = 0; i < OptionsController::kPageCount; ++i) {
        m_pageButtons[i] = named(new QPushButton(pageCaptions[i], this), pageNames[i]);
        m_pageButtons[i]->setCheckable(true);
        pageColumn->addWidget(m_pageButtons[i]);
        connect(m_pageButtons[i], &QPushButton::clicked, this,
                [this, i] { m_controller.showPage(i); });
    }
    pageColumn->addStretch();

    auto* help = named(new QPushButton(tr("Help"), this), "chameleonButton4");
    auto* updater = named(new QPushButton(tr("Check for updates"), this), "xpbs2");
    auto* close = named(new QPushButton(tr("Close"), this), "cmdclose");
    close->setDefault(true);

    auto* middle = new QHBoxLayout;
    middle->addLayout(pageColumn);
    middle->addWidget(m_pages, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(help);
    bottom->addWidget(updater);
    bottom->addStretch();
    bottom->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(middle);
    layout->addLayout(bottom);
    setMinimumSize(560, 300);

    auto& c = m_controller;
    connect(m_check1, &QCheckBox::toggled, this,
            [&c](bool on) { c.setColorSchemeWithScenario(on); });
    connect(m_check2, &QCheckBox::toggled, this, [&c](bool on) { c.setColorChangeOnRemote(on); });
    connect(m_check20, &QCheckBox::toggled, this,
            [&c](bool on) { c.setVolumesOnScenarioLoad(on); });
    connect(m_crossfade, &QCheckBox::toggled, this, [&c](bool on) {
        auto crossfade = c.scenarioCrossfade();
        crossfade.on = on;
        c.setScenarioCrossfade(crossfade);
    });
    connect(m_crossfadeSeconds, &QSpinBox::valueChanged, this, [&c](int seconds) {
        auto crossfade = c.scenarioCrossfade();
        crossfade.seconds = seconds;
        c.setScenarioCrossfade(crossfade);
    });
    connect(m_check4, &QCheckBox::toggled, this, [&c](bool on) { c.setAutoHideRemote(on); });
    connect(m_check5, &QCheckBox::toggled, this, [&c](bool on) { c.setStartWithController(on); });
    connect(m_text1, &QLineEdit::textEdited, this,
            [&c](const QString& t) { c.editInactivityTime(t.toStdString()); });
    connect(m_text1, &QLineEdit::editingFinished, this, [&c] { c.finishInactivityTime(); });
    connect(m_startup, &QCheckBox::clicked, this, [&c](bool on) { c.setAutoLaunch(on); });
    connect(group, &QButtonGroup::idClicked, this, [&c](int id) { c.setDisplay(id); });
    connect(card, &QPushButton::clicked, this, [&c] { c.chooseSoundCard(); });
    connect(help, &QPushButton::clicked, this, [&c] { c.openHelp(); });
    connect(updater, &QPushButton::clicked, this, [&c] { c.startUpdater(); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    m_changed = m_controller.changed.connect([this] { redraw(); });
    redraw();
}

void OptionsView::open() {
    m_controller.open();
    show();
    raise();
    activateWindow();
}

void OptionsView::done(int result) {
    m_controller.close();
    QDialog::done(result);
}

void OptionsView::redraw() {
    const auto& o = m_controller.options();
    const auto set = [](QCheckBox* box, bool on) {
        const QSignalBlocker block(box);
        box->setChecked(on);
    };
    set(m_check1, o.colorSchemeWithScenario);
    set(m_check2, o.colorChangeOnRemote);
    set(m_check20, o.volumesOnScenarioLoad);
    const auto crossfade = m_controller.scenarioCrossfade();
    set(m_crossfade, crossfade.on);
    {
        const QSignalBlocker block(m_crossfadeSeconds);
        m_crossfadeSeconds->setValue(crossfade.seconds);
    }
    m_crossfadeSeconds->setEnabled(crossfade.on);
    set(m_check4, o.autoHideRemote);
    set(m_check5, o.startWithController);
    set(m_startup, m_controller.autoLaunch());
    if (m_keepAwakeBox) set(m_keepAwakeBox, m_keepAwake->isEnabled());
    const QString time = QString::fromStdString(o.inactivityTime);
    if (m_text1->text() != time) {
        const QSignalBlocker block(m_text1);
        m_text1->setText(time);
    }
    m_text1->setEnabled(m_controller.inactivityEnabled());
    m_label6->setEnabled(m_controller.inactivityEnabled());
    for (int i = 0; i < 2; ++i) {
        const QSignalBlocker block(m_display[i]);
        m_display[i]->setChecked(m_controller.display() == i);
        m_display[i]->setEnabled(m_controller.displayChoicesEnabled());
    }
    m_label5->setText(QString::fromStdString(m_controller.deviceName()));
    m_pages->setCurrentIndex(m_controller.page());
    for (int i = 0; i < OptionsController::kPageCount; ++i)
        m_pageButtons[i]->setChecked(i == m_controller.page());
}

} // namespace velmora
