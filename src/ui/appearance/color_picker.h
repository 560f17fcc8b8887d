#pragma once
// Frmcolorpicker: a small window that returns one colour for the element number it was
// opened with. The toolkit's colour chooser does the choosing; the window gives it our
// caption, our colours and a remembered place.
//
// Thread: UI thread.

#include "platform/settings_store.h"

#include <cstdint>
#include <optional>

class QWidget;

namespace velmora {

struct ColorScheme;

/// Asks for the colour of element 1..15, starting from current (0xBBGGRR); nullopt when
/// cancelled.
[[nodiscard]] std::optional<std::uint32_t> pickElementColour(QWidget* parent, int element,
                                                             std::uint32_t current,
                                                             const ColorScheme& scheme,
                                                             SettingsStore& settings);

} // namespace velmora
