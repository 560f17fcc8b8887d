#pragma once
// Form1, the slideshow: full screen on the main window's screen, one picture at a time with
// a short crossfade, the pointer hidden until the user moves to use it, a context menu, Esc
// to leave and every other key to the hotkeys.
//
// Thread: UI thread.

#include "core/main_window/window_commands.h"
#include "core/signal.h"
#include "platform/settings_store.h"
#include "ui/visual/picture_decoder.h"
#include "visual/visual_mode.h"

#include <QImage>
#include <QWidget>

#include <vector>

class QVariantAnimation;

namespace velmora {

inline constexpr int kCrossfadeMs = 1000;

class SlideshowView : public QWidget {
    Q_OBJECT
  public:
    /// keys: the hotkey handler; screenOf: the widget whose screen the slideshow covers.
    SlideshowView(visual::VisualMode& visual, KeyHandler& keys, SettingsStore& store,
                  QWidget* screenOf);

    /// Follows the visual mode: shown, hidden, behind the main window.
    void follow();
    [[nodiscard]] const QString& shownPath() const { return m_path; }
    [[nodiscard]] bool isFading() const;
    [[nodiscard]] bool letterbox() const { return m_letterbox; }

  signals:
    /// A picture is on screen (after its fade).
    void pictureShown(const QString& path);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void request(const std::filesystem::path& path);
    void decoded(const QString& path, const QImage& image);
    [[nodiscard]] QRect pictureRect(const QImage& image) const;
    void openMenu(const QPoint& at);

    visual::VisualMode& m_visual;
    KeyHandler& m_keys;
    SettingsStore& m_store;
    QWidget* m_screenOf;
    PictureDecoder m_decoder;
    QImage m_current, m_previous;
    QString m_path;
    std::filesystem::path m_pending; ///< chosen while hidden, decoded when shown
    QVariantAnimation* m_fade;
    bool m_nothing = false;
    bool m_letterbox = false;
    std::vector<Connection> m_connections;
};

} // namespace velmora
