#include "main_window_view.h"

#include "ui/main_window/bank_area.h"
#include "ui/main_window/status_strip.h"
#include "ui/main_window/window_fit.h"
#include "ui/widgets/command_button.h"
#include "ui/widgets/lcd_display.h"
#include "ui/widgets/level_slider.h"
#include "ui/widgets/scheme_style.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QTimer>

#include <algorithm>
#include <functional>

namespace velmora {

namespace {
QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

struct DisplaySpec {
    Display display;
    const char* caption;
    int columns;
};
// Clock and scenario first: they are what a glance at the window looks for.
constexpr DisplaySpec kDisplays[] = {
    {Display::Clock, "Clock", 9},
    {Display::Scenario, "Scenario", 22},
    {Display::Preset, "Preset", 18},
    {Display::Scheduler, "Scheduler", 14},
    {Display::AutoRandomise, "Auto randomize (random / custom)", 18},
    {Display::AutoChange, "Auto change", 16},
    {Display::ScenarioInformation, "Notes", 22},
    {Display::Picture, "Picture", 14},
    {Display::Effects, "Effects", 18},
    {Display::Mp3Time, "Music", 14},
    {Display::Cd, "CD", 11},
};

constexpr Level kLevelOrder[] = {Level::Master, Level::Random, Level::Background,
                                 Level::Bwaves, Level::Mp3,    Level::Cd};

struct WindowButtonText {
    const char* caption;
    const char* toolTip;
};
/// The caption and tool-tip of each button that opens a window, by window name.
WindowButtonText windowButtonText(const std::string& window) {
    static const std::map<std::string, WindowButtonText> texts = {
        {"Frmsoundindent", {"Identify", "Identify which sounds are currently playing"}},
        {"Timers", {"Scheduler", "Set scenarios to autochange according to time"}},
        {"Alarm", {"Alarm", "Change alarm settings"}},
        {"Sleep", {"Sleep", "Sleep timer: fade out and stop after a while"}},
        {"frmeffects", {"Effects", "Open the effects panel"}},
        {"frmmainmp3", {"MP3", "Open the MP3 player"}},
        {"frmcd", {"CD", "Open the CD player"}},
        {"frmremote2", {"Remote", "Show the remote control"}},
        {"frmDemo", {"Colours", "Change color scheme options"}},
        {"FRMOPTIONS", {"Options", "Change program options"}},
    };
    return texts.at(window);
}
} // namespace

MainWindowView::MainWindowView(MainWindowController& controller, Levels& levels, QWidget* parent)
    : QWidget(parent), m_controller(controller), m_levels(levels) {
    setObjectName(QStringLiteral("frmmain"));
    setWindowTitle(QString::fromUtf8(kProgramTitle));
    setFocusPolicy(Qt::StrongFocus);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(10, 10, 10, 10);
    root->setSpacing(8);
    root->addWidget(buildDisplays());

    auto* middle = new QHBoxLayout;
    middle->setSpacing(8);
    middle->addWidget(buildScenarios());
    m_bankArea = new BankArea(controller.panels(), this);
    middle->addWidget(m_bankArea, 1);
    middle->addWidget(buildLevels());
    root->addLayout(middle, 1);
    root->addWidget(buildCommands());

    m_connections.push_back(
        controller.displays().changed.connect([this](Display d, const std::string& text) {
            m_displays.at(d)->setText(qs(text));
            m_status->refresh();
        }));
    // A panel made after the first show may need more width than the others had.
    connect(m_bankArea, &BankArea::panelMade, this, [this] {
        if (m_fitted) fitPanels();
    });
    m_connections.push_back(
        controller.scenarios().listChanged.connect([this] { showScenarios(); }));
    m_connections.push_back(
        controller.scenarios().selectionChanged.connect([this](const std::string& name) {
            const auto items = m_scenarioList->findItems(qs(name), Qt::MatchExactly);
            if (!items.isEmpty()) m_scenarioList->setCurrentItem(items.front());
        }));
    m_connections.push_back(
        controller.commands().alarmChanged.connect([this](bool enabled) { showAlarm(enabled); }));
    m_connections.push_back(controller.colorsChanged.connect(
        [this](const ColorScheme& scheme) { applyColors(scheme); }));
    m_connections.push_back(
        controller.commands().mainVisibilityChanged.connect([this](bool visible) {
            if (visible) {
                show();
                raise();
                activateWindow();
            } else {
                hide();
            }
        }));
    m_connections.push_back(
        controller.windows().added.connect([this](const std::string&) { refreshWindowButtons(); }));

    for (const auto& spec : kDisplays)
        m_displays.at(spec.display)->setText(qs(controller.displays().text(spec.display)));
    m_status->refresh();
    showScenarios();
    showAlarm(controller.commands().isAlarmEnabled());
    applyColors(controller.colorScheme());
    refreshWindowButtons();
}

MainWindowView::~MainWindowView() = default;

QWidget* MainWindowView::buildDisplays() {
    m_status = new StatusStrip(this);
    for (const auto& spec : kDisplays) {
        auto* lcd = new LcdDisplay;
        lcd->setObjectName(QString::fromUtf8(displayObjectName(spec.display)));
        lcd->setColumns(spec.columns);
        m_status->addDisplay(tr(spec.caption), lcd);
        m_displays[spec.display] = lcd;
    }
    return m_status;
}

QWidget* MainWindowView::buildScenarios() {
    auto* box = new QGroupBox(tr("Scenarios"), this);
    // The box takes the width its names and buttons need (fitScenarioWidth), no more.
    box->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    auto* v = new QVBoxLayout(box);
    m_scenarioList = new QListWidget(box);
    m_scenarioList->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Expanding);
    m_scenarioList->setObjectName(QStringLiteral("combobox1"));
    m_scenarioList->setAccessibleName(tr("Scenarios"));
    v->addWidget(m_scenarioList, 1);
    connect(m_scenarioList, &QListWidget::currentTextChanged, this, [this](const QString& name) {
        if (!name.isEmpty()) m_controller.scenarios().select(name.toStdString());
    });
    connect(m_scenarioList, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem*) { m_controller.scenarios().loadSelected(); });

    // Loading needs the scenario files' reader; without it the list only shows what exists.
    m_loadScenario =
        makeCommandButton(this, "chameleonButton4", tr("Load"), tr("Load the selected scenario"));
    m_randomScenario = makeCommandButton(this, "chameleonButton9", tr("Random"),
                                         QStringLiteral("Load a random scenario from the list"));
    connect(m_loadScenario, &QPushButton::clicked, this,
            [this] { m_controller.scenarios().loadSelected(); });
    connect(m_randomScenario, &QPushButton::clicked, this,
            [this] { m_controller.scenarios().loadRandom(); });
    auto* row = new QHBoxLayout;
    row->addWidget(m_loadScenario);
    row->addWidget(m_randomScenario);
    v->addLayout(row);
    m_scenarioBox = v;
    m_connections.push_back(m_controller.scenarios().loadingChanged.connect([this](bool loading) {
        for (QWidget* w :
             {static_cast<QWidget*>(m_scenarioList), static_cast<QWidget*>(m_loadScenario),
              static_cast<QWidget*>(m_randomScenario)})
            w->setEnabled(!loading);
    }));
    return box;
}

