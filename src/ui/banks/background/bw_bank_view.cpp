#include "bw_bank_view.h"

#include "group_buttons.h"
#include "slider_look.h"

#include "ui/banks/level_copies.h"
#include "ui/widgets/scheme_style.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

namespace velmora {
namespace {
QSlider* makeSlider(const QString& name, int min, int max, const QString& tip, QWidget* parent) {
    auto* s = new QSlider(Qt::Horizontal, parent);
    s->setObjectName(name);
    s->setRange(min, max);
    s->setToolTip(tip);
    s->setMinimumWidth(110);
    s->setFocusPolicy(Qt::NoFocus);
    return s;
}
} // namespace

BwBankView::BwBankView(BwBank& bank, Levels& levels, QWidget* parent)
    : QWidget(parent), m_bank(bank) {
    setObjectName(QString::fromStdString(bank.windowName()));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);

    const auto run = [this](GroupCommand c) { m_bank.runCommand(c); };
    auto* commands = new QWidget(this);
    auto* cl = new QHBoxLayout(commands);
    cl->setContentsMargins(0, 0, 0, 0);
    cl->addWidget(new QLabel(QStringLiteral("Volume"), commands));
    cl->addWidget(makeGroupButtonRow(kVolumeButtons, run, commands));
    cl->addSpacing(12);
    cl->addWidget(new QLabel(QStringLiteral("L / R Balance"), commands));
    cl->addWidget(makeGroupButtonRow(kPanButtons, run, commands));
    cl->addSpacing(12);
    auto* stop = makeCommandButton(tr("Stop all"), QStringLiteral("Stop all sounds on the form"),
                                   QStringLiteral("cmdStopAll"), commands);
    connect(stop, &QPushButton::clicked, this,
            [this] { m_bank.runCommand(GroupCommand::StopAll); });
    cl->addWidget(stop);
    cl->addStretch(1);
    layout->addWidget(commands);

    // Four bands side by side, four tones each.
    auto* bands = new QWidget(this);
    auto* bl = new QHBoxLayout(bands);
    bl->setContentsMargins(0, 0, 0, 0);
    static const char* const kBands[] = {"Alpha", "Beta", "Theta", "Delta"};
    m_rows.resize(BwBank::kSlots + 1);
    for (int band = 0; band < 4; ++band) {
        auto* group = new QGroupBox(QString::fromLatin1(kBands[band]), bands);
        auto* grid = new QGridLayout(group);
        grid->setVerticalSpacing(2);
        for (int i = 0; i < 4; ++i) {
            const int n = band * 4 + i + 1;
            const QString k = QString::number(n);
            Row& r = m_rows[static_cast<std::size_t>(n)];
            r.on = new QCheckBox(QString::fromStdString(BwBank::slotName(n)), group);
            r.on->setObjectName(QStringLiteral("Check") + k);
            r.volume = makeSlider(QStringLiteral("volume") + k, BwBank::kVolumeMin,
                                  SlotLimits::kVolumeMax, QStringLiteral("Volume"), group);
            r.pan = makeSlider(QStringLiteral("balance") + k, SlotLimits::kPanMin,
                               SlotLimits::kPanMax, QStringLiteral("L / R Balance"), group);
            grid->addWidget(r.on, i * 3, 0, 1, 2);
            grid->addWidget(new QLabel(QStringLiteral("Vol"), group), i * 3 + 1, 0);
            grid->addWidget(r.volume, i * 3 + 1, 1);
            grid->addWidget(new QLabel(QStringLiteral("L/R"), group), i * 3 + 2, 0);
            grid->addWidget(r.pan, i * 3 + 2, 1);
            connect(r.on, &QCheckBox::toggled, this, [this, n](bool on) { m_bank.setOn(n, on); });
            connect(r.volume, &QSlider::valueChanged, this,
                    [this, n](int v) { m_bank.setVolume(n, v); });
            connect(r.pan, &QSlider::valueChanged, this, [this, n](int v) { m_bank.setPan(n, v); });
        }
        bl->addWidget(group);
    }
    layout->addWidget(bands);

    // This bank's own level is Bwaves; the copies keep the names the main window mirrors into.
    layout->addWidget(makeLevelCopies(levels,
                                      {{Level::Bwaves, "maxvol"},
                                       {Level::Master, "ucSlider20"},
                                       {Level::Random, "ucSlider19"},
                                       {Level::Background, "ucSlider41"},
                                       {Level::Cd, "hscroll51"},
                                       {Level::Mp3, "ucSlider40"}},
                                      this));
    layout->addStretch(1);

    m_connections.push_back(m_bank.slotChanged.connect([this](int n) { redraw(n); }));
    m_connections.push_back(m_bank.changed.connect([this] {
        for (int n = 1; n <= BwBank::kSlots; ++n)
            redraw(n);
    }));
    m_connections.push_back(m_bank.colorsChanged.connect([this] { applyColors(); }));
    applyColors();
    for (int n = 1; n <= BwBank::kSlots; ++n)
        redraw(n);
}

BwBankView::~BwBankView() = default;

void BwBankView::redraw(int n) {
    const Row& r = m_rows[static_cast<std::size_t>(n)];
    const auto& s = m_bank.slot(n);
    const QSignalBlocker b1(r.on), b2(r.volume), b3(r.pan);
    r.on->setChecked(s.on);
    r.volume->setValue(s.volume);
    r.pan->setValue(s.pan);
    for (QSlider* w : {r.volume, r.pan})
        showActiveLook(w, s.on, m_inactiveLook);
}

void BwBankView::applyColors() {
    applyScheme(this, m_bank.colors());
    m_inactiveLook = inactiveSliderLook(m_bank.colors());
    for (int n = 1; n <= BwBank::kSlots; ++n)
        redraw(n);
}

} // namespace velmora
