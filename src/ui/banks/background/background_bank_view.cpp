#include "background_bank_view.h"

#include "group_buttons.h"
#include "slider_look.h"

#include "ui/banks/level_copies.h"
#include "ui/widgets/scheme_style.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

namespace velmora {
namespace {

constexpr int kRedrawMs = 40;

QSlider* makeSlider(const QString& name, int max, QWidget* parent) {
    auto* s = new QSlider(Qt::Horizontal, parent);
    s->setObjectName(name);
    s->setRange(0, max);
    s->setMinimumWidth(90);
    s->setFocusPolicy(Qt::NoFocus);
    return s;
}

// A range bar shows the bound itself, not the bank's bar position (250 - bound): scroll
// bars ignore inverted appearance, and a bar whose right arrow made the range quieter would
// run against every other control of the panel.
QScrollBar* makeRangeBar(const QString& name, QWidget* parent) {
    auto* b = new QScrollBar(Qt::Horizontal, parent);
    b->setObjectName(name);
    b->setRange(SlotLimits::kRangeMin, SlotLimits::kRangeMax);
    b->setPageStep(25);
    b->setMinimumWidth(60);
    return b;
}

int barPosition(int bound) {
    return SlotLimits::kRangeMax - bound;
}

QLabel* header(const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setAlignment(Qt::AlignCenter);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

} // namespace

BackgroundBankView::BackgroundBankView(BackgroundBank& bank, Levels& levels, QWidget* parent)
    : BackgroundBankView(bank, levels, bank.windowName(),
                         Hooks{[&bank](int n) { return QString::fromStdString(bank.slotName(n)); },
                               [](int) { return QString(); },
                               {},
                               [&bank] { bank.saveConfiguration(); },
                               [&bank] { bank.loadConfiguration(); },
                               [&bank] { bank.activate(); }},
                         parent) {}

BackgroundBankView::BackgroundBankView(CustomBackgroundBank& bank, Levels& levels, QWidget* parent)
    : BackgroundBankView(
          bank, levels, bank.windowName(),
          Hooks{[&bank](int n) { return QString::fromStdString(bank.slotName(n)); },
                [&bank](int n) { return QString::fromStdString(bank.slotToolTip(n)); },
                [&bank](int n) { bank.chooseSound(n); },
                [&bank] { bank.saveConfiguration(); },
                [&bank] { bank.loadConfiguration(); },
                {}},
          parent) {
    auto* commands = findChild<QWidget*>(QStringLiteral("fileCommands"));
    auto* layout = commands ? qobject_cast<QHBoxLayout*>(commands->layout()) : nullptr;
    if (!layout) return;
    auto* many = makeCommandButton(tr("Load files"), QStringLiteral("Load multiple files at once"),
                                   QStringLiteral("cmdLoadMultiple"), commands);
    auto* reset = makeCommandButton(
        tr("Reset"), QStringLiteral("Reset all sounds on this form to their defaults"),
        QStringLiteral("cmdReset"), commands);
    auto* reload =
        makeCommandButton(QStringLiteral("Command1"), {}, QStringLiteral("Command1"), commands);
    reload->hide(); // the picker reaches reload-all through the controller
    connect(many, &QPushButton::clicked, this, [&bank] { bank.openPicker(); });
    connect(reset, &QPushButton::clicked, this, [&bank] { bank.reset(); });
    connect(reload, &QPushButton::clicked, this, [&bank] { bank.reloadAll(); });
    layout->insertWidget(layout->count() - 1, many);
    layout->insertWidget(layout->count() - 1, reset);
    layout->addWidget(reload);
}

BackgroundBankView::BackgroundBankView(BackgroundSlots& bank, Levels& levels,
                                       const std::string& window, Hooks hooks, QWidget* parent)
    : QWidget(parent), m_bank(bank), m_hooks(std::move(hooks)) {
    setObjectName(QString::fromStdString(window));
    m_redrawTimer = new QTimer(this);
    m_redrawTimer->setSingleShot(true);
    m_redrawTimer->setInterval(kRedrawMs);
    connect(m_redrawTimer, &QTimer::timeout, this, &BackgroundBankView::flush);
    build(levels);
    m_connections.push_back(m_bank.slotChanged.connect([this](int n) { markDirty(n); }));
    m_connections.push_back(m_bank.changed.connect([this] { markAllDirty(); }));
    m_connections.push_back(m_bank.colorsChanged.connect([this] { applyColors(); }));
    applyColors();
    markAllDirty();
    flush();
}

BackgroundBankView::~BackgroundBankView() = default;

void BackgroundBankView::build(Levels& levels) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(buildCommands());
    layout->addWidget(buildRows());
    layout->addWidget(makeLevelCopies(levels,
                                      {{Level::Background, "maxvol"},
                                       {Level::Master, "ucSlider20"},
                                       {Level::Random, "ucSlider41"},
                                       {Level::Bwaves, "ucSlider19"},
                                       {Level::Cd, "hscroll51"},
                                       {Level::Mp3, "ucSlider40"}},
                                      this));
    layout->addStretch(1);
}

QWidget* BackgroundBankView::buildCommands() {
    auto* box = new QWidget(this);
    box->setObjectName(QStringLiteral("fileCommands"));
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* save = makeCommandButton(tr("Save"), QStringLiteral("Save this forms configuration"),
                                   QStringLiteral("cmdSave"), box);
    auto* load = makeCommandButton(
        tr("Load"), QStringLiteral("Load a previously saved configuration for this form"),
        QStringLiteral("cmdLoad"), box);
    auto* stop = makeCommandButton(tr("Stop all"), QStringLiteral("Stop all sounds on this form"),
                                   QStringLiteral("cmdStopAll"), box);
    connect(save, &QPushButton::clicked, this, [this] { m_hooks.save(); });
    connect(load, &QPushButton::clicked, this, [this] { m_hooks.load(); });
    connect(stop, &QPushButton::clicked, this,
            [this] { m_bank.runCommand(GroupCommand::StopAll); });
    layout->addWidget(save);
    layout->addWidget(load);
    layout->addWidget(stop);
    layout->addStretch(1);
    return box;
}

QWidget* BackgroundBankView::buildRows() {
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(1);
    const bool choosing = static_cast<bool>(m_hooks.chooseSound);
    const int nameCol = choosing ? 1 : 0;
    const int volumeCol = nameCol + 1, panCol = volumeCol + 1, rateCol = panCol + 1;
    const int rangeCol = rateCol + 1; // low text, low bar, high bar, high text
    const auto run = [this](GroupCommand c) { m_bank.runCommand(c); };

    grid->addWidget(header(tr("Sound"), box), 0, nameCol);
    grid->addWidget(header(QStringLiteral("Volume"), box), 0, volumeCol);
    grid->addWidget(header(QStringLiteral("L / R Balance"), box), 0, panCol);
    grid->addWidget(header(QStringLiteral("Rate Of Change"), box), 0, rateCol);
    grid->addWidget(header(QStringLiteral("Volume Range"), box), 0, rangeCol, 1, 4);
    grid->addWidget(makeGroupButtonRow(kVolumeButtons, run, box), 1, volumeCol, Qt::AlignCenter);
    grid->addWidget(makeGroupButtonRow(kPanButtons, run, box), 1, panCol, Qt::AlignCenter);
    grid->addWidget(makeGroupButtonRow(kRateButtons, run, box), 1, rateCol, Qt::AlignCenter);
    grid->addWidget(makeGroupButtonRow(kRangeButtons, run, box), 1, rangeCol, 1, 4,
                    Qt::AlignCenter);

    m_rows.resize(BackgroundSlots::kAudibleSlots + 1);
    for (int n = 1; n <= BackgroundSlots::kAudibleSlots; ++n) {
        Row& r = m_rows[static_cast<std::size_t>(n)];
        const int line = n + 1;
        const QString k = QString::number(n);
        if (choosing) {
            r.choose = makeCommandButton(QStringLiteral("\u2026"),
                                         QStringLiteral("Select a sound for this channel"),
                                         QStringLiteral("cmdSelect") + k, box);
            connect(r.choose, &QPushButton::clicked, this, [this, n] { m_hooks.chooseSound(n); });
            grid->addWidget(r.choose, line, 0);
        }
        r.on = new QCheckBox(box);
        r.on->setObjectName(QStringLiteral("Check") + k);
        r.on->setMinimumWidth(140);
        r.volume = makeSlider(QStringLiteral("volume") + k, SlotLimits::kVolumeMax, box);
        r.pan = makeSlider(QStringLiteral("balance") + k, SlotLimits::kPanMax, box);
        r.rate = makeSlider(QStringLiteral("rate") + k, SlotLimits::kRateMax, box);
        r.low = makeRangeBar(QStringLiteral("rangeLow") + k, box);
        r.high = makeRangeBar(QStringLiteral("rangeHigh") + k, box);
        r.lowText = new QLabel(box);
        r.highText = new QLabel(box);
        for (auto* t : {r.lowText, r.highText}) {
            t->setMinimumWidth(28);
            t->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
        r.lowText->setObjectName(QStringLiteral("rangeLowText") + k);
        r.highText->setObjectName(QStringLiteral("rangeHighText") + k);
        r.volume->setToolTip(QStringLiteral("Volume"));
        r.pan->setToolTip(QStringLiteral("L / R Balance"));
        r.rate->setToolTip(QStringLiteral("Rate Of Change"));
        r.low->setToolTip(tr("Lower end of the volume range"));
        r.high->setToolTip(tr("Upper end of the volume range"));

        connect(r.on, &QCheckBox::toggled, this, [this, n](bool on) { m_bank.setOn(n, on); });
        connect(r.volume, &QSlider::valueChanged, this,
                [this, n](int v) { m_bank.setVolume(n, v); });
        connect(r.pan, &QSlider::valueChanged, this, [this, n](int v) { m_bank.setPan(n, v); });
        connect(r.rate, &QSlider::valueChanged, this, [this, n](int v) { m_bank.setRate(n, v); });
        // The bar may not be where the user left it (the invariants move it): redraw at once.
        connect(r.low, &QScrollBar::valueChanged, this, [this, n](int bound) {
            m_bank.setRangeLowPos(n, barPosition(bound));
            redraw(n);
        });
        connect(r.high, &QScrollBar::valueChanged, this, [this, n](int bound) {
            m_bank.setRangeHighPos(n, barPosition(bound));
            redraw(n);
        });

        grid->addWidget(r.on, line, nameCol);
        grid->addWidget(r.volume, line, volumeCol);
        grid->addWidget(r.pan, line, panCol);
        grid->addWidget(r.rate, line, rateCol);
        grid->addWidget(r.lowText, line, rangeCol);
        grid->addWidget(r.low, line, rangeCol + 1);
        grid->addWidget(r.high, line, rangeCol + 2);
        grid->addWidget(r.highText, line, rangeCol + 3);
    }
    return box;
}

void BackgroundBankView::markDirty(int slot) {
    if (slot < 1 || slot > BackgroundSlots::kAudibleSlots) return;
    m_dirty.set(static_cast<std::size_t>(slot));
    if (isVisible() && !m_redrawTimer->isActive()) m_redrawTimer->start();
}

void BackgroundBankView::markAllDirty() {
    m_dirty.set();
    if (isVisible() && !m_redrawTimer->isActive()) m_redrawTimer->start();
}

void BackgroundBankView::flush() {
    m_redrawTimer->stop();
    for (int n = 1; n <= BackgroundSlots::kAudibleSlots; ++n)
        if (m_dirty.test(static_cast<std::size_t>(n))) redraw(n);
    m_dirty.reset();
}

void BackgroundBankView::redraw(int n) {
    const Row& r = m_rows[static_cast<std::size_t>(n)];
    const BackgroundSlot& s = m_bank.slot(n);
    const QSignalBlocker b1(r.on), b2(r.volume), b3(r.pan), b4(r.rate), b5(r.low), b6(r.high);
    r.on->setChecked(s.on);
    r.on->setText(m_hooks.name(n));
    r.on->setToolTip(m_hooks.toolTip(n));
    r.volume->setValue(s.volume);
    r.pan->setValue(s.pan);
    r.rate->setValue(s.rate);
    r.low->setValue(s.rangeLow());
    r.high->setValue(s.rangeHigh());
    r.lowText->setText(QString::number(s.rangeLow()));
    r.highText->setText(QString::number(s.rangeHigh()));
    for (QSlider* w : {r.volume, r.pan, r.rate})
        showActiveLook(w, s.on, m_inactiveLook);
}

void BackgroundBankView::applyColors() {
    applyScheme(this, m_bank.colors());
    m_inactiveLook = inactiveSliderLook(m_bank.colors());
    markAllDirty();
}

void BackgroundBankView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        if (m_hooks.firstShow) m_hooks.firstShow();
    }
    flush();
}

} // namespace velmora
