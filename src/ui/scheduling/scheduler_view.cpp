#include "scheduler_view.h"

#include "scheduling/time_of_day.h"
#include "ui/widgets/command_button.h"
#include "ui/widgets/scheme_style.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace velmora {

using scheduling::SchedulerMode;

namespace {
constexpr const char* kBadTimeTip = "Write the time as HH:MM:SS, for example 07:05:00";

QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QString& tip,
                    std::function<void()> action) {
    QPushButton* b = makeCommandButton(parent, name, caption, tip);
    QObject::connect(b, &QPushButton::clicked, parent, std::move(action));
    return b;
}

QWidget* tablePanel(SchedulerView* view, scheduling::Scheduler& s, auto& rows) {
    auto* panel = new QWidget(view);
    panel->setObjectName("Frame1");
    auto* grid = new QGridLayout(panel);
    grid->addWidget(new QLabel(QObject::tr("Scenario"), panel), 0, 2);
    grid->addWidget(new QLabel(QObject::tr("Time (HH:MM:SS)"), panel), 0, 3);
    for (int i = 0; i < scheduling::kTimeOfDayEntries; ++i) {
        const int r = i + 1;
        auto& row = rows[std::size_t(i)];
        row.enabled = new QCheckBox(QObject::tr("Enable this timer"), panel);
        row.enabled->setObjectName(QStringLiteral("Check%1").arg(r));
        row.name = new QLineEdit(panel);
        row.name->setObjectName(QStringLiteral("Text%1").arg(r));
        row.name->setReadOnly(true);
        row.name->setToolTip("Enter Scenario Name");
        row.time = new QLineEdit(panel);
        row.time->setObjectName(QStringLiteral("Time%1").arg(r));
        row.time->setToolTip("Enter Time");
        row.time->setMaxLength(8);
        row.time->setFixedWidth(90);
        const QString chooserName = QStringLiteral("cmdchoose%1").arg(r);
        auto* choose = makeCommandButton(panel, chooserName.toLatin1().constData(), "...",
                                         QObject::tr("Choose the scenario of this entry"));
        grid->addWidget(new QLabel(QString::number(r), panel), r, 0);
        grid->addWidget(row.enabled, r, 1);
        grid->addWidget(row.name, r, 2);
        grid->addWidget(row.time, r, 3);
        grid->addWidget(choose, r, 4);
        QObject::connect(row.enabled, &QCheckBox::clicked, view,
                         [&s, i](bool on) { s.setEnabled(i, on); });
        QObject::connect(row.time, &QLineEdit::editingFinished, view,
                         [&s, i, t = row.time] { s.setTriggerTime(i, t->text().toStdString()); });
        QObject::connect(choose, &QPushButton::clicked, view, [&s, i] { s.chooseScenario(i); });
    }
    grid->setColumnStretch(2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(button(panel, "cmdsavesch", QObject::tr("Save"),
                              QObject::tr("Save this schedule"), [&s] { s.saveSchedule(); }));
    buttons->addWidget(button(panel, "cmdloadsch", QObject::tr("Load"),
                              QObject::tr("Load a saved schedule"), [&s] { s.loadSchedule(); }));
    buttons->addWidget(button(panel, "cmdreset", QObject::tr("Reset"),
                              QObject::tr("Reset the table"), [&s] { s.resetTable(); }));
    buttons->addStretch();
    grid->addLayout(buttons, scheduling::kTimeOfDayEntries + 1, 0, 1, 5);
    return panel;
}
} // namespace

