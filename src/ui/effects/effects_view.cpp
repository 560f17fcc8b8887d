#include "ui/effects/effects_view.h"

#include "ui/startup/window_position.h"
#include "ui/widgets/command_button.h"
#include "ui/widgets/scheme_style.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace velmora {

using effects::EffectsPage;

namespace {
QString bandCaption(int band) {
    const float hz = effects::kBandCentres[std::size_t(band)];
    return hz >= 1000 ? QString::number(double(hz) / 1000.0) + " kHz"
                      : QString::number(double(hz)) + " Hz";
}

QString gainText(int value) {
    const int db = value - effects::kBandFlat;
    return (db > 0 ? QStringLiteral("+") : QString()) + QString::number(db) + " dB";
}

/// The slider's value as the user thinks of it.
QString reverbValueText(int slider, int value) {
    using namespace effects;
    switch (slider) {
    case kRoom:
    case kRoomHF:
    case kReflections:
        return QString::number(value - 10000) + " mB";
    case kReverbLevel:
        return QString::number(value) + " mB";
    case kRollOff:
        return QString::number(10 - value);
    case kDecayTime:
        return QString::number(value / 100.0, 'f', 2) + " s";
    case kDecayHFRatio:
        return QString::number(value / 100.0, 'f', 2);
    case kReflectionsDelay:
    case kReverbDelay:
        return QString::number(value) + " ms";
    case kDiffusion:
    case kDensity:
        return QString::number(value) + " %";
    default:
        return QString::number(value) + " Hz";
    }
}
} // namespace

EffectsView::EffectsView(effects::EffectsController& controller, SettingsStore& settings,
                         QWidget* parent)
    : QWidget(parent, Qt::Window), m_controller(controller), m_settings(settings) {
    setObjectName(effects::EffectsController::kWindowName);
    setWindowTitle(tr("Effects"));
    auto* layout = new QVBoxLayout(this);
    auto* pageRow = new QHBoxLayout;
    const char* pageNames[] = {"cmdequaliser", "cmdreverb"};
    const QString pageCaptions[] = {tr("Equaliser"), tr("Reverb")};
    for (int i = 0; i < 2; ++i) {
        m_pageButtons[std::size_t(i)] = makeCommandButton(
            this, pageNames[i], pageCaptions[i], tr("Show the %1 page").arg(pageCaptions[i]));
        m_pageButtons[std::size_t(i)]->setCheckable(true);
        connect(m_pageButtons[std::size_t(i)], &QPushButton::clicked, this,
                [this, i] { m_controller.showPage(EffectsPage(i)); });
        pageRow->addWidget(m_pageButtons[std::size_t(i)]);
    }
    pageRow->addStretch();
    layout->addLayout(pageRow);
    m_pages = new QStackedWidget(this);
    m_pages->addWidget(buildEqualiser());
    m_pages->addWidget(buildReverb());
    layout->addWidget(m_pages);
    m_notice = new QLabel(this);
    m_notice->setObjectName("lblnotice");
    m_notice->setWordWrap(true);
    layout->addWidget(m_notice);
    m_changed = m_controller.changed.connect([this] { redraw(); });
    redraw();
}

QWidget* EffectsView::buildPresetRow(EffectsPage page, QWidget* parent) {
    const bool eq = page == EffectsPage::Equaliser;
    PageControls& c = m_page[std::size_t(page)];
    auto* row = new QWidget(parent);
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    c.toggle = makeCommandButton(
        row, eq ? "cmdeqonoff" : "cmdreverbonoff", eq ? tr("Equaliser on") : tr("Reverb on"),
        eq ? tr("Switch the equaliser on or off") : tr("Switch the reverb on or off"));
    c.toggle->setCheckable(true);
    connect(c.toggle, &QPushButton::clicked, this, [this, page] { m_controller.toggle(page); });
    c.list = new QComboBox(row);
    c.list->setObjectName(eq ? "cboeqpresets" : "cboreverbpresets");
    c.list->setEditable(true); // shows "Custom" and the like besides the presets
    c.list->lineEdit()->setReadOnly(true);
    c.list->setMinimumContentsLength(18);
    connect(c.list, &QComboBox::activated, this,
            [this, page](int index) { m_controller.choosePreset(page, index); });
    auto* previous =
        makeCommandButton(row, eq ? "cmdeqprev" : "cmdreverbprev", "<", tr("Previous preset"));
    auto* next = makeCommandButton(row, eq ? "cmdeqnext" : "cmdreverbnext", ">", tr("Next preset"));
    auto* save = makeCommandButton(row, eq ? "cmdeqsave" : "cmdreverbsave", tr("Save..."),
                                   tr("Save these settings as a preset"));
    auto* remove = makeCommandButton(row, eq ? "cmdeqdelete" : "cmdreverbdelete", tr("Delete"),
                                     tr("Delete the selected preset"));
    connect(previous, &QPushButton::clicked, this,
            [this, page] { m_controller.previousPreset(page); });
    connect(next, &QPushButton::clicked, this, [this, page] { m_controller.nextPreset(page); });
    connect(save, &QPushButton::clicked, this, [this, page] { m_controller.savePreset(page); });
    connect(remove, &QPushButton::clicked, this, [this, page] { m_controller.deletePreset(page); });
    h->addWidget(c.toggle);
    h->addSpacing(12);
    h->addWidget(new QLabel(tr("Preset:"), row));
    for (QWidget* w : std::initializer_list<QWidget*>{c.list, previous, next, save, remove}) {
        h->addWidget(w);
        c.enabledWhenOn.push_back(w);
    }
    if (eq) {
        auto* flat = makeCommandButton(row, "cmdflat", tr("Flat"), tr("Every band to 0 dB"));
        connect(flat, &QPushButton::clicked, this, [this] { m_controller.flat(); });
        h->addWidget(flat);
        c.enabledWhenOn.push_back(flat);
    } else {
        auto* defaults = makeCommandButton(row, "cmddefaults", tr("Defaults"),
                                           tr("Restore every reverb setting to its default"));
        connect(defaults, &QPushButton::clicked, this,
                [this] { m_controller.restoreReverbDefaults(); });
        h->addWidget(defaults);
        c.enabledWhenOn.push_back(defaults);
    }
    h->addStretch();
    return row;
}

