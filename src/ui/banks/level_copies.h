#pragma once
// The copies of the main window's levels that a bank window carries under the names the main
// window mirrors into. Shown only where the bank stands alone: hosted by the main window, the
// Levels column beside it is the one the user moves.
//
// Thread: UI thread.

#include "core/levels.h"

#include <initializer_list>
#include <utility>

class QWidget;

namespace velmora {

/// One copy: the level and the slider's object name on this bank ("maxvol", "ucSlider20").
using LevelCopy = std::pair<Level, const char*>;

/// Three copies to a row, so each slider keeps a usable length on the narrowest panel.
[[nodiscard]] QWidget* makeLevelCopies(Levels& levels, std::initializer_list<LevelCopy> copies,
                                       QWidget* parent);

} // namespace velmora
