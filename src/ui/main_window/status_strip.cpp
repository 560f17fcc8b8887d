#include "status_strip.h"

#include "ui/widgets/lcd_display.h"

#include <QGridLayout>
#include <QLabel>
#include <QResizeEvent>

namespace velmora {

namespace {
constexpr int kSpacing = 8;
}

StatusStrip::StatusStrip(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("statusStrip"));
    m_grid = new QGridLayout(this);
    m_grid->setContentsMargins(0, 0, 0, 0);
    m_grid->setHorizontalSpacing(kSpacing);
    m_grid->setVerticalSpacing(1);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void StatusStrip::addDisplay(const QString& caption, LcdDisplay* display) {
    auto* label = new QLabel(caption, this);
    QFont small = label->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    label->setFont(small);
    display->setParent(this);
    display->setAccessibleName(caption);
    m_cells.push_back({label, display});
    m_shown.clear(); // arrange again
    refresh();
}

int StatusStrip::rowsNeeded(int width) const {
    // The displays are sized for their usual texts; below that width they would cut them.
    int wanted = 0;
    for (const auto& c : m_cells)
        if (!c.display->text().isEmpty()) wanted += c.display->sizeHint().width() + kSpacing;
    return wanted - kSpacing > width ? 2 : 1;
}

void StatusStrip::refresh() {
    // The clock rewrites its display every second: arrange only when a display comes or goes.
    std::vector<bool> shown;
    for (const auto& c : m_cells) {
        shown.push_back(!c.display->text().isEmpty());
        c.caption->setVisible(shown.back());
        c.display->setVisible(shown.back());
    }
    // Until the strip has its real width, take it that one row will do.
    const int rows = m_width > 0 ? rowsNeeded(m_width) : 1;
    if (shown == m_shown && rows == m_rows) return;
    m_shown = std::move(shown);
    arrange(rows);
}

void StatusStrip::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_width = event->size().width();
    refresh();
}

void StatusStrip::arrange(int rows) {
    std::vector<const Cell*> shown;
    for (const auto& c : m_cells)
        if (!c.display->text().isEmpty()) shown.push_back(&c);
    for (const auto& c : m_cells) {
        m_grid->removeWidget(c.caption);
        m_grid->removeWidget(c.display);
    }
    for (int column = 0; column < m_grid->columnCount(); ++column)
        m_grid->setColumnStretch(column, 0);
    const int perRow = std::max<int>(1, (static_cast<int>(shown.size()) + rows - 1) / rows);
    for (int i = 0; i < static_cast<int>(shown.size()); ++i) {
        const int row = (i / perRow) * 2;
        const int column = i % perRow;
        m_grid->addWidget(shown[i]->caption, row, column);
        m_grid->addWidget(shown[i]->display, row + 1, column, Qt::AlignTop);
        // Wider displays (longer texts) take more of the spare width.
        m_grid->setColumnStretch(
            column, std::max(m_grid->columnStretch(column), shown[i]->display->sizeHint().width()));
    }
    m_rows = rows;
}

} // namespace velmora