QWidget* EffectsView::buildEqualiser() {
    auto* page = new QWidget(this);
    auto* v = new QVBoxLayout(page);
    v->addWidget(buildPresetRow(EffectsPage::Equaliser, page));
    auto* grid = new QGridLayout;
    for (int band = 0; band < effects::kBandCount; ++band) {
        auto* slider = new QSlider(Qt::Vertical, page);
        slider->setObjectName(QStringLiteral("sldband%1").arg(band));
        slider->setRange(effects::kBandRange.min, effects::kBandRange.max);
        slider->setMinimumHeight(180);
        slider->setTickPosition(QSlider::TicksBothSides);
        slider->setTickInterval(5);
        connect(slider, &QSlider::valueChanged, this, [this, band](int value) {
            if (!m_redrawing) m_controller.setBand(band, value);
        });
        m_bands[std::size_t(band)] = slider;
        m_bandValues[std::size_t(band)] = new QLabel(page);
        grid->addWidget(m_bandValues[std::size_t(band)], 0, band, Qt::AlignHCenter);
        grid->addWidget(slider, 1, band, Qt::AlignHCenter);
        grid->addWidget(new QLabel(bandCaption(band), page), 2, band, Qt::AlignHCenter);
        m_page[0].enabledWhenOn.push_back(slider);
    }
    v->addLayout(grid);
    return page;
}

QWidget* EffectsView::buildReverb() {
    auto* page = new QWidget(this);
    auto* v = new QVBoxLayout(page);
    v->addWidget(buildPresetRow(EffectsPage::Reverb, page));
    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(2);
    int row = 0;
    for (int i = 0; i < effects::kReverbSliderCount; ++i) {
        const char* caption = effects::reverbCaptions()[std::size_t(i)];
        // Sliders that reach no part of the reverb stay in the presets but off the window.
        if (*caption == '\0') continue;
        const auto range = effects::reverbRanges()[std::size_t(i)];
        auto* slider = new QSlider(Qt::Horizontal, page);
        slider->setObjectName(QStringLiteral("sldreverb%1").arg(i));
        slider->setRange(range.min, range.max);
        slider->setMinimumWidth(320);
        connect(slider, &QSlider::valueChanged, this, [this, i](int value) {
            if (!m_redrawing) m_controller.setReverbSlider(i, value);
        });
        m_reverb[std::size_t(i)] = slider;
        m_reverbValues[std::size_t(i)] = new QLabel(page);
        m_reverbValues[std::size_t(i)]->setMinimumWidth(80);
        grid->addWidget(new QLabel(tr(caption), page), row, 0);
        grid->addWidget(slider, row, 1);
        grid->addWidget(m_reverbValues[std::size_t(i)], row, 2);
        m_page[1].enabledWhenOn.push_back(slider);
        ++row;
    }
    v->addLayout(grid);
    return page;
}

void EffectsView::redraw() {
    m_redrawing = true;
    const int shown = int(m_controller.page());
    m_pages->setCurrentIndex(shown);
    for (int i = 0; i < 2; ++i) {
        m_pageButtons[std::size_t(i)]->setChecked(i == shown);
        const auto page = EffectsPage(i);
        PageControls& c = m_page[std::size_t(i)];
        const bool on = m_controller.isOn(page);
        c.toggle->setChecked(on);
        for (QWidget* w : c.enabledWhenOn)
            w->setEnabled(on);
        const QSignalBlocker block(c.list);
        c.list->clear();
        for (const auto& name : m_controller.presets(page))
            c.list->addItem(QString::fromStdString(name));
        c.list->setCurrentIndex(m_controller.presetIndex(page));
        c.list->setEditText(QString::fromStdString(m_controller.presetText(page)));
    }
    for (int band = 0; band < effects::kBandCount; ++band) {
        const int value = m_controller.bands()[std::size_t(band)];
        m_bands[std::size_t(band)]->setValue(value);
        m_bandValues[std::size_t(band)]->setText(gainText(value));
    }
    for (int i = 0; i < effects::kReverbSliderCount; ++i) {
        if (!m_reverb[std::size_t(i)]) continue;
        const int value = m_controller.reverb()[std::size_t(i)];
        m_reverb[std::size_t(i)]->setValue(value);
        m_reverbValues[std::size_t(i)]->setText(reverbValueText(i, value));
    }
    m_notice->setText(QString::fromStdString(m_controller.notice()));
    m_notice->setVisible(!m_controller.notice().empty());
    m_redrawing = false;
}

void EffectsView::open() {
    if (!m_placed) {
        m_placed = true;
        adjustSize();
        restoreWindowPosition(this, m_settings);
    }
    show();
    raise();
    activateWindow();
}

void EffectsView::savePosition() {
    if (m_placed) saveWindowPosition(this, m_settings);
}

void EffectsView::docolors(const ColorScheme& scheme) {
    applyScheme(this, scheme);
}

} // namespace velmora
