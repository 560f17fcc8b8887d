#pragma once
// The main window's status displays as one strip along the top: a small caption over each
// display, the displays that have nothing to say left out, so the space goes to those that
// do. One row while the shown displays fit the width, two when they would be cut.
//
// Thread: UI thread.

#include <QWidget>

#include <vector>

class QGridLayout;
class QLabel;

namespace velmora {

class LcdDisplay;

class StatusStrip : public QWidget {
    Q_OBJECT
  public:
    explicit StatusStrip(QWidget* parent = nullptr);

    /// Adds a display under caption, after those added before; the strip owns both.
    void addDisplay(const QString& caption, LcdDisplay* display);
    /// Shows or leaves out each display by its text, and rearranges the rows.
    void refresh();

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    struct Cell {
        QLabel* caption;
        LcdDisplay* display;
    };
    void arrange(int rows);
    [[nodiscard]] int rowsNeeded(int width) const;

    QGridLayout* m_grid;
    std::vector<Cell> m_cells;
    std::vector<bool> m_shown;
    int m_rows = 0;
    int m_width = 0;
};

} // namespace velmora
