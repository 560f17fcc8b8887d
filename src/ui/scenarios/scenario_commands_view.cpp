#include "scenario_commands_view.h"

#include "core/main_window/main_window_controller.h"
#include "ui/scenarios/preset_grid.h"
#include "ui/widgets/command_button.h"

#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {

ScenarioCommandsView::ScenarioCommandsView(MainWindowController& main,
                                           scenarios::ScenarioFiles& files,
                                           scenarios::PresetCommands& presetCommands,
                                           QWidget* parent)
    : QWidget(parent) {
    setProperty("schemeDensity", "compact");
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(4);

    auto* commands = new QGridLayout;
    commands->setSpacing(3);
    auto* saveAs = makeCommandButton(this, "chameleonButton3", tr("Save as"),
                                     QStringLiteral("Save the scenario"));
    auto* saveOver = makeCommandButton(this, "chameleonButton15", tr("Save"),
                                       QStringLiteral("Save the current scenario"));
    auto* remove = makeCommandButton(this, "chameleonButton10", tr("Delete"),
                                     QStringLiteral("Delete the selected scenario"));
    auto* previous = makeCommandButton(this, "chameleonButton2", tr("Previous"),
                                       QStringLiteral("Load the previous scenario"));
    auto* notes = makeCommandButton(this, "chameleonButton22", tr("Notes"),
                                    QStringLiteral("Toggle scenario information"));
    connect(saveAs, &QPushButton::clicked, this, [&files] { files.saveAs(); });
    connect(saveOver, &QPushButton::clicked, this, [&files] { files.saveOver(); });
    connect(remove, &QPushButton::clicked, this, [&files] { files.deleteSelected(); });
    connect(previous, &QPushButton::clicked, this, [&files] { files.loadPrevious(); });
    commands->addWidget(saveAs, 0, 0);
    commands->addWidget(saveOver, 0, 1);
    commands->addWidget(remove, 1, 0);
    commands->addWidget(previous, 1, 1);
    commands->addWidget(notes, 2, 0, 1, 2);
    v->addLayout(commands);
    m_loadingSensitive = {previous};

    m_notes = new QPlainTextEdit(this);
    m_notes->setObjectName(QStringLiteral("Text7"));
    m_notes->setAccessibleName(tr("Scenario notes"));
    m_notes->setPlaceholderText(tr("Notes kept with the scenario when it is saved"));
    m_notes->setMaximumHeight(90);
    m_notes->setVisible(false);
    v->addWidget(m_notes);
    connect(notes, &QPushButton::clicked, this,
            [this] { m_notes->setVisible(!m_notes->isVisible()); });
    connect(m_notes, &QPlainTextEdit::textChanged, this,
            [this, &files] { files.setNotes(m_notes->toPlainText().toStdString()); });
    m_connections.push_back(files.textsChanged.connect([this](const scenarios::MainMember& t) {
        const QString text = QString::fromStdString(t.notes);
        if (m_notes->toPlainText() != text) m_notes->setPlainText(text);
    }));

    auto* presetsTitle = new QLabel(tr("Presets"), this);
    v->addWidget(presetsTitle);
    m_presets = new PresetGrid(main.presets(), presetCommands, this);
    v->addWidget(m_presets);

    m_connections.push_back(
        main.scenarios().loadingChanged.connect([this](bool loading) { setLoading(loading); }));
    m_connections.push_back(main.colorsChanged.connect(
        [this](const ColorScheme& scheme) { m_presets->setScheme(scheme); }));
    m_presets->setScheme(main.colorScheme());
}

ScenarioCommandsView::~ScenarioCommandsView() = default;

void ScenarioCommandsView::setLoading(bool loading) {
    for (auto* b : m_loadingSensitive)
        b->setEnabled(!loading);
    m_presets->setLoading(loading);
}

} // namespace velmora
