#pragma once
// Velmora's icon, drawn rather than loaded so the window, the tray and the installed
// hicolor pictures are one drawing at every size (data/desktop/velmora.svg is its scalable twin).
//
// Thread: any thread for programIconImage (raster painting); UI thread for programIcon.

#include <QIcon>
#include <QImage>

namespace velmora {

/// The icon at size x size pixels, on a transparent background.
[[nodiscard]] QImage programIconImage(int size);
/// The icon at the sizes a window frame and a tray ask for.
[[nodiscard]] QIcon programIcon();

} // namespace velmora