QWidget* MainWindowView::buildLevels() {
    auto* box = new QGroupBox(tr("Levels"), this);
    auto* row = new QHBoxLayout(box);
    row->setSpacing(2);
    for (Level level : kLevelOrder)
        row->addWidget(new LevelSlider(m_levels, level, QString::fromUtf8(levelSliderName(level)),
                                       Qt::Vertical, box));
    return box;
}

QWidget* MainWindowView::buildCommands() {
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);

    auto* stop = makeCommandButton(this, "chameleonButton20", tr("Stop all"),
                                   QStringLiteral("Stop all sounds "));
    connect(stop, &QPushButton::clicked, this, [this] { m_controller.panels().stopAllSounds(); });
    row->addWidget(stop);
    auto* record =
        makeCommandButton(this, "picturebutton3", tr("Record"),
                          QStringLiteral("Create an audio recording of this soundscape"));
    connect(record, &QPushButton::clicked, this,
            [this] { m_controller.commands().startRecorder(); });
    row->addWidget(record);

    m_alarmOn =
        makeCommandButton(this, "xpbs28", tr("Alarm on"), QStringLiteral("Enable the alarm"));
    m_alarmOff =
        makeCommandButton(this, "xpbs27", tr("Alarm off"), QStringLiteral("Disable the alarm"));
    connect(m_alarmOn, &QPushButton::clicked, this,
            [this] { m_controller.commands().enableAlarm(); });
    connect(m_alarmOff, &QPushButton::clicked, this,
            [this] { m_controller.commands().disableAlarm(); });
    row->addWidget(m_alarmOn);
    row->addWidget(m_alarmOff);

    m_windowButtonRow = new QHBoxLayout;
    m_windowButtonRow->setSpacing(6);
    row->addLayout(m_windowButtonRow);
    m_visualButtonRow = new QHBoxLayout;
    m_visualButtonRow->setSpacing(6);
    row->addLayout(m_visualButtonRow);
    row->addStretch(1);

    auto* exit = makeCommandButton(this, "xpbs25", tr("Exit"), QStringLiteral("Exit Velmora"));
    connect(exit, &QPushButton::clicked, this, [this] { m_controller.quit(); });
    row->addWidget(exit);
    return bar;
}

