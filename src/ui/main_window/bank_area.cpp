#include "bank_area.h"

#include "ui/banks/bank_navigation.h"
#include "ui/widgets/command_button.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QStyle>

#include <algorithm>
#include <utility>

namespace velmora {

BankArea::BankArea(BankPanels& panels, QWidget* parent)
    : QGroupBox(tr("Sound banks"), parent), m_panels(panels) {
    auto* v = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    row->setSpacing(4);
    m_buttons = new QButtonGroup(this);
    m_buttons->setExclusive(true);
    for (const auto& b : kBankButtons) {
        if (!m_panels.bank(b.windowName)) continue; // only banks that exist
        const QString caption = bankPanelCaption(b.windowName);
        auto* button =
            makeCommandButton(this, b.objectName, caption, tr("Show the %1 bank").arg(caption));
        button->setCheckable(true);
        m_buttons->addButton(button);
        m_buttonByWindow[b.windowName] = button;
        const std::string window = b.windowName;
        connect(button, &QPushButton::clicked, this, [this, window] { m_panels.showBank(window); });
        row->addWidget(button);
    }
    row->addStretch(1);
    v->addLayout(row);

    m_stack = new QStackedWidget(this);
    m_stack->setObjectName(QStringLiteral("bankArea"));
    auto* noPanel = new QLabel(tr("No sound bank is loaded."), m_stack);
    noPanel->setAlignment(Qt::AlignCenter);
    m_stack->addWidget(noPanel);
    v->addWidget(m_stack, 1);

    m_shown = m_panels.bankShown.connect([this](const std::string& name) { showPanel(name); });
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
    panel.area->setWidget(std::exchange(panel.make, nullptr)());
    return true;
}

void BankArea::makeAllPanels() {
    bool made = false;
    for (auto& [name, p] : m_panelByWindow)
        if (make(p)) {
            made = true;
            p.area->widget()->setVisible(name == m_panels.shownBank());
        }
    if (made) emit panelMade();
}

QWidget* BankArea::shownPanel() const {
    auto* scroll = qobject_cast<QScrollArea*>(m_stack->currentWidget());
    return scroll ? scroll->widget() : nullptr;
}

int BankArea::missingWidth() const {
    int widest = 0;
    for (const auto& [name, p] : m_panelByWindow) {
        QWidget* panel = p.area->widget();
        if (!panel) continue;    // not made yet: measured when it is
        panel->ensurePolished(); // hidden pages are not styled yet, and style decides sizes
        widest =
            std::max(widest, panel->minimumSizeHint().expandedTo(panel->minimumSize()).width());
    }
    // A tall panel also gets a vertical scroll bar, which takes its width.
    return widest + style()->pixelMetric(QStyle::PM_ScrollBarExtent) - m_stack->width();
}

void BankArea::showPanel(const std::string& windowName) {
    if (auto it = m_buttonByWindow.find(windowName); it != m_buttonByWindow.end())
        it->second->setChecked(true);
    else if (auto* checked = m_buttons->checkedButton()) {
        // A bank without a button of its own (random banks 2-4): no button stays lit.
        m_buttons->setExclusive(false);
        checked->setChecked(false);
        m_buttons->setExclusive(true);
    }
    const auto it = m_panelByWindow.find(windowName);
    const bool made = it != m_panelByWindow.end() && make(it->second);
    for (auto& [name, p] : m_panelByWindow) {
        const bool shown = name == windowName;
        if (QWidget* panel = p.area->widget()) panel->setVisible(shown);
        if (shown) m_stack->setCurrentWidget(p.area);
    }
    if (made) emit panelMade();
}

} // namespace velmora
