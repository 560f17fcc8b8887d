#pragma once
// Where the main window opens and how big: what its controls need, grown on a large screen
// so the bank panel gets room to breathe, never past the screen, and centred on it.
//
// Thread: UI thread.

#include <QRect>
#include <QSize>

class QWidget;

namespace velmora {

/// Room left for the title bar and frame the window manager adds around the window, pixels.
inline constexpr int kWindowFrameAllowance = 40;

/// The size to open at on a screen whose free area is available: needed (the layout's
/// size hint) grown towards three quarters of the screen's width and height,
/// height, then capped so the window and its frame stay on the screen.
[[nodiscard]] QSize openingSize(QSize needed, QRect available);

/// The free area of the window's screen; an empty rectangle when it has none.
[[nodiscard]] QRect availableArea(const QWidget& window);

/// Centres the window, frame included, on its screen.
void centreOnScreen(QWidget& window);

/// Moves the window back onto its screen where growing pushed its frame past an edge.
void keepOnScreen(QWidget& window);

} // namespace velmora