void MainWindowView::refreshWindowButtons() {
    for (const auto& w : kWindowButtons) {
        if (m_windowButtonByWindow.count(w.windowName) || !m_controller.windows().has(w.windowName))
            continue;
        const auto text = windowButtonText(w.windowName);
        auto* button = makeCommandButton(this, w.objectName, tr(text.caption),
                                         QString::fromUtf8(text.toolTip));
        const std::string window = w.windowName;
        connect(button, &QPushButton::clicked, this,
                [this, window] { m_controller.commands().openWindow(window); });
        m_windowButtonByWindow[w.windowName] = button;
        // Keep the main window's fixed order whatever order the windows were wired in.
        int position = 0;
        for (const auto& other : kWindowButtons) {
            if (std::string(other.windowName) == window) break;
            if (m_windowButtonByWindow.count(other.windowName)) ++position;
        }
        m_windowButtonRow->insertWidget(position, button);
    }
    // The visual mode's five commands share one button and its menu: five more buttons would
    // push the command row past a laptop screen's width.
    VisualModeCommands* visual = m_controller.commands().visualMode();
    if (visual && !m_visualMenu) {
        auto* button = makeCommandButton(this, "cmdvisual", tr("Pictures"),
                                         QStringLiteral("Slideshow and panoramic views"));
        m_visualMenu = new QMenu(button);
        const auto add = [this](const char* name, const QString& caption, const char* toolTip,
                                std::function<void()> run) {
            QAction* action = m_visualMenu->addAction(caption);
            action->setObjectName(QString::fromLatin1(name));
            action->setToolTip(QString::fromUtf8(toolTip));
            connect(action, &QAction::triggered, this, std::move(run));
        };
        add("xpbs15", tr("Slideshow"), "Show the slideshow", [visual] { visual->slideshow(); });
        add("chameleonButton16", tr("Slideshow behind this window"),
            "Show the slideshow behind this window", [visual] { visual->slideshowBehindMain(); });
        add("xpbs23", tr("Panoramic view"), "Show the panoramic view",
            [visual] { visual->panoramic(); });
        add("chameleonButton18", tr("Next picture"), "Change Image",
            [visual] { visual->changeImage(); });
        button->setMenu(m_visualMenu);
        m_visualButtonRow->addWidget(button);
    }
    if (m_visualMenu && m_controller.windows().has("Formfolderselect") &&
        !m_visualMenu->findChild<QAction*>("chameleonButton17")) {
        m_visualMenu->addSeparator();
        QAction* select = m_visualMenu->addAction(tr("Choose pictures..."));
        select->setObjectName("chameleonButton17");
        select->setToolTip(QStringLiteral("Select a slideshow"));
        connect(select, &QAction::triggered, this,
                [this] { m_controller.windows().show("Formfolderselect"); });
    }
    // The alarm buttons only mean something once the alarm exists to act on the flag.
    showAlarm(m_controller.commands().isAlarmEnabled());
    const bool canLoad = m_controller.scenarios().canLoad();
    m_loadScenario->setVisible(canLoad);
    m_randomScenario->setVisible(canLoad);
}

