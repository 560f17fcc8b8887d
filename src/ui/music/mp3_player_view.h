#pragma once
// frmmainmp3, the MP3 player's transport window over Mp3Player: title and time displays,
// position and volume sliders, previous, play, pause, next, open, "Random" and "PL".
//
// Thread: UI thread.

#include "core/color_scheme.h"
#include "core/levels.h"
#include "music/mp3_player.h"

#include <QWidget>

#include <functional>
#include <vector>

class QPushButton;
class QSlider;

namespace velmora {

class LcdDisplay;

class Mp3PlayerView : public QWidget {
    Q_OBJECT
  public:
    /// togglePlaylist: shows or hides frmList ("PL").
    Mp3PlayerView(music::Mp3Player& player, Levels& levels, std::function<void()> togglePlaylist,
                  QWidget* parent = nullptr);
    void applyColors(const ColorScheme& scheme);

  private:
    void redraw();
    void showTime(const std::string& time);

    music::Mp3Player& m_player;
    LcdDisplay* m_title;
    LcdDisplay* m_time;
    QSlider* m_position;
    QPushButton* m_random;
    std::vector<Connection> m_connections;
};

} // namespace velmora
