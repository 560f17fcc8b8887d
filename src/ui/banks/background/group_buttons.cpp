#include "group_buttons.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QWidget>

namespace velmora {

QPushButton* makeCommandButton(const QString& glyph, const QString& toolTip,
                               const QString& objectName, QWidget* parent) {
    auto* b = new QPushButton(glyph, parent);
    b->setObjectName(objectName);
    b->setToolTip(toolTip);
    b->setFocusPolicy(Qt::NoFocus);
    b->setStyleSheet(QStringLiteral("padding: 1px 5px; min-height: 1.1em;"));
    return b;
}

QWidget* makeGroupButtonRow(std::span<const GroupButton> buttons,
                            const std::function<void(GroupCommand)>& run, QWidget* parent) {
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    for (const auto& g : buttons) {
        auto* b = makeCommandButton(QString::fromUtf8(g.glyph), QString::fromUtf8(g.toolTip),
                                    QString::fromUtf8(g.objectName), row);
        const GroupCommand command = g.command;
        QObject::connect(b, &QPushButton::clicked, row, [run, command] { run(command); });
        layout->addWidget(b);
    }
    return row;
}

} // namespace velmora
