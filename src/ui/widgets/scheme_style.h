#pragma once
// Applying a colour scheme to a Qt window: the palette for every standard widget, and a
// style sheet for the parts a palette cannot say (button rollover, the slider highlight
// gradient, group frames). Bank views and other windows call this from their docolors.
//
// Thread: UI thread.

#include "core/color_scheme.h"

#include <QColor>
#include <QString>

class QWidget;

namespace velmora {

[[nodiscard]] inline QColor qColor(std::uint32_t bgr) {
    return QColor::fromRgb(toRgb(bgr));
}

/// The style sheet of a window in this scheme (exposed for windows that add rules of their
/// own after it).
[[nodiscard]] QString schemeStyleSheet(const ColorScheme& scheme);
/// Sets the palette and the style sheet on window (its children inherit both).
void applyScheme(QWidget* window, const ColorScheme& scheme);

} // namespace velmora
