#pragma once
// The fourteen preset buttons and the preset commands (assign, clear, save and load a list).
// A button shows its caption; the pointer over it writes the preset display; while a
// scenario waits to be assigned every button flashes.
//
// Thread: UI thread.

#include "core/color_scheme.h"
#include "core/main_window/preset_buttons.h"
#include "scenarios/preset_commands.h"

#include <QWidget>

#include <array>
#include <vector>

class QPushButton;

namespace velmora {

/// The background of a preset button: assigned presets stand out from empty ones.
[[nodiscard]] std::uint32_t presetButtonColour(const ColorScheme& scheme, bool assigned);

class PresetGrid : public QWidget {
    Q_OBJECT
  public:
    PresetGrid(PresetButtons& presets, scenarios::PresetCommands& commands, QWidget* parent);
    ~PresetGrid() override;

    void setScheme(const ColorScheme& scheme);
    void setLoading(bool loading);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void showCaptions();
    void paintButtons(bool flashing);

    PresetButtons& m_presets;
    ColorScheme m_scheme;
    std::array<QPushButton*, state::kPresetCount> m_buttons{};
    std::vector<Connection> m_connections;
};

} // namespace velmora
