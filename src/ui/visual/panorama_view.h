#pragma once
// The panoramic view: a wide picture held off screen, of which a screen-sized window is
// copied onto the screen at the panorama's offsets, and the control strip (pan, start/stop,
// reverse, speed) that shows while the pointer is near it.
//
// Thread: UI thread.

#include "core/main_window/window_commands.h"
#include "core/signal.h"
#include "ui/visual/picture_decoder.h"
#include "visual/visual_mode.h"

#include <QPixmap>
#include <QWidget>

#include <vector>

class QPushButton;
class QSlider;
class QTimer;

namespace velmora {

/// How far around the strip the pointer still shows it (1710 twips at 15 twips a pixel).
inline constexpr int kStripMarginPx = 114;
inline constexpr int kStripCheckMs = 200;

class PanoramaView : public QWidget {
    Q_OBJECT
  public:
    PanoramaView(visual::VisualMode& visual, KeyHandler& keys, QWidget* screenOf);

    void follow();
    [[nodiscard]] QWidget* strip() const { return m_strip; }
    /// Shows or hides the strip for a pointer at this global position.
    void checkPointer(const QPoint& global);
    [[nodiscard]] bool hasPicture() const { return !m_picture.isNull(); }

  signals:
    void pictureLoaded();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void loadPicture();
    void showPosition();
    void layoutStrip();

    visual::VisualMode& m_visual;
    KeyHandler& m_keys;
    QWidget* m_screenOf;
    PictureDecoder m_decoder;
    QPixmap m_picture;
    QString m_loadedPath;
    QWidget* m_strip;
    QSlider *m_pan, *m_speed;
    QPushButton *m_startStop, *m_reverse;
    QTimer* m_pointerTimer;
    int m_drawnX = -1;
    std::vector<Connection> m_connections;
};

} // namespace velmora