void MainWindowView::addScenarioPart(QWidget* part) {
    m_scenarioBox->addWidget(part);
}

void MainWindowView::showEvent(QShowEvent* event) {
    if (!m_fitted) {
        m_fitted = true;
        if (const QRect screen = availableArea(*this); !screen.isEmpty())
            resize(openingSize(sizeHint(), screen));
        fitPanels();
        centreOnScreen(*this);
    }
    QWidget::showEvent(event);
}

void MainWindowView::paintEvent(QPaintEvent* event) {
    // The first paint means the window is on screen: the panels not shown yet are made now,
    // while the user looks at it, rather than before it appears.
    if (!m_painted) {
        m_painted = true;
        QTimer::singleShot(0, m_bankArea, &BankArea::makeAllPanels);
    }
    QWidget::paintEvent(event);
}

void MainWindowView::fitPanels() {
    // The window only grows as far as the screen allows; below that the scroll area keeps
    // every control reachable.
    QRect screen = availableArea(*this);
    if (screen.isEmpty()) screen = QRect(QPoint(), size());
    const QSize room(screen.width(), screen.height() - kWindowFrameAllowance);
    // The other boxes take part of any extra room until they reach their preferred sizes,
    // so measure again after each step; a few steps always settle it.
    for (int step = 0; step < 4; ++step) {
        layout()->activate();
        const QSize wanted =
            (size() + m_bankArea->missingSize().expandedTo(QSize(0, 0))).boundedTo(room);
        if (wanted.width() <= width() && wanted.height() <= height()) return;
        resize(wanted.expandedTo(size()));
        keepOnScreen(*this);
    }
}

void MainWindowView::showScenarios() {
    const QSignalBlocker block(m_scenarioList);
    m_scenarioList->clear();
    for (const auto& name : m_controller.scenarios().names())
        m_scenarioList->addItem(qs(name));
    const auto items =
        m_scenarioList->findItems(qs(m_controller.scenarios().selected()), Qt::MatchExactly);
    if (!items.isEmpty()) m_scenarioList->setCurrentItem(items.front());
    fitScenarioWidth();
}

void MainWindowView::fitScenarioWidth() {
    // As wide as the longest name, so the bank panel keeps the rest; never so narrow that an
    // empty list looks broken, never so wide that a long name starves the panel.
    constexpr int kNarrowest = 140;
    constexpr int kWidest = 280;
    int names = 0;
    const QFontMetrics metrics(m_scenarioList->font());
    for (int i = 0; i < m_scenarioList->count(); ++i)
        names = std::max(names, metrics.horizontalAdvance(m_scenarioList->item(i)->text()));
    const int list = names + 2 * m_scenarioList->frameWidth() +
                     m_scenarioList->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 12;
    m_scenarioList->setMinimumWidth(std::clamp(list, kNarrowest, kWidest));
}

void MainWindowView::showAlarm(bool enabled) {
    const bool exists = m_controller.windows().has(kAlarmWindow);
    m_alarmOn->setVisible(exists && !enabled);
    m_alarmOff->setVisible(exists && enabled);
}

void MainWindowView::applyColors(const ColorScheme& scheme) {
    applyScheme(this, scheme);
    for (auto& [display, lcd] : m_displays)
        lcd->setScheme(scheme);
}

void MainWindowView::closeEvent(QCloseEvent* event) {
    // Closing the window is quitting: the same order, nothing lost.
    if (!m_controller.hasQuit()) m_controller.quit();
    event->accept();
}

void MainWindowView::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Control:
    case Qt::Key_Shift:
    case Qt::Key_Alt:
    case Qt::Key_Meta:
    case Qt::Key_unknown:
        QWidget::keyPressEvent(event);
        return;
    default:
        break;
    }
    const QKeySequence sequence(event->keyCombination());
    m_controller.commands().handleKey(sequence.toString(QKeySequence::PortableText).toStdString());
    QWidget::keyPressEvent(event);
}

} // namespace velmora
