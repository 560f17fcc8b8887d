#pragma once
// A slider bound to one of the global levels: the main window's level sliders and every bank
// window's copies are all this widget over the one shared Levels model, so a move on any of
// them moves all. Caption above, value below.
//
// Thread: UI thread.

#include "core/levels.h"

#include <QWidget>

class QLabel;
class QSlider;

namespace velmora {

class LevelSlider : public QWidget {
    Q_OBJECT
  public:
    /// objectName: the slider's object name ("ucSlider3", or a bank's "ucSlider20").
    LevelSlider(Levels& levels, Level level, const QString& objectName,
                Qt::Orientation orientation = Qt::Vertical, QWidget* parent = nullptr);

    [[nodiscard]] QSlider* slider() const { return m_slider; }
    [[nodiscard]] Level level() const { return m_level; }

  private:
    void showValue(int value);

    Levels& m_levels;
    Level m_level;
    QSlider* m_slider;
    QLabel* m_value;
    Connection m_connection;
};

} // namespace velmora
