#pragma once
// The CD player window (frmcd) over CdPlayer: a button per drive and one for an image, the
// display, the transport and the CD volume. Closing the window stops and closes the drive.
//
// Thread: UI thread.

#include "cd/cd_player.h"
#include "core/color_scheme.h"
#include "core/levels.h"

#include <QWidget>

#include <vector>

class QHBoxLayout;
class QPushButton;

namespace velmora {

class LcdDisplay;
class LevelSlider;
class SettingsStore;

class CdView : public QWidget {
    Q_OBJECT
  public:
    CdView(cd::CdPlayer& player, Levels& levels, SettingsStore& settings,
           QWidget* parent = nullptr);

    /// Loads the player on first show and brings the window forward at its saved place.
    void open();
    void setScheme(const ColorScheme& scheme);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void redraw();
    void rebuildDrives();

    cd::CdPlayer& m_player;
    SettingsStore& m_settings;
    LcdDisplay* m_display;
    QHBoxLayout* m_driveRow;
    std::vector<QPushButton*> m_driveButtons;
    std::vector<std::string> m_shownDrives;
    QPushButton* m_play;
    QPushButton* m_pause;
    LevelSlider* m_volume;
    bool m_placed = false;
    Connection m_changed;
};

} // namespace velmora
