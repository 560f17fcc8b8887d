#include "slider_look.h"

#include "ui/widgets/scheme_style.h"

#include <QSlider>

namespace velmora {

QString inactiveSliderLook(const ColorScheme& scheme) {
    const QString plain = grooveColor(scheme).name();
    return QStringLiteral("QSlider::sub-page:horizontal { background: %1; border-radius: 3px; }")
        .arg(plain);
}

void showActiveLook(QSlider* slider, bool active, const QString& inactiveLook) {
    const QString& wanted = active ? QString() : inactiveLook;
    // Setting a style sheet re-polishes the widget: only when the look really changes.
    if (slider->styleSheet() != wanted) slider->setStyleSheet(wanted);
}

} // namespace velmora