SchedulerView::SchedulerView(scheduling::Scheduler& scheduler, SettingsStore& settings,
                             std::function<void()> openFolderWindow, QWidget* parent)
    : QWidget(parent, Qt::Window), m_scheduler(scheduler), m_place(this, settings) {
    setObjectName("Timers");
    setWindowTitle("Scheduler");
    auto& s = m_scheduler;

    const char* modeTexts[] = {"Disable Scheduling", "Change scenario according to time of day",
                               "Change scenario at a specified interval"};
    const SchedulerMode modes[] = {SchedulerMode::Disabled, SchedulerMode::TimeOfDay,
                                   SchedulerMode::Interval};
    auto* modeRow = new QVBoxLayout;
    for (int i = 0; i < 3; ++i) {
        m_modes[std::size_t(i)] = new QRadioButton(modeTexts[i], this);
        m_modes[std::size_t(i)]->setObjectName(QStringLiteral("Option%1").arg(i + 1));
        modeRow->addWidget(m_modes[std::size_t(i)]);
        connect(m_modes[std::size_t(i)], &QRadioButton::clicked, this,
                [&s, mode = modes[i]] { s.setMode(mode); });
    }

    m_panels = new QStackedWidget(this);
    m_panels->addWidget(new QWidget(m_panels)); // Disabled: nothing to set
    m_panels->addWidget(tablePanel(this, s, m_rows));

    auto* playlist = new QWidget(m_panels);
    playlist->setObjectName("Frame2");
    m_interval = new QComboBox(playlist);
    m_interval->setObjectName("Combo1");
    m_interval->setPlaceholderText(scheduling::kInitialIntervalText);
    for (const char* t : scheduling::kIntervalTexts)
        m_interval->addItem(t);
    connect(m_interval, &QComboBox::activated, this, [&s](int i) { s.chooseInterval(i); });
    m_random = new QCheckBox("Use Random Order", playlist);
    m_random->setObjectName("Check9");
    connect(m_random, &QCheckBox::clicked, this, [&s](bool on) { s.setRandomOrder(on); });
    m_list = new QListWidget(playlist);
    m_list->setObjectName("List1");
    connect(m_list, &QListWidget::currentRowChanged, this, [&s](int row) {
        s.selectEntry(row < 0 ? std::nullopt : std::optional<std::size_t>(std::size_t(row)));
    });
    auto* intervalRow = new QHBoxLayout;
    intervalRow->addWidget(new QLabel(tr("Change every"), playlist));
    intervalRow->addWidget(m_interval);
    intervalRow->addStretch();
    intervalRow->addWidget(m_random);
    auto* side = new QVBoxLayout;
    side->addWidget(
        button(playlist, "cmdaddfile", "+ File", tr("Add a scenario file"), [&s] { s.addFile(); }));
    side->addWidget(button(playlist, "cmdadddir", "+ Dir", tr("Add every scenario of a folder"),
                           std::move(openFolderWindow)));
    side->addWidget(button(playlist, "cmddel", "Del", tr("Remove the selected scenario"),
                           [&s] { s.removeSelected(); }));
    side->addWidget(
        button(playlist, "cmdup", "Up", tr("Move the selected scenario up"), [&s] { s.moveUp(); }));
    side->addWidget(button(playlist, "cmddn", "Dn", tr("Move the selected scenario down"),
                           [&s] { s.moveDown(); }));
    side->addWidget(
        button(playlist, "cmdclear", "Clear", tr("Empty the list"), [&s] { s.clearPlaylist(); }));
    side->addStretch();
    side->addWidget(button(playlist, "cmdsavescp", tr("Save"), tr("Save this playlist"),
                           [&s] { s.savePlaylist(); }));
    side->addWidget(button(playlist, "cmdloadscp", tr("Load"), tr("Load a saved playlist"),
                           [&s] { s.loadPlaylist(); }));
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(m_list, 1);
    listRow->addLayout(side);
    auto* playlistLayout = new QVBoxLayout(playlist);
    playlistLayout->addLayout(intervalRow);
    playlistLayout->addLayout(listRow);
    m_panels->addWidget(playlist);

    auto* close = button(this, "cmdclose", tr("Close"), {}, [this] {
        if (m_scheduler.mayClose()) hide();
    });
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(modeRow);
    layout->addWidget(m_panels, 1);
    layout->addLayout(bottom);
    resize(620, 470);

    m_changed = m_scheduler.changed.connect([this] { refresh(); });
    refresh();
}

SchedulerView::~SchedulerView() = default;

void SchedulerView::applyColors(const ColorScheme& scheme) {
    applyScheme(this, scheme);
}

void SchedulerView::refresh() {
    const auto& s = m_scheduler;
    const int page = s.mode() == SchedulerMode::TimeOfDay  ? 1
                     : s.mode() == SchedulerMode::Interval ? 2
                                                           : 0;
    for (std::size_t i = 0; i < m_modes.size(); ++i) {
        const QSignalBlocker block(m_modes[i]);
        m_modes[i]->setAutoExclusive(false);
        m_modes[i]->setChecked(s.mode() != SchedulerMode::None && int(i) == page);
        m_modes[i]->setAutoExclusive(true);
    }
    m_panels->setCurrentIndex(page);

    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const auto& e = s.table()[i];
        auto& row = m_rows[i];
        const QSignalBlocker b1(row.enabled), b2(row.time);
        row.enabled->setChecked(e.enabled);
        row.name->setText(QString::fromStdString(e.displayName));
        row.name->setEnabled(e.enabled);
        row.time->setEnabled(e.enabled);
        if (!row.time->hasFocus()) row.time->setText(QString::fromStdString(e.triggerTime));
        // A time of another form can never match the clock: say so where it is typed.
        const bool bad = !scheduling::isClockText(e.triggerTime);
        row.time->setStyleSheet(bad ? QStringLiteral("QLineEdit { color: #d01010; }") : QString());
        row.time->setToolTip(bad ? QString(kBadTimeTip) : QStringLiteral("Enter Time"));
    }

    {
        const QSignalBlocker b(m_interval);
        m_interval->setCurrentIndex(s.intervalPosition());
    }
    {
        const QSignalBlocker b(m_random);
        m_random->setChecked(s.randomOrder());
    }
    const QSignalBlocker b(m_list);
    m_list->clear();
    for (const auto& e : s.playlist().entries())
        m_list->addItem(QString::fromStdString(e.display));
    m_list->setCurrentRow(s.playlist().selected() ? int(*s.playlist().selected()) : -1);
}

} // namespace velmora
