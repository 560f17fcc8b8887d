#include "command_button.h"

#include <QPushButton>

namespace velmora {

QPushButton* makeCommandButton(QWidget* parent, const char* objectName, const QString& caption,
                               const QString& toolTip) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromUtf8(objectName));
    if (!toolTip.isEmpty()) button->setToolTip(toolTip);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

} // namespace velmora
