#include "random_bank_view.h"

#include "ui/widgets/scheme_style.h"

#include "banks/random/custom_random_bank.h"
#include "banks/random/random_bank.h"
#include "ui/banks/bank_navigation.h"
#include "ui/banks/level_copies.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

namespace velmora {

namespace {
QSlider* slotSlider(const QString& name, const QString& tip) {
    auto* s = new QSlider(Qt::Horizontal);
    s->setObjectName(name);
    s->setRange(0, kRandomSliderMax);
    s->setToolTip(tip);
    s->setMinimumWidth(90);
    return s;
}
} // namespace

void CaptionLabel::mousePressEvent(QMouseEvent* event) {
    emit pressed(event->button());
    QLabel::mousePressEvent(event);
}

RandomBankView::RandomBankView(RandomBank& bank, Levels& levels, RandomBankViewHooks hooks,
                               QWidget* parent)
    : QWidget(parent), m_bank(bank), m_numbered(&bank), m_levels(levels),
      m_hooks(std::move(hooks)) {
    build(QString::fromStdString(bank.table().theme));
}

RandomBankView::RandomBankView(CustomRandomBank& bank, Levels& levels, RandomBankViewHooks hooks,
                               QWidget* parent)
    : QWidget(parent), m_bank(bank), m_custom(&bank), m_levels(levels), m_hooks(std::move(hooks)) {
    build(QStringLiteral("Custom random sounds"));
}

RandomBankView::~RandomBankView() = default;

void RandomBankView::build(const QString& title) {
    setProperty("schemeDensity", "compact");
    setObjectName(QString::fromStdString(m_bank.windowName()));
    setWindowTitle(title);
    setAutoFillBackground(true);
    auto* root = new QVBoxLayout(this);
    auto* heading = new QLabel(title);
    heading->setObjectName("lbltitle");
    QFont f = heading->font();
    f.setPointSize(f.pointSize() + 4);
    f.setBold(true);
    heading->setFont(f);
    markStandaloneOnly(heading); // hosted, the lit tab and theme say which bank this is
    root->addWidget(heading);
    root->addWidget(buildSlots(), 1);
    root->addWidget(buildCommands());
    root->addWidget(makeLevelCopies(m_levels,
                                    {{Level::Random, "maxvol"},
                                     {Level::Master, "ucSlider20"},
                                     {Level::Background, "ucSlider41"},
                                     {Level::Bwaves, "ucSlider19"},
                                     {Level::Mp3, "ucSlider40"},
                                     {Level::Cd, "hscroll51"}},
                                    this));

    m_connections.push_back(m_bank.slotChanged.connect([this](int n) { refreshSlot(n); }));
    m_connections.push_back(m_bank.bankChanged.connect([this] { refreshAll(); }));
    m_connections.push_back(m_bank.autoRandomizeChanged.connect([this](bool) { refreshAll(); }));
    refreshAll();
}

QWidget* RandomBankView::buildSlots() {
    auto* box = new QWidget;
    auto* grid = new QGridLayout(box);
    grid->setVerticalSpacing(2);
    const int perColumn = kRandomSlotsPerColumn;
    const int stride = m_custom ? 4 : 3;
    for (int c = 0; c < 2; ++c) {
        const int col0 = c * (stride + 1);
        for (int k = 0; k < 2; ++k) {
            auto* heading = new QLabel(k == 0 ? tr("Volume") : tr("Frequency"));
            heading->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
            heading->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
            grid->addWidget(heading, 0, col0 + 1 + k);
        }
        if (c == 0) grid->setColumnMinimumWidth(stride, 16);
    }
    for (int n = 1; n <= kRandomSlotCount; ++n) {
        const int row = 1 + (n - 1) % perColumn;
        const int col0 = (n <= perColumn ? 0 : 1) * (stride + 1);
        auto* caption = new CaptionLabel;
        caption->setObjectName(QStringLiteral("Label%1").arg(captionLabelOf(n)));
        caption->setMinimumWidth(110);
        caption->setCursor(Qt::PointingHandCursor);
        caption->setToolTip(m_custom ? tr("Left click to preview, right click to rename")
                                     : tr("Click to preview this sound"));
        connect(caption, &CaptionLabel::pressed, this, [this, n](Qt::MouseButton b) {
            if (b == Qt::LeftButton)
                m_bank.preview(n);
            else if (b == Qt::RightButton && m_custom)
                m_custom->renameSlot(n);
        });
        auto* volume =
            slotSlider(QStringLiteral("ucSlider%1").arg(volumeSliderOf(n)), tr("Volume"));
        auto* frequency =
            slotSlider(QStringLiteral("ucSlider%1").arg(frequencySliderOf(n)), tr("Frequency"));
        connect(volume, &QSlider::valueChanged, this, [this, n](int v) {
            if (!m_updating) m_bank.setVolume(n, v);
        });
        connect(frequency, &QSlider::valueChanged, this, [this, n](int v) {
            if (!m_updating) m_bank.setFrequency(n, v);
        });
        grid->addWidget(caption, row, col0);
        grid->addWidget(volume, row, col0 + 1);
        grid->addWidget(frequency, row, col0 + 2);
        if (m_custom) {
            auto* choose = new QToolButton;
            choose->setObjectName(QStringLiteral("cmdselect%1").arg(n));
            choose->setText(QStringLiteral("…"));
            choose->setToolTip(QStringLiteral("Select a sound for this channel"));
            connect(choose, &QToolButton::clicked, this, [this, n] { m_custom->chooseSound(n); });
            grid->addWidget(choose, row, col0 + 3);
        }
        grid->setRowStretch(row, 1); // the slot rows share the height, the headings do not
        m_captions[n - 1] = caption;
        m_volumes[n - 1] = volume;
        m_frequencies[n - 1] = frequency;
    }
    return box;
}

QPushButton* RandomBankView::command(const QString& text, const QString& tip,
                                     std::function<void()> action, const char* name) {
    auto* b = new QPushButton(text);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(tip);
    connect(b, &QPushButton::clicked, this, [action = std::move(action)] { action(); });
    return b;
}

QWidget* RandomBankView::buildCommands() {
    auto* box = new QWidget;
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    auto& b = m_bank;
    std::vector<QPushButton*> buttons;
    if (m_numbered) {
        buttons.push_back(command(
            tr("Save"), "Save this forms current configuration",
            [this] { m_numbered->saveConfiguration(); }, "cmdsave"));
        buttons.push_back(command(
            tr("Load"), "Load a previously saved configuration for this form",
            [this] { m_numbered->loadConfiguration(); }, "cmdload"));
    } else {
        buttons.push_back(command(
            tr("Save"), "Save this forms current configuration",
            [this] { m_custom->saveConfiguration(); }, "cmdsave"));
        buttons.push_back(command(
            tr("Load"), "Load a previously saved configuration for this form",
            [this] { m_custom->loadConfiguration(); }, "cmdload"));
        buttons.push_back(command(
            tr("Load files"), "Load mutliple files at once",
            [this] {
                if (m_hooks.openPicker) m_hooks.openPicker();
            },
            "cmdmultiple"));
        buttons.push_back(command(
            tr("Reset"), "Reset all sounds on this form to their defaults",
            [this] { m_custom->resetSounds(); }, "cmdreset"));
    }
    buttons.push_back(command(
        tr("Vol min"), "Set all volumes to minimum ( Current bank only )",
        [&b] { b.setAllVolumes(0); }, "cmdvolmin"));
    buttons.push_back(command(
        tr("Vol max"), "Set all volumes to maximum ( Current bank only )",
        [&b] { b.setAllVolumes(kRandomSliderMax); }, "cmdvolmax"));
    buttons.push_back(command(
        tr("Vol -"), tr("Turn every volume down ( Current bank only )"),
        [&b] { b.stepVolumes(-25); }, "cmdvoldown"));
    buttons.push_back(command(
        tr("Vol +"), tr("Turn every volume up ( Current bank only )"), [&b] { b.stepVolumes(25); },
        "cmdvolup"));
    buttons.push_back(command(
        tr("Freq off"), "Set all frequencies to Off ( Current bank only )",
        [&b] { b.setAllFrequenciesOff(); }, "cmdfreqoff"));
    buttons.push_back(command(
        tr("Freq max"), "Set all frequencies to maximum ( Current bank only )",
        [&b] { b.setAllFrequenciesToMaximum(); }, "cmdfreqmax"));
    buttons.push_back(command(
        tr("Freq -"), tr("Make every sound rarer ( Current bank only )"),
        [&b] { b.stepFrequencies(-25); }, "cmdfreqdown"));
    buttons.push_back(command(
        tr("Freq +"), tr("Make every sound more frequent ( Current bank only )"),
        [&b] { b.stepFrequencies(25); }, "cmdfrequp"));
    buttons.push_back(command(
        tr("Randomize"), "Randomize frequencies now", [&b] { b.randomizeFrequencies(); },
        "cmdrandomize"));
    m_autoButton = command(
        tr("Auto"),
        m_numbered ? "Enable / Disable automatic frequency randomization"
                   : "Enable / Disable automatic randomization of frequencies",
        [this] {
            if (m_numbered)
                m_numbered->toggleAutoRandomize();
            else
                m_custom->toggleAutoRandomize();
        },
        "cmdauto");
    m_autoButton->setCheckable(true);
    buttons.push_back(m_autoButton);
    buttons.push_back(command(
        tr("Settings"),
        m_numbered ? "Change auto randomize settings" : "Change automatic randomize settings",
        [this] {
            if (m_hooks.openIntervals) m_hooks.openIntervals();
        },
        "cmdautosettings"));
    buttons.push_back(command(
        tr("Identify"), "Identify currently playing sounds",
        [this] {
            if (m_hooks.openIdentify) m_hooks.openIdentify();
        },
        "cmdidentify"));
    m_linkButton = command(
        tr("Link"), "Moves all sliders when active",
        [this] { m_bank.setLinkMode(!m_bank.linkMode()); }, "cmdlink");
    m_linkButton->setCheckable(true);
    buttons.push_back(m_linkButton);
    buttons.push_back(command(
        tr("Stop"), tr("Stop every sound of this bank"), [&b] { b.stopAll(); }, "Command1"));
    const int perRow = (static_cast<int>(buttons.size()) + 1) / 2;
    for (int i = 0; i < static_cast<int>(buttons.size()); ++i)
        grid->addWidget(buttons[i], i / perRow, i % perRow);
    return box;
}

void RandomBankView::refreshSlot(int n) {
    const auto& s = m_bank.slot(n);
    m_updating = true;
    m_captions[n - 1]->setText(QString::fromStdString(s.caption));
    m_volumes[n - 1]->setValue(s.volume);
    m_frequencies[n - 1]->setValue(s.frequency);
    m_updating = false;
}

void RandomBankView::refreshAll() {
    for (int n = 1; n <= kRandomSlotCount; ++n)
        refreshSlot(n);
    m_updating = true;
    m_linkButton->setChecked(m_bank.linkMode());
    m_autoButton->setChecked(m_bank.autoRandomizeOn());
    m_updating = false;
    applyColors();
}

void RandomBankView::applyColors() {
    // The automatic-randomise toggle is checkable: the scheme shows it on by itself.
    applyScheme(this, m_bank.colors());
}

} // namespace velmora
