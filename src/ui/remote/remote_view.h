#pragma once
// frmremote2, "Visual Controller", over RemoteController: status lines, the level copies,
// twelve preset buttons, scenario loading, the other windows' buttons, docking and the
// three options panels of the visual mode.
//
// Thread: UI thread.

#include "core/color_scheme.h"
#include "core/signal.h"
#include "remote/remote_controller.h"

#include <QWidget>

#include <array>
#include <vector>

class QCheckBox;
class QGroupBox;
class QHBoxLayout;
class QVBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSlider;

namespace velmora {

class RemoteView : public QWidget {
    Q_OBJECT
  public:
    /// chooseSlideshow: opens the slideshow folder chooser ("Choose a slideshow").
    RemoteView(remote::RemoteController& controller, visual::VisualMode& visual,
               SettingsStore& store, std::function<void()> chooseSlideshow,
               QWidget* parent = nullptr);

    /// Shows the window at its saved place, with the presets as the main window has them.
    void open();
    /// Saves the place and remote.tmp (at quit).
    void closeRemote();
    void applyColors(const ColorScheme& scheme);
    void dock(remote::Corner corner);
    [[nodiscard]] QPushButton* presetButton(int index) const { return m_presets.at(index); }

  protected:
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    QWidget* buildLabels();
    QWidget* buildLevels();
    QWidget* buildPresets();
    QWidget* buildCommands();
    /// An options panel: a titled box holding a list.
    QGroupBox* makePanel(const QString& title, const char* name, QListWidget*& list,
                         const char* listName, QVBoxLayout*& layout);
    void addHideButton(QHBoxLayout* row, const char* name, const char* toolTip);
    QGroupBox* buildSlideshowPanel();
    QGroupBox* buildPanoramicPanel();
    QGroupBox* buildVideoPanel();
    void redraw();
    void showPictures();
    void showPresets();

    remote::RemoteController& m_controller;
    visual::VisualMode& m_visual;
    SettingsStore& m_store;
    std::function<void()> m_chooseSlideshow;
    ColorScheme m_scheme;
    std::array<QLabel*, remote::kLabelCount> m_labels{};
    std::array<QPushButton*, remote::kRemotePresetCount> m_presets{};
    std::vector<std::pair<QWidget*, std::function<bool()>>> m_optional;
    QGroupBox *m_slidePanel = nullptr, *m_panPanel = nullptr, *m_videoPanel = nullptr;
    QListWidget *m_pictures = nullptr, *m_panoramics = nullptr, *m_videos = nullptr;
    QLabel *m_folderName = nullptr, *m_panoramicLabel = nullptr;
    QCheckBox* m_random = nullptr;
    QLineEdit* m_changeEvery = nullptr;
    QSlider* m_speed = nullptr;
    bool m_placed = false;
    std::vector<Connection> m_connections;
};

} // namespace velmora
