#pragma once
// The effects window (frmeffects) over EffectsController: two pages, equaliser and reverb,
// switched by the page buttons; each with its toggle, preset list with previous/next, save
// and delete, and its sliders. Remembers its place ("Settings17").
//
// Thread: UI thread.

#include "core/color_scheme.h"
#include "effects/effects_controller.h"
#include "platform/settings_store.h"

#include <QWidget>

#include <array>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class QStackedWidget;

namespace velmora {

class EffectsView : public QWidget {
    Q_OBJECT
  public:
    EffectsView(effects::EffectsController& controller, SettingsStore& settings,
                QWidget* parent = nullptr);

    /// Shows the window, at its saved place the first time.
    void open();
    /// Saves the window's place (quit).
    void savePosition();
    void docolors(const ColorScheme& scheme);

  private:
    struct PageControls {
        QPushButton* toggle = nullptr;
        QComboBox* list = nullptr;
        std::vector<QWidget*> enabledWhenOn;
    };
    QWidget* buildEqualiser();
    QWidget* buildReverb();
    /// Toggle, list, previous/next, save and delete: the row both pages share.
    QWidget* buildPresetRow(effects::EffectsPage page, QWidget* parent);
    void redraw();

    effects::EffectsController& m_controller;
    SettingsStore& m_settings;
    bool m_placed = false;
    bool m_redrawing = false;
    QStackedWidget* m_pages = nullptr;
    std::array<QPushButton*, 2> m_pageButtons{};
    std::array<PageControls, 2> m_page{};
    std::array<QSlider*, effects::kBandCount> m_bands{};
    std::array<QLabel*, effects::kBandCount> m_bandValues{};
    std::array<QSlider*, effects::kReverbSliderCount> m_reverb{};
    std::array<QLabel*, effects::kReverbSliderCount> m_reverbValues{};
    QLabel* m_notice = nullptr;
    Connection m_changed;
};

} // namespace velmora
