#pragma once
// The active and inactive looks of a slot's sliders: a switched-off slot's sliders keep a
// plain groove, so the playing slots stand out.
//
// Thread: UI thread.

#include "core/color_scheme.h"

#include <QString>

class QSlider;

namespace velmora {

/// The style rules of an inactive slider in this scheme.
[[nodiscard]] QString inactiveSliderLook(const ColorScheme& scheme);
/// Gives the slider its active look (the window's style) or the inactive one.
void showActiveLook(QSlider* slider, bool active, const QString& inactiveLook);

} // namespace velmora
