#pragma once
// A small LCD-style text panel drawn in the colour scheme's LCD colours: backlight behind,
// unlit cells in the "LCD Off" colour, text in the "LCD On" colour with a soft "Blend" glow.
// Several lines are drawn one under the other. Any window may use it (LCD1..LCD8 of the main
// window, the remote's labels, the scheme editor's sample).
//
// Thread: UI thread.

#include "core/color_scheme.h"

#include <QWidget>

namespace velmora {

class LcdDisplay : public QWidget {
    Q_OBJECT
  public:
    explicit LcdDisplay(QWidget* parent = nullptr);

    void setText(const QString& text);
    [[nodiscard]] QString text() const { return m_text; }
    /// Takes the four LCD colours of the scheme.
    void setScheme(const ColorScheme& scheme);
    /// Cells per line the panel is sized for (the text may be longer; it is then cut).
    void setColumns(int columns);

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    [[nodiscard]] int lineCount() const;
    QString m_text;
    ColorScheme m_scheme;
    int m_columns = 16;
};

} // namespace velmora
