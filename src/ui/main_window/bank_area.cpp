#include "bank_area.h"

#include "ui/banks/bank_navigation.h"
#include "ui/widgets/command_button.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>

#include <utility>

namespace velmora {

BankArea::BankArea(BankPanels& panels, QWidget* parent)
    : QGroupBox(tr("Sound banks"), parent), m_panels(panels) {
    auto* v = new QVBoxLayout(this);
    v->setSpacing(4);
    m_tabs = makeButtonRow(bankTabs());
    m_themes = makeButtonRow(randomThemeTabs());
    m_themes.widget->hide(); // until a numbered random bank is shown
    v->addWidget(m_tabs.widget);
    v->addWidget(m_themes.widget);

    m_stack = new QStackedWidget(this);
    m_stack->setObjectName(QStringLiteral("bankArea"));
    auto* noPanel = new QLabel(tr("No sound bank is loaded."), m_stack);
    noPanel->setAlignment(Qt::AlignCenter);
    m_stack->addWidget(noPanel);
    v->addWidget(m_stack, 1);

    m_shown = m_panels.bankShown.connect([this](const std::string& name) { showPanel(name); });
}

BankArea::ButtonRow BankArea::makeButtonRow(const std::vector<BankTab>& tabs) {
    ButtonRow out;
    out.widget = new QWidget(this);
    out.group = new QButtonGroup(out.widget);
    out.group->setExclusive(true);
    auto* row = new QHBoxLayout(out.widget);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    for (const auto& tab : tabs) {
        if (!m_panels.bank(tab.windowName)) continue; // only banks that exist
        auto* button = makeCommandButton(out.widget, tab.objectName.toLatin1().constData(),
                                         tab.caption, tr("Show the %1 bank").arg(tab.caption));
        button->setCheckable(true);
        out.group->addButton(button);
        out.byWindow[tab.windowName] = button;
        const std::string window = tab.windowName;
        connect(button, &QPushButton::clicked, this, [this, window] { m_panels.showBank(window); });
        row->addWidget(button);
    }
    row->addStretch(1);
    return out;
}

bool BankArea::ButtonRow::light(const std::string& window) {
    if (auto it = byWindow.find(window); it != byWindow.end()) {
        it->second->setChecked(true);
        return true;
    }
    // An exclusive group cannot be left with nothing checked any other way.
    group->setExclusive(false);
    for (QAbstractButton* b : group->buttons())
        b->setChecked(false);
    group->setExclusive(true);
    return false;
}

BankArea::~BankArea() = default;

void BankArea::addPanel(const std::string& windowName, PanelMaker make) {
    // Bank panels are made for their own window size; a scroll area keeps every control
    // reachable when the main window is smaller.
    auto* scroll = new QScrollArea(m_stack);
    scroll->setObjectName(QString::fromStdString(windowName) + QStringLiteral("Area"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    m_stack->addWidget(scroll);
    m_panelByWindow[windowName] = Panel{scroll, std::move(make)};
    if (windowName == m_panels.shownBank()) showPanel(windowName);
}

bool BankArea::make(Panel& panel) {
    if (!panel.make) return false;
    QWidget* made = std::exchange(panel.make, nullptr)();
    // The Levels column stands beside the bank area: the panel need not repeat it.
    hideStandaloneOnly(made);
    panel.area->setWidget(made);
    return true;
}

void BankArea::makeAllPanels() {
    bool made = false;
    for (auto& [name, p] : m_panelByWindow)
        if (make(p)) {
            made = true;
            p.area->widget()->setVisible(name == m_panels.shownBank());
        }
    if (made) {
        updateGeometry(); // the hint now counts the new panel
        emit panelMade();
    }
}

QWidget* BankArea::shownPanel() const {
    auto* scroll = qobject_cast<QScrollArea*>(m_stack->currentWidget());
    return scroll ? scroll->widget() : nullptr;
}

QSize BankArea::missingSize() const {
    return panelsNeed() - m_stack->size();
}

QSize BankArea::sizeHint() const {
    // The stack's own hint is a scroll area's, capped at a few hundred pixels.
    return QGroupBox::sizeHint() + (panelsNeed() - m_stack->sizeHint()).expandedTo(QSize(0, 0));
}

QSize BankArea::panelsNeed() const {
    QSize largest;
    for (const auto& [name, p] : m_panelByWindow) {
        QWidget* panel = p.area->widget();
        if (!panel) continue;    // not made yet: measured when it is
        panel->ensurePolished(); // hidden pages are not styled yet, and style decides sizes
        largest = largest.expandedTo(panel->minimumSizeHint().expandedTo(panel->minimumSize()));
    }
    // Only the themes' row comes and goes with the panel shown: count it always, so the
    // window does not have to grow when the user reaches the random banks.
    const int themes = m_themes.widget->isVisible() ? 0 : m_themes.widget->sizeHint().height() + 4;
    return {largest.width(), largest.height() + themes};
}

void BankArea::showPanel(const std::string& windowName) {
    // The tab of the kind of bank stays lit, and the theme too for a numbered random bank.
    m_tabs.light(tabWindowOf(windowName));
    m_themes.widget->setVisible(m_themes.light(windowName));

    const auto it = m_panelByWindow.find(windowName);
    const bool made = it != m_panelByWindow.end() && make(it->second);
    for (auto& [name, p] : m_panelByWindow) {
        const bool shown = name == windowName;
        if (QWidget* panel = p.area->widget()) panel->setVisible(shown);
        if (shown) m_stack->setCurrentWidget(p.area);
    }
    if (made) {
        updateGeometry(); // the hint now counts the new panel
        emit panelMade();
    }
}

} // namespace velmora
