#include "preset_grid.h"

#include "ui/widgets/command_button.h"
#include "ui/widgets/scheme_style.h"

#include <QEvent>
#include <QGridLayout>
#include <QPushButton>

namespace velmora {

namespace {
constexpr const char* kCaption = "caption";

/// A long scenario name ends in "..." rather than losing both ends to the button's edges.
void fitCaption(QPushButton* b) {
    const QString caption = b->property(kCaption).toString();
    b->setText(b->fontMetrics().elidedText(caption, Qt::ElideRight, std::max(20, b->width() - 20)));
}

QString buttonStyle(std::uint32_t back, std::uint32_t text) {
    return QStringLiteral("QPushButton { background-color: %1; color: %2; }")
        .arg(qColor(back).name(), qColor(text).name());
}
} // namespace

std::uint32_t presetButtonColour(const ColorScheme& scheme, bool assigned) {
    return assigned ? scheme.startGradient : scheme.buttonBack;
}

PresetGrid::PresetGrid(PresetButtons& presets, scenarios::PresetCommands& commands, QWidget* parent)
    : QWidget(parent), m_presets(presets) {
    // Fourteen presets under the scenario list: compact buttons keep the column within a
    // laptop screen's height.
    setProperty("schemeDensity", "compact");
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(3);
    for (int i = 0; i < state::kPresetCount; ++i) {
        const QByteArray name = "cmdpreset" + QByteArray::number(i);
        auto* b = makeCommandButton(this, name.constData(), {}, {});
        b->setMinimumWidth(60);
        b->installEventFilter(this);
        connect(b, &QPushButton::clicked, this, [this, i] { m_presets.click(i); });
        grid->addWidget(b, i / 2, i % 2);
        m_buttons[std::size_t(i)] = b;
    }
    struct Command {
        const char* object;
        const char* caption;
        const char* tip;
        void (scenarios::PresetCommands::*run)();
    };
    const Command rows[] = {
        {"xpbs24", "Assign", "Assign a saved scenario to a preset button",
         &scenarios::PresetCommands::assign},
        {"chameleonButton7", "Clear", "Clear current presets", &scenarios::PresetCommands::clear},
        {"chameleonButton14", "Save list", "Save the current preset configuration",
         &scenarios::PresetCommands::saveList},
        {"chameleonButton24", "Load list", "Load a preset configuration",
         &scenarios::PresetCommands::loadList},
    };
    int n = state::kPresetCount;
    for (const auto& c : rows) {
        auto* b = makeCommandButton(this, c.object, tr(c.caption), QString::fromUtf8(c.tip));
        connect(b, &QPushButton::clicked, this, [&commands, run = c.run] { (commands.*run)(); });
        grid->addWidget(b, n / 2, n % 2);
        ++n;
    }
    m_connections.push_back(presets.changed.connect([this] { showCaptions(); }));
    m_connections.push_back(presets.flashed.connect([this] { paintButtons(true); }));
    showCaptions();
}

PresetGrid::~PresetGrid() = default;

void PresetGrid::setScheme(const ColorScheme& scheme) {
    m_scheme = scheme;
    paintButtons(m_presets.isFlashing());
}

void PresetGrid::setLoading(bool loading) {
    for (auto* b : m_buttons)
        b->setEnabled(!loading);
}

void PresetGrid::showCaptions() {
    for (int i = 0; i < state::kPresetCount; ++i) {
        auto* b = m_buttons[std::size_t(i)];
        const QString caption = QString::fromStdString(m_presets.captions()[std::size_t(i)]);
        b->setProperty(kCaption, m_presets.isAssigned(i) ? caption : QStringLiteral("—"));
        fitCaption(b);
        b->setToolTip(caption);
        b->setAccessibleName(tr("Preset %1: %2").arg(i + 1).arg(caption));
    }
    paintButtons(false);
}

void PresetGrid::paintButtons(bool flashing) {
    for (int i = 0; i < state::kPresetCount; ++i) {
        const std::uint32_t back = flashing ? m_presets.flashColour()
                                            : presetButtonColour(m_scheme, m_presets.isAssigned(i));
        m_buttons[std::size_t(i)]->setStyleSheet(buttonStyle(back, m_scheme.buttonText));
    }
}

bool PresetGrid::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize)
        if (auto* b = qobject_cast<QPushButton*>(watched)) fitCaption(b);
    if (event->type() == QEvent::Enter || event->type() == QEvent::Leave) {
        for (int i = 0; i < state::kPresetCount; ++i)
            if (watched == m_buttons[std::size_t(i)])
                m_presets.hover(event->type() == QEvent::Enter ? i : -1);
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace velmora
